#include "solver/hairpin_network.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>

#include "base/errors.h"
#include "base/number_text.h"
#include "correlations/log_mean.h"
#include "records/case_fields.h"
#include "solver/case_values.h"
#include "solver/driver.h"

namespace zano {
namespace {

// A series stream and branches settle when a pass of the hairpins' calculations moves no outlet
// by more than this, K: a tenth of the temperature tolerance of each hairpin's own calculation
// (0.001 K), finer than which a pass only follows that calculation's rounding. Every pass costs
// a calculation a hairpin.
constexpr double kSettled = 1e-4;
constexpr int kMaxSweeps = 500;  // of two passes each
// The linear network of the hairpins' shares is solved to far below kSettled, within a bound
// of sweeps that costs less than one hairpin's calculation on a network of usual size.
constexpr double kLinearSettled = 1e-9;
constexpr int kMaxLinearSweeps = 200;
// A hairpin's shares are taken to change with its level, K, only over moves of ten times the
// temperature tolerance of its calculation, below which their difference is mostly its rounding.
constexpr double kLevelStep = 1e-2;

// Today's calculation of one hairpin or bank: its length, both flows (each a branch's share)
// and both inlets given, both outlets found.
class HairpinCalc {
  public:
    // `paths`: each stream's whole path through the hairpins, m, for its film rules' entrance
    // effect (the developing flow runs on through the returns); 0 where it is `length` itself.
    HairpinCalc(const CaseData& c, Branches b, double length, const DataFolder& data,
                double intPath = 0, double estPath = 0)
        : case_(c) {
        case_.intToutGiven = case_.estToutGiven = false;
        case_.LGiven = true;
        // A branch's flow is stored as a single, as every mass flow is.
        case_.intPort = exactText(sgl(caseSingle(c, &CaseData::intPort) / double(b.internal)));
        case_.estPort = exactText(sgl(caseSingle(c, &CaseData::estPort) / double(b.external)));
        case_.L = exactText(length);
        clearFoundFields(case_);
        state_.data = data;
        state_.pathLength[0] = static_cast<float>(intPath);
        state_.pathLength[1] = static_cast<float>(estPath);
        state_.breakdown = false;
        // Every hairpin is the same case on the same tables: each stream reads its table once.
        state_.internal.holdTables(), state_.external.holdTables();
    }

    // Not to be called from two threads at once: the calculations share one state.
    HairpinFigures operator()(double intTin, double estTin) const {
        case_.intTin = exactText(intTin);
        case_.estTin = exactText(estTin);
        const CalcOutcome out = calculate(case_, state_);
        if (!out.ok())
            invalidData("a hairpin of the network at " + exactText(intTin) + " and " +
                        exactText(estTin) + " °C: " + out.message + ", " + out.detail);
        const ResultsData& r = *out.results;
        return {intTin, r.intTout, estTin, r.estTout, r.q, double(r.U) * double(r.a)};
    }

  private:
    static float sgl(double v) { return static_cast<float>(v); }
    mutable CaseData case_;
    mutable CalcState state_;
};

// The branches' outlets mixed: the mean of their enthalpies (equal flows), read back as a
// temperature from the fluid's table.
double mixedOutlet(const CaseData& c, bool internal, const std::vector<double>& outlets,
                   const DataFolder& data) {
    FluidTable t = data.fluidTable(internal ? c.intfluid : c.estfluid);
    const float p = caseSingle(c, internal ? &CaseData::intpress : &CaseData::estpress);
    t.reduceTo(p);
    double h = 0;
    for (double o : outlets) h += t.enthalpy(o, p);
    return t.temperatureAt(h / double(outlets.size()), p);
}

// A hairpin's transfer units (U a / Cmin) from its effectiveness e and its ratio of capacity
// rates cr, and back: Kays and London's relations for counterflow and parallel flow.
double transferUnits(double e, double cr, bool contro) {
    if (!contro) return -std::log(1 - e * (1 + cr)) / (1 + cr);
    if (cr > 1 - 1e-9) return e / (1 - e);
    return std::log((1 - cr * e) / (1 - e)) / (1 - cr);
}
double effectiveness(double ntu, double cr, bool contro) {
    if (!contro) return (1 - std::exp(-ntu * (1 + cr))) / (1 + cr);
    if (cr > 1 - 1e-9) return ntu / (1 + ntu);
    const double x = std::exp(-ntu * (1 - cr));
    return (1 - x) / (1 - cr * x);
}

// The shares of a hairpin whose legs are `ratio` times as long: its transfer units in
// proportion, its capacity rates as they were. The share of the stream of the smaller rate is
// the hairpin's effectiveness, the other's that times the ratio of the rates.
void scaleShares(double& sShare, double& bShare, double ratio, bool contro) {
    const double e = std::max(sShare, bShare), cr = std::min(sShare, bShare) / e;
    if (!(e > 0 && e < 1) || (!contro && e * (1 + cr) >= 1)) return;
    const double scale = effectiveness(ratio * transferUnits(e, cr, contro), cr, contro) / e;
    if (!std::isfinite(scale)) return;
    sShare = std::min(1.0, sShare * scale), bShare = std::min(1.0, bShare * scale);
}

// The temperatures of a network with one stream (S) in series through every hairpin and the
// other (B) in branches: S's entering each hairpin and leaving the last, B's leaving each.
struct Temperatures {
    std::vector<double> s, b;
};

// One stream (S) in series through every hairpin, the other (B) in P branches of k consecutive
// hairpins each. Countercurrent, B runs through its hairpins against S's order, so no single
// pass finds the temperatures. Each hairpin changes each stream by a share of the difference
// between its two inlets (its effectiveness scaled by the capacity rates), and those shares
// change little with the temperatures: with the shares of the last pass the network is linear
// and its temperatures follow at once, which the next pass of the hairpins' own calculations
// checks. Equicurrent, one pass finds them and the next confirms.
struct SeriesParallel {
    const HairpinCalc& calc;
    bool seriesInternal;
    int H, P;
    bool contro;
    double sInlet, bInlet;
    double leg;  // m

    // B's inlet temperature of hairpin i: its branch's inlet or the hairpin before it.
    double bIn(const Temperatures& t, int i) const {
        const int k = H / P;
        const bool entered = contro ? i % k == k - 1 : i % k == 0;
        return entered ? bInlet : t.b[contro ? i + 1 : i - 1];
    }

    // Every hairpin calculated once, in S's order or against it, each at the inlets as they
    // stand; its outlets and its shares kept. The largest change of an outlet.
    double pass(Temperatures& t, HairpinShares& shares, std::vector<HairpinFigures>& fig,
                bool forward) const {
        double change = 0;
        for (int n = 0; n < H; ++n) {
            const int i = forward ? n : H - 1 - n;
            const double si = t.s[i], bi = bIn(t, i);
            fig[i] = seriesInternal ? calc(si, bi) : calc(bi, si);
            const double so = seriesInternal ? fig[i].intTout : fig[i].estTout;
            const double bo = seriesInternal ? fig[i].estTout : fig[i].intTout;
            change = std::max({change, std::fabs(so - t.s[i + 1]), std::fabs(bo - t.b[i])});
            t.s[i + 1] = so, t.b[i] = bo;
            if (bi != si) learn(shares, i, si, bi, so, bo);  // no difference, no share to learn
        }
        return change;
    }

    // Hairpin i's shares from its inlets and outlets, within [0, 1] so that the linear network
    // keeps every temperature between the inlets whatever the last digits of a calculation; and
    // their change with its level where that moved by kLevelStep since they were last learned.
    static void learn(HairpinShares& h, int i, double si, double bi, double so, double bo) {
        const double s = std::clamp((so - si) / (bi - si), 0.0, 1.0);
        const double b = std::clamp((bo - bi) / (si - bi), 0.0, 1.0);
        const double level = (si + bi) / 2, moved = level - h.level[i];
        if (std::fabs(moved) >= kLevelStep)
            h.ds[i] = (s - h.s[i]) / moved, h.db[i] = (b - h.b[i]) / moved;
        h.s[i] = s, h.b[i] = b, h.level[i] = level;
    }

    // The temperatures of the network of the hairpins' shares, each at its level as it stands,
    // by sweeps forward and back (arithmetic only, no calculation) until they settle far below
    // kSettled.
    void predict(Temperatures& t, const HairpinShares& h) const {
        const auto at = [&](int i) {
            const double si = t.s[i], bi = bIn(t, i);
            const double moved = std::isnan(h.level[i]) ? 0 : (si + bi) / 2 - h.level[i];
            const double so = si + std::clamp(h.s[i] + h.ds[i] * moved, 0.0, 1.0) * (bi - si);
            const double bo = bi + std::clamp(h.b[i] + h.db[i] * moved, 0.0, 1.0) * (si - bi);
            const double change = std::max(std::fabs(so - t.s[i + 1]), std::fabs(bo - t.b[i]));
            t.s[i + 1] = so, t.b[i] = bo;
            return change;
        };
        for (int sweep = 0; sweep < kMaxLinearSweeps; ++sweep) {
            double change = 0;
            for (int i = 0; i < H; ++i) change = std::max(change, at(i));
            for (int i = H - 1; i >= 0; --i) change = std::max(change, at(i));
            if (change < kLinearSettled) return;
        }
    }

    void settle(Temperatures& t, HairpinShares& shares, std::vector<HairpinFigures>& fig) const;
    // The network's figures from its inlets, started from the shares `start` holds.
    NetworkFigures solve(std::vector<double>& outlets, NetworkStart& start) const;
};

// Passes of the hairpins' calculations, each followed by the linear network of their shares,
// until no outlet moves by kSettled; the first pass, from the shares of another network, settles
// it only where it moves none by a hundredth of that, so that the trials of legs and flows of a
// secant see their capacities change smoothly. Should a pass move them no less than the one before
// (the shares following only a calculation's rounding), the passes go on alone, forward and back;
// should a sweep forward and back then bring them back to where an earlier one left them (the
// hairpins' calculations cycling at their own tolerance), no further sweep can settle them.
void SeriesParallel::settle(Temperatures& t, HairpinShares& shares,
                            std::vector<HairpinFigures>& fig) const {
    bool linear = true;
    double last = HUGE_VAL;
    Temperatures saved;  // Brent's test: saved after 1, 2, 4... sweeps alone
    for (int n = 0, sweeps = 0, span = 1;; ++n) {
        if (n == 2 * kMaxSweeps)
            invalidData("the temperatures of the hairpins do not settle in " +
                        std::to_string(2 * kMaxSweeps) + " passes");
        const double change = pass(t, shares, fig, linear || n % 2 == 0);
        if (change < (n > 0 ? kSettled : kSettled / 100)) return;
        if (!linear && n % 2 == 1) {
            if (t.s == saved.s && t.b == saved.b)
                invalidData(
                    "the temperatures of the hairpins do not settle: sweeps over them "
                    "come back to the same temperatures, which move by " +
                    formatDouble(roundTo(change, 6)) + " K");
            if (++sweeps == span) saved = t, span *= 2;
        }
        linear = linear && change < last;
        last = change;
        if (linear) predict(t, shares);
    }
}

NetworkFigures SeriesParallel::solve(std::vector<double>& outlets, NetworkStart& start) const {
    Temperatures t{std::vector<double>(H + 1, sInlet), std::vector<double>(H, bInlet)};
    HairpinShares shares = start.startFor(H, P, leg, contro);
    if (!shares.s.empty()) {
        predict(t, shares);
    } else {
        const std::vector<double> none(H), nowhere(H, std::nan(""));
        shares = {leg, none, none, nowhere, none, none};
    }
    std::vector<HairpinFigures> fig(H);
    settle(t, shares, fig);
    const int k = H / P;
    for (int j = 0; j < P; ++j) outlets.push_back(t.b[contro ? j * k : j * k + k - 1]);
    start.keep(H, std::move(shares));
    NetworkFigures n;
    n.hairpins = fig;
    (seriesInternal ? n.intTout : n.estTout) = t.s[H];
    return n;
}

// The number of branches P: invalid data for branches that the hairpins cannot share equally
// or that are no such arrangement.
int branchCount(Branches b, int hairpins) {
    const int P = std::max(b.internal, b.external);
    if (b.internal > 1 && b.external > 1 && b.internal != b.external)
        invalidData("Both streams in branches run in the same number of them; " +
                    std::to_string(b.internal) + " and " + std::to_string(b.external) +
                    " are no such arrangement");
    if (hairpins % P != 0)
        invalidData(std::to_string(hairpins) + " hairpins cannot be shared equally among " +
                    std::to_string(P) + " branches");
    return P;
}

}  // namespace

HairpinShares NetworkStart::startFor(int hairpins, int P, double leg, bool contro) const {
    if (held_.empty()) return {};
    auto near = held_.lower_bound(hairpins);  // the count held, else the next above
    if (near == held_.end()) {
        near = std::prev(near);
    } else if (near->first != hairpins && near != held_.begin()) {
        const auto below = std::prev(near);
        if (hairpins - below->first < near->first - hairpins) near = below;
    }
    const HairpinShares& from = near->second;
    const auto each = [&] { return std::vector<double>(hairpins); };
    HairpinShares out{leg, each(), each(), each(), each(), each()};
    const int k = hairpins / P, kFrom = near->first / P;
    for (int i = 0; i < hairpins; ++i) {
        // The hairpin of the count held nearest the middle of this one's place in its branch.
        const int j = i / k * kFrom + (2 * (i % k) + 1) * kFrom / (2 * k);
        out.s[i] = from.s[j], out.b[i] = from.b[j];
        out.level[i] = from.level[j], out.ds[i] = from.ds[j], out.db[i] = from.db[j];
        if (leg != from.leg) scaleShares(out.s[i], out.b[i], leg / from.leg, contro);
    }
    return out;
}

NetworkFigures rateNetwork(const CaseData& c, int hairpins, double leg, Branches b,
                           const DataFolder& data, bool perHairpin, NetworkStart* start) {
    const int P = branchCount(b, hairpins);
    const double intTin = caseDouble(c, &CaseData::intTin);
    const double estTin = caseDouble(c, &CaseData::estTin);
    const bool contro = c.controequi == Arrangement::Countercurrent;
    const bool banked = b.internal == b.external;
    NetworkFigures n;
    std::vector<double> outlets;
    NetworkStart none;
    NetworkStart& shares = start ? *start : none;
    if (banked && !perHairpin) {
        // Identical banks: each today's exchanger with its share of both flows.
        const HairpinFigures f = HairpinCalc(c, b, hairpins / P * 2 * leg, data)(intTin, estTin);
        n.hairpins = {f};
        n.intTout = f.intTout;
        n.estTout = f.estTout;
    } else if (banked) {
        // A bank's hairpins in series, the internal stream taken as the series one.
        const double path = hairpins / P * 2 * leg;
        const HairpinCalc one(c, b, 2 * leg, data, path, path);
        const SeriesParallel sp{one, true, hairpins / P, 1, contro, intTin, estTin, leg};
        n = sp.solve(outlets, shares);
        n.estTout = outlets.front();
    } else {
        const HairpinCalc one(c, b, 2 * leg, data, hairpins / b.internal * 2 * leg,
                              hairpins / b.external * 2 * leg);
        const bool seriesInternal = b.internal == 1;
        const double sIn = seriesInternal ? intTin : estTin;
        const double bIn = seriesInternal ? estTin : intTin;
        const SeriesParallel sp{one, seriesInternal, hairpins, P, contro, sIn, bIn, leg};
        n = sp.solve(outlets, shares);
        (seriesInternal ? n.estTout : n.intTout) = mixedOutlet(c, !seriesInternal, outlets, data);
    }
    const int banks = banked ? P : 1;  // identical banks, each held once
    double ua = 0;
    for (const HairpinFigures& f : n.hairpins) {
        n.q += banks * f.q;
        ua += banks * f.Ua;
    }
    n.meanDifference = finiteOr(n.q * 1000 / ua, "the hairpins transfer no heat");
    n.F = n.meanDifference /
          std::fabs(dtml(intTin, n.intTout, estTin, n.estTout, Arrangement::Countercurrent));
    return n;
}

}  // namespace zano
