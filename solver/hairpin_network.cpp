#include "solver/hairpin_network.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/errors.h"
#include "correlations/log_mean.h"
#include "records/case_fields.h"
#include "solver/case_values.h"
#include "solver/driver.h"

namespace zano {
namespace {

// A series stream and branches settle within this, K, between two sweeps: a tenth of the
// temperature tolerance of each hairpin's own calculation (0.001 K), finer than which a sweep
// only follows that calculation's rounding. Every sweep costs a calculation a hairpin twice; a
// network of usual size settles in four to six.
constexpr double kSettled = 1e-4;
constexpr int kMaxSweeps = 500;

// Today's calculation of one hairpin or bank: its length, both flows (each a branch's share)
// and both inlets given, both outlets found.
class HairpinCalc {
  public:
    // `paths`: each stream's whole path through the hairpins, m, for its film rules' entrance
    // effect (the developing flow runs on through the returns); 0 where it is `length` itself.
    HairpinCalc(const CaseData& c, Branches b, double length, const DataFolder& data,
                double intPath = 0, double estPath = 0)
        : base_(c), data_(data), paths_{static_cast<float>(intPath), static_cast<float>(estPath)} {
        base_.intToutGiven = base_.estToutGiven = false;
        base_.LGiven = true;
        // A branch's flow is stored as a single, as every mass flow is.
        base_.intPort = exactText(sgl(caseSingle(c, &CaseData::intPort) / double(b.internal)));
        base_.estPort = exactText(sgl(caseSingle(c, &CaseData::estPort) / double(b.external)));
        base_.L = exactText(length);
        clearFoundFields(base_);
    }

    HairpinFigures operator()(double intTin, double estTin) const {
        CaseData c = base_;
        c.intTin = exactText(intTin);
        c.estTin = exactText(estTin);
        CalcState s;
        s.data = data_;
        s.pathLength[0] = paths_[0], s.pathLength[1] = paths_[1];
        const CalcOutcome out = calculate(c, s);
        if (!out.ok())
            invalidData("a hairpin of the network at " + exactText(intTin) + " and " +
                        exactText(estTin) + " °C: " + out.message + ", " + out.detail);
        const ResultsData& r = *out.results;
        return {intTin, r.intTout, estTin, r.estTout, r.q, double(r.U) * double(r.a)};
    }

  private:
    static float sgl(double v) { return static_cast<float>(v); }
    CaseData base_;
    const DataFolder& data_;
    float paths_[2];
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

// One stream (S) in series through every hairpin, the other (B) in P branches of k consecutive
// hairpins each. Countercurrent, B runs through its hairpins against S's order, so the
// temperatures are found by sweeps forward and back until they settle; equicurrent, one sweep
// finds them and the next confirms.
struct SeriesParallel {
    const HairpinCalc& calc;
    bool seriesInternal;
    int H, P;
    bool contro;

    // The figures with S's outlet; B's outlet of each branch in `outlets`.
    NetworkFigures solve(double sInlet, double bInlet, std::vector<double>& outlets) const {
        const int k = H / P;
        std::vector<double> s(H + 1, sInlet), bOut(H, bInlet);
        std::vector<HairpinFigures> fig(H);
        // The hairpin of its branch that B enters first, and B's hairpin before i.
        const auto entered = [&](int i) { return contro ? i % k == k - 1 : i % k == 0; };
        const auto at = [&](int i) {
            const double bIn = entered(i) ? bInlet : bOut[contro ? i + 1 : i - 1];
            fig[i] = seriesInternal ? calc(s[i], bIn) : calc(bIn, s[i]);
            const double so = seriesInternal ? fig[i].intTout : fig[i].estTout;
            const double bo = seriesInternal ? fig[i].estTout : fig[i].intTout;
            const double change = std::max(std::fabs(so - s[i + 1]), std::fabs(bo - bOut[i]));
            s[i + 1] = so;
            bOut[i] = bo;
            return change;
        };
        for (int sweep = 0;; ++sweep) {
            if (sweep == kMaxSweeps)
                invalidData("the temperatures of the hairpins do not settle in " +
                            std::to_string(kMaxSweeps) + " sweeps");
            double change = 0;
            for (int i = 0; i < H; ++i) change = std::max(change, at(i));
            for (int i = H - 1; i >= 0; --i) change = std::max(change, at(i));
            if (sweep > 0 && change < kSettled) break;
        }
        for (int j = 0; j < P; ++j) outlets.push_back(bOut[contro ? j * k : j * k + k - 1]);
        NetworkFigures n;
        n.hairpins = fig;
        (seriesInternal ? n.intTout : n.estTout) = s[H];
        return n;
    }
};

}  // namespace

NetworkFigures rateNetwork(const CaseData& c, int hairpins, double leg, Branches b,
                           const DataFolder& data, bool perHairpin) {
    const int P = std::max(b.internal, b.external);
    if (b.internal > 1 && b.external > 1 && b.internal != b.external)
        invalidData("Both streams in branches run in the same number of them; " +
                    std::to_string(b.internal) + " and " + std::to_string(b.external) +
                    " are no such arrangement");
    if (hairpins % P != 0)
        invalidData(std::to_string(hairpins) + " hairpins cannot be shared equally among " +
                    std::to_string(P) + " branches");
    const double intTin = caseDouble(c, &CaseData::intTin);
    const double estTin = caseDouble(c, &CaseData::estTin);
    const bool contro = c.controequi == Arrangement::Countercurrent;
    const bool banked = b.internal == b.external;
    NetworkFigures n;
    std::vector<double> outlets;
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
        n = SeriesParallel{one, true, hairpins / P, 1, contro}.solve(intTin, estTin, outlets);
        n.estTout = outlets.front();
    } else {
        const HairpinCalc one(c, b, 2 * leg, data, hairpins / b.internal * 2 * leg,
                              hairpins / b.external * 2 * leg);
        const bool seriesInternal = b.internal == 1;
        const SeriesParallel sp{one, seriesInternal, hairpins, P, contro};
        n = seriesInternal ? sp.solve(intTin, estTin, outlets) : sp.solve(estTin, intTin, outlets);
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
