#include "solver/case_run.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "base/errors.h"
#include "base/number_text.h"
#include "correlations/fittings.h"
#include "correlations/flow_groups.h"
#include "correlations/log_mean.h"
#include "correlations/pressure_drop.h"
#include "solver/case_values.h"
#include "solver/hairpin_network.h"
#include "solver/hand_check.h"
#include "solver/other_set.h"
#include "solver/range_notes.h"
#include "solver/temperature_profile.h"

namespace zano {
namespace {

// "the hairpins: ..." for a view of the results that could not be worked out.
std::string noteOf(const char* view, const CalcError& e) {
    return std::string(view) + ": " + (e.detail().empty() ? e.what() : e.detail());
}

// The leg of the hairpins the case sets; nullopt when it sets none.
std::optional<double> legOfHairpinsSet(const CaseData& c) {
    if (!hairpinsSet(c.hairpins)) return std::nullopt;
    const auto leg = hairpinLeg(c.hairpinLength);
    if (!leg) invalidData("The hairpins set need a hairpin length (Options)", "hairpinLength");
    return leg;
}

// With the length given, the hairpins set give it: their length stands for the one typed and is
// written back as found.
std::optional<FieldText> lengthOfHairpins(CaseData& c) {
    const auto leg = legOfHairpinsSet(c);
    if (!leg || !c.LGiven) return std::nullopt;
    c.L = formatDouble(*hairpinsSet(c.hairpins) * 2 * *leg);
    return FieldText{caseFieldNamed("L"), c.L};
}

// The solved case with the flows the calculation found, to be rated with both flows given.
CaseData withFlowsFound(const CaseData& solved, const ResultsData& r) {
    CaseData c = solved;
    c.intPort = exactText(r.intPort);
    c.estPort = exactText(r.estPort);
    c.dutyFrom = DutyFrom::None;  // the flows, not an outlet, given from here on
    return c;
}

// The exchanger of `length` m rated: with the length given in the case's own mode, which finds
// again what the mode seeks for the length built; with the capacity given, with the flows and
// inlets the case found.
ResultsData ratedAsBuilt(const CaseRun& run, double length, const DataFolder& data) {
    CaseData c = run.entered;
    if (!run.solved.LGiven) {
        c = withFlowsFound(run.solved, *run.out.results);
        c.intToutGiven = c.estToutGiven = false;
    }
    c.LGiven = true;
    c.L = formatDouble(length);
    clearFoundFields(c);
    CalcState s;
    s.data = data;
    const CalcOutcome rated = calculate(c, s);
    if (!rated.ok()) invalidData("rated as built, " + rated.message + ": " + rated.detail);
    return *rated.results;
}

// The flow a case with the length given seeks beside its outlet given: the internal stream's
// where its outlet is given, the external's where that one is; none with both flows given.
struct FlowSought {
    bool internal;
    double inlet, outlet;  // degC, of that stream
};
std::optional<FlowSought> flowSought(const CaseData& c) {
    if (!c.LGiven || !(c.intToutGiven || c.estToutGiven)) return std::nullopt;
    if (c.intToutGiven)
        return FlowSought{true, caseDouble(c, &CaseData::intTin),
                          caseDouble(c, &CaseData::intTout)};
    return FlowSought{false, caseDouble(c, &CaseData::estTin), caseDouble(c, &CaseData::estTout)};
}

// The hairpins in series that hold the exchanger (those set, else as many as its length
// needs) and how they compare with the length the duty needs.
Hairpins hairpinsInSeries(const CaseRun& run, double leg, const DataFolder& data) {
    const ResultsData& r = *run.out.results;
    Hairpins h = hairpinsFor(r.L, leg);
    if (const auto set = hairpinsSet(run.solved.hairpins)) h = hairpinsFor(*set * 2 * leg, leg);
    h.overSurface = (h.providedLength / r.L - 1) * 100;
    // With the length given as the hairpins give it, the case calculated is the one built.
    if (run.solved.LGiven && static_cast<float>(h.providedLength) == r.L) {
        h.ratedCapacity = r.q;
        return h;
    }
    const ResultsData rated = ratedAsBuilt(run, h.providedLength, data);
    h.ratedCapacity = rated.q;
    h.intToutBuilt = rated.intTout, h.estToutBuilt = rated.estTout;
    if (const auto sought = flowSought(run.solved))
        (sought->internal ? h.intPortBuilt : h.estPortBuilt) =
            sought->internal ? rated.intPort : rated.estPort;
    return h;
}

// What a network gives, and the size (a count of hairpins or a leg) with which a network like it
// would give the duty.
struct Trial {
    double q;          // kW
    double suggested;  // hairpins or m
};

// A count of hairpins tried, what it gave, and by how much the count it suggests exceeds it.
struct CountTried {
    int count = 0;
    double q = 0, excess = 0;
};

// The count to try next, in steps of P, between the counts known to fall short (`lo`, and
// `below` the one that fell short before it) and to give the duty (`hi`, none while its count is
// 0): where the suggestions' excess would vanish, by false position between both ends, else
// along the last two counts that fell short, else the count suggested; halfway (or twice as many
// while none gave the duty) where `halve`. At most four times as many as fell short.
int nextCount(const CountTried& below, const CountTried& lo, const CountTried& hi, double suggested,
              int P, bool halve) {
    const int top = hi.count > 0 ? hi.count - P : std::max(4 * lo.count, lo.count + P);
    double guess = suggested;
    const CountTried& other = hi.count > 0 ? hi : below;
    const double slope = (other.excess - lo.excess) / (other.count - lo.count);
    if (lo.count > 0 && other.count > 0 && lo.excess > 0 && slope < 0)
        guess = lo.count - lo.excess / slope;
    if (halve) guess = hi.count > 0 ? (lo.count + hi.count) / 2.0 : 2.0 * lo.count;
    const double up = std::ceil(guess / P) * P;
    const int n = std::isfinite(up) && up < kMaxHairpins ? static_cast<int>(up) : top;
    return std::clamp(n, lo.count + P, top);
}

// The fewest hairpins, in steps of the branches P, whose network gives the duty q, from the
// series exchanger's count. Each count tried suggests the count for the duty, and the next count
// tried is where the suggestions would agree with the counts (nextCount); should three in a row
// land on the same side, the next is halfway, or twice as many. Where twice the hairpins no
// longer add to what they give, no number of them gives the duty.
constexpr int kMaxGrowths = 12;
int hairpinsForDuty(const std::function<Trial(int)>& trial, int start, int P, double q) {
    const double enough = q * (1 - 1e-6);
    CountTried below, lo, hi;  // too few (none at first) and enough (none yet)
    bool lastEnough = false;
    for (int n = start, step = 0, sameSide = 0;; ++step) {
        const Trial t = trial(n);
        const bool isEnough = t.q >= enough;
        if (!isEnough && hi.count == 0 && n >= 2 * lo.count && t.q - lo.q < 1e-4 * q)
            invalidData("no number of hairpins in these branches gives the duty");
        sameSide = step > 0 && isEnough == lastEnough ? sameSide + 1 : 0;
        lastEnough = isEnough;
        if (!isEnough) below = lo;
        (isEnough ? hi : lo) = {n, t.q, t.suggested - n};
        if (hi.count > 0 && hi.count - lo.count <= P) return hi.count;
        if (hi.count == 0 && step >= kMaxGrowths)
            invalidData("no number of hairpins in these branches gives the duty");
        n = nextCount(below, lo, hi, t.suggested, P, sameSide >= 2);
    }
}

// The leg with which `count` hairpins of the network give exactly the duty q: the secant
// method from the leg built, which gives `built`, and the leg its network suggests.
constexpr int kMaxLegPasses = 40;
double legForDuty(const std::function<double(double)>& capacity, double leg, double built,
                  double suggested, double q) {
    if (built == q) return leg;
    double a = suggested, b = leg, qa = capacity(a) - q, qb = built - q;
    for (int pass = 0; std::fabs(qb) > 1e-6 * q; ++pass) {
        if (pass == kMaxLegPasses || qa == qb)
            invalidData("no leg length of these hairpins gives the duty exactly");
        const double next = std::clamp(b - qb * (b - a) / (qb - qa), b / 4, b * 4);
        a = b, qa = qb;
        b = next, qb = capacity(b) - q;
    }
    return b;
}

// The case `c` with the flow sought set so that `outletOf` it is the outlet given: the secant
// method from the flow the straight calculation found and that flow scaled to the temperature
// change given, within today's temperature tolerance (tighter for a stream that changes little).
constexpr int kMaxFlowPasses = 40;
CaseData withFlowForOutlet(const CaseData& c, const FlowSought& f,
                           const std::function<double(const CaseData&)>& outletOf) {
    const auto field = f.internal ? &CaseData::intPort : &CaseData::estPort;
    CaseData trial = c;
    const auto miss = [&](double m) {
        trial.*field = exactText(static_cast<float>(m));
        return outletOf(trial) - f.outlet;
    };
    const double tolerance = std::min(1e-3, 1e-4 * std::fabs(f.inlet - f.outlet));
    double a = caseSingle(c, field), fa = miss(a);
    if (std::fabs(fa) <= tolerance) return trial;
    double b = std::clamp(a * (f.inlet - f.outlet - fa) / (f.inlet - f.outlet), a / 4, a * 4);
    double fb = miss(b);
    for (int pass = 0; std::fabs(fb) > tolerance; ++pass) {
        if (pass == kMaxFlowPasses || fa == fb)
            invalidData("no flow through the hairpins as built gives the outlet temperature given");
        const double next = std::clamp(b - fb * (b - a) / (fb - fa), b / 4, b * 4);
        a = b, fa = fb;
        b = next, fb = miss(b);
    }
    return trial;
}

// The size (a count of hairpins or a leg) with which a network like `n` of `size` gives the duty
// q: its surface in proportion to the duty over the countercurrent log-mean difference of its
// ends, against `lmtd`, that of the ends the duty gives; its F and coefficients as they are.
double sizeForDuty(const NetworkFigures& n, double size, double q, double lmtd) {
    const double suggested = size * q / n.q * (n.meanDifference / n.F) / lmtd;
    return std::isfinite(suggested) && suggested > 0 ? suggested : size * q / n.q;
}

// The over-surface of `count` hairpins rated as a network with the flows the case found, which
// give `built` (and suggest a leg): the leg with which they give the duty q exactly against the leg
// built; nothing where no leg does.
std::optional<double> networkOverSurface(const std::function<double(int, double)>& capacity,
                                         int count, double leg, double built, double suggested,
                                         double q) {
    try {
        const auto legCapacity = [&](double l) { return capacity(count, l); };
        return (leg / legForDuty(legCapacity, leg, built, suggested, q) - 1) * 100;
    } catch (const CalcError&) {
        return std::nullopt;  // said in a note beside the rest
    }
}

// The figures of the network rated as built.
void takeNetwork(Hairpins& h, const NetworkFigures& n, Branches b) {
    h.ratedCapacity = static_cast<float>(n.q);
    h.intBranches = b.internal, h.estBranches = b.external;
    h.intToutBuilt = n.intTout, h.estToutBuilt = n.estTout;
    h.meanDifference = n.meanDifference, h.F = n.F;
    h.network = n.hairpins;
}

// Hairpins with a stream in branches, or with the properties taken hairpin by hairpin, rated as a
// network: those set, else as many as the length needs (rounded up to what the branches share)
// or, with the capacity given, as many as give the duty. With the length given and an outlet
// given, the network is rated with the flow that carries it to that outlet.
Hairpins hairpinsInBranches(const CaseRun& run, double leg, Branches b, const DataFolder& data) {
    const ResultsData& r = *run.out.results;
    const CaseData c = withFlowsFound(run.solved, r);
    const int P = std::max(b.internal, b.external);
    const bool each = c.propertiesPerHairpin;
    // Every network solved here differs little from the one before: each starts from its shares.
    NetworkStart start;
    const auto rate = [&](const CaseData& rated, int count, double l) {
        return rateNetwork(rated, count, l, b, data, each, &start);
    };
    // The networks of the leg built with the flows found, each solved once: the count the duty
    // needs is among those tried.
    std::map<int, NetworkFigures> tried;
    const auto built = [&](int count) -> const NetworkFigures& {
        auto it = tried.find(count);
        if (it == tried.end()) it = tried.emplace(count, rate(c, count, leg)).first;
        return it->second;
    };
    const auto capacity = [&](int count, double l) {
        return l == leg ? built(count).q : rate(c, count, l).q;
    };
    const double lmtd =
        std::fabs(dtml(r.intTin, r.intTout, r.estTin, r.estTout, Arrangement::Countercurrent));
    const auto trial = [&](int k) {
        return Trial{built(k).q, sizeForDuty(built(k), k, r.q, lmtd)};
    };
    int count = (hairpinsFor(r.L, leg).count + P - 1) / P * P;
    if (const auto set = hairpinsSet(run.solved.hairpins))
        count = *set;
    else if (!run.solved.LGiven)
        count = hairpinsForDuty(trial, count, P, r.q);
    Hairpins h = hairpinsFor(count * 2 * leg, leg);
    NetworkFigures n = built(count);
    h.overSurface =
        networkOverSurface(capacity, count, leg, n.q, sizeForDuty(n, leg, r.q, lmtd), r.q);
    if (const auto sought = flowSought(run.solved)) {
        const CaseData carried = withFlowForOutlet(c, *sought, [&](const CaseData& trial) {
            n = rate(trial, count, leg);
            return sought->internal ? n.intTout : n.estTout;
        });
        (sought->internal ? h.intPortBuilt : h.estPortBuilt) =
            caseSingle(carried, sought->internal ? &CaseData::intPort : &CaseData::estPort);
    }
    takeNetwork(h, n, b);
    return h;
}

// A stream's pressure drop as built: the straight pipe over its own path (its branch's hairpins,
// two legs each) with its own flow as built, its returns and its two nozzles, with the properties
// at the stream's mean temperature as the calculation took them.
BuiltDrop builtDrop(const CaseRun& run, bool internal, int branches, double leg) {
    const FlowState& f = *run.out.flow;
    const SideFlow& side = internal ? f.internal : f.external;
    const ResultsData& r = *run.out.results;
    const CaseData& c = run.solved;
    const int onPath = run.hairpins->count / branches;
    // The flow a mode seeks is the one the hairpins built carry; its stream's mean temperature,
    // between the inlet and the outlet given, and so its properties are the calculation's.
    const std::optional<float>& carried =
        internal ? run.hairpins->intPortBuilt : run.hairpins->estPortBuilt;
    const float whole = carried ? *carried : internal ? r.intPort : r.estPort;
    const float m = static_cast<float>(whole / double(branches));
    const float v = velocita(m, side.area, side.dens);
    const double re = reynolds(side.dens, v, side.diameter, side.visc);
    const auto metres = [](const std::optional<double>& mm) { return mm ? *mm / 1000 : 0.0; };
    const double bend = metres(measureSet(c.bendRadius, "bend radius", kMaxFittingSize));
    const double nozzle =
        metres(measureSet(internal ? c.intNozzle : c.estNozzle, "nozzle bore", kMaxFittingSize));
    const FittingLosses fl = fittingLosses(
        {!internal, side.dens, side.visc, m, side.bore, v, onPath, bend, f.roughness, nozzle});
    BuiltDrop d;
    d.straight = perditaCarico(f.roughness, side.diameter, static_cast<float>(onPath * 2 * leg), re,
                               side.dens, v, c.correlations);
    d.returns = fl.returns, d.nozzles = fl.nozzles, d.nozzleVelocity = fl.nozzleVelocity;
    d.velocity = v;
    d.total = d.straight + d.returns + d.nozzles;
    d.allowable = measureSet(internal ? c.intAllowedDp : c.estAllowedDp, "allowable pressure drop",
                             kMaxAllowedDrop);
    return d;
}

// Each stream's pressure drop as built, and a note where it exceeds what the stream may take.
void addBuiltDrops(CaseRun& run, double leg) {
    const Branches b{branchesSet(run.solved.intBranches), branchesSet(run.solved.estBranches)};
    run.hairpins->intDrop = builtDrop(run, true, b.internal, leg);
    run.hairpins->estDrop = builtDrop(run, false, b.external, leg);
    for (const auto& [drop, name] : {std::pair{*run.hairpins->intDrop, "internal"},
                                     std::pair{*run.hairpins->estDrop, "external"}})
        if (drop.allowable && drop.total > *drop.allowable)
            run.notes.push_back(std::string("the ") + name + " pressure drop as built, " +
                                formatDouble(roundTo(drop.total, 3)) + " kPa, is above the " +
                                formatDouble(*drop.allowable) + " kPa allowed");
}

Hairpins hairpinsBuilt(const CaseRun& run, double leg, const DataFolder& data) {
    const Branches b{branchesSet(run.solved.intBranches), branchesSet(run.solved.estBranches)};
    if (b.internal == 1 && b.external == 1 && !run.solved.propertiesPerHairpin)
        return hairpinsInSeries(run, leg, data);
    return hairpinsInBranches(run, leg, b, data);
}

// Each view of the results is worked out on its own: one that cannot be is a note.
void addExtras(CaseRun& run, const CalcState& s, const RunOptions& options) {
    const ResultsData& r = *run.out.results;
    std::optional<double> leg;
    try {
        leg = hairpinLeg(run.solved.hairpinLength);
        if (leg) run.hairpins = hairpinsBuilt(run, *leg, s.data);
    } catch (const CalcError& e) {
        run.notes.push_back(noteOf("the hairpins", e));
    }
    try {
        if (run.hairpins) addBuiltDrops(run, *leg);
    } catch (const CalcError& e) {
        run.notes.push_back(noteOf("the pressure drop as built", e));
    }
    if (run.hairpins && !run.hairpins->overSurface)
        run.notes.push_back(
            "the over-surface: no leg length of these hairpins in branches gives "
            "the duty exactly");
    if (run.hairpins && run.hairpins->overSurface && *run.hairpins->overSurface < -0.05)
        run.notes.push_back("the hairpins: the " + std::to_string(run.hairpins->count) +
                            " built give " + formatDouble(roundTo(-*run.hairpins->overSurface, 1)) +
                            " % less surface than the duty needs");
    try {
        if (options.profileSteps > 0) run.profile = temperatureProfile(s, r, options.profileSteps);
        if (options.profileSteps > 0 && run.hairpins)
            if (BuiltProfile built = builtProfile(*run.hairpins, r.controequi);
                !built.curves.empty())
                run.builtProfile = std::move(built);
    } catch (const CalcError& e) {
        run.notes.push_back(noteOf("the temperature profile", e));
    }
    if (options.otherSet) run.otherSet = calculateOtherSet(run.entered, s, r);
}

CalcOutcome refused(const CalcError& e) {
    CalcOutcome out;
    out.message = e.what();
    out.detail = e.detail();
    out.field = e.field();
    return out;
}

}  // namespace

CaseRun runCase(const CaseData& c, const DataFolder& data, const RunOptions& options) {
    CaseRun run;
    try {
        run.entered = c;
        clearFoundFields(run.entered);
        std::optional<FieldText> built;
        try {
            built = lengthOfHairpins(run.entered);
        } catch (const CalcError& e) {
            run.out = refused(e);
            return run;
        }
        CalcState s;
        s.data = data;
        run.out = calculate(run.entered, s);
        if (built) run.out.written.insert(run.out.written.begin(), *built);
        run.solved = run.entered;
        applyTexts(run.solved, run.out.written);
        if (run.ok()) addExtras(run, s, options);
        if (options.checks) {
            addHandCheck(run, s);
            addRangeNotes(run, s);
        }
    } catch (...) {
        // Memory exhausted by a long profile, say: the case ends like one inside the checks.
        run.out = {};
        run.out.message = msg::kInvalidData;
        run.out.detail = calculationFaultDetail();
    }
    return run;
}

}  // namespace zano
