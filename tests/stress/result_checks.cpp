#include "tests/stress/result_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "base/errors.h"
#include "base/number_text.h"
#include "correlations/log_mean.h"
#include "formats/results_display.h"
#include "records/case_fields.h"

namespace zano::stress {

bool isSystemMessage(const std::string& m) {
    using namespace msg;
    for (const char* known :
         {kInvalidIntPressure, kInvalidEstPressure, kInvalidTemperatures, kOutOfRange, kNtuTooHigh,
          kCapacityTooHigh, kInvalidData, kNotConverged})
        if (m == known) return true;
    return false;
}

namespace {

constexpr double kBalance = 0.005;  // a stream's duty against the capacity
constexpr double kPi = 3.141593;

std::string fmt(const char* format, double a, double b = 0, double c = 0, double d = 0) {
    char buf[256];
    std::snprintf(buf, sizeof buf, format, a, b, c, d);
    return buf;
}

// The duty a stream carries by its table enthalpies, kW.
double streamDuty(const Block& b, float m, double tin, double tout) {
    const double hin = b.table.enthalpy(tin, b.pressure);
    const double hout = b.table.enthalpy(tout, b.pressure);
    return static_cast<double>(m) * std::fabs(hin - hout);
}

// The steepest enthalpy slope of a block between two temperatures, kJ/(kg K): over the
// intervals that hold a part of [t1, t2], and the end interval a temperature past the block
// extrapolates from.
double steepestSlope(const Block& b, double t1, double t2) {
    const std::vector<double>& T = b.table.T;
    const std::vector<double>& H = b.table.H;
    const double lo = std::min(t1, t2), hi = std::max(t1, t2);
    double slope = 0;
    for (std::size_t i = 0; i + 1 < T.size(); ++i) {
        const bool held = T[i + 1] >= lo && T[i] <= hi;
        const bool extrapolated = (i == 0 && lo < T[0]) || (i + 2 == T.size() && hi > T[i + 1]);
        if (held || extrapolated)
            slope = std::max(slope, std::fabs(H[i + 1] - H[i]) / (T[i + 1] - T[i]));
    }
    return slope;
}

// Heat capacity rate of a stream over its temperature change, kW/K. The enthalpy column's own
// slope where it is steeper than the specific heat: a tolerance in kelvin is a duty through the
// enthalpies, and a table may hold any specific heat beside them.
double rate(const Block& b, float m, double tin, double tout) {
    const double cp = std::fabs(b.table.properties(0.5 * (tin + tout), b.pressure).cp);
    return static_cast<double>(m) * std::max(cp, steepestSlope(b, tin, tout));
}

// How far a stream's duty may stray from the capacity, kW.
// - Always: the table lookups. The 1e-6 guard on the abscissa and the single-precision slope
//   shift an interpolated value by the equivalent of about 1e-6 K; a bracket chosen by a
//   single-precision comparison extrapolates a hair from the neighbouring interval. Allowed:
//   1e-4 K times the stream's heat capacity rate, and a relative 1e-6 for the single-precision
//   capacity and flow.
// - With the length given and one outlet given (schemes A and B) the other outlet is iterated
//   and the sought flow comes from the duty of the iterated stream: that outlet is left within
//   0.001 K of its target plus a relaxed step of at most that again, 2 * 0.001 K times the
//   iterated stream's rate; and the capacity is recomputed from the relaxed U after the last
//   inner pass, which used the U before the final relaxation: they differ by at most
//   0.8/0.2 * 0.01 = 0.04 W/(m^2 K), plus 2.5 single-precision steps of U from the rounding of
//   the relaxed value: a relative (0.04 + 3 ulp(U)) / U.
// - Always, at the bottom of the single range: a capacity or flow stored as a subnormal single
//   keeps only a few bits; one step of 1.4E-45 in each.
double allowance(const CaseData& c, const ResultsData& r, double ownRate, double iteratedRate,
                 double enthalpyChange) {
    const double q = std::fabs(r.q);
    const double step = std::numeric_limits<float>::denorm_min();
    double allowed = q * 1e-6 + ownRate * 1e-4 + step * (1 + enthalpyChange);
    if (c.LGiven && (c.intToutGiven || c.estToutGiven)) {
        const double ulpU = std::nextafter(r.U, std::numeric_limits<float>::max()) - r.U;
        allowed +=
            q * (4 * kTolU + 3 * ulpU) / std::max<double>(r.U, 1e-30) + iteratedRate * 2 * kTolT;
    }
    return allowed;
}

// What any sound result shows beside its balance:
// - velocities and Reynolds numbers above 0: a Reynolds number of 0 (a velocity rounded to 0)
//   makes the laminar friction factor 64/Re no number and ends the calculation, so no result
//   may carry one;
// - pressure drops not below 0. A drop of 0 is sound: it is stored as a single, and a flow of
//   1E-20 kg/s or a length of 1E-30 m, both accepted, put it below the smallest single.
void checkPlausible(const ResultsData& r, std::vector<std::string>& broken) {
    const struct {
        const char* name;
        float vel, deltaP;
        double re;
    } sides[] = {{"internal", r.intVel, r.intDeltaP, r.Rei},
                 {"external", r.estVel, r.estDeltaP, r.Ree}};
    for (const auto& s : sides) {
        if (!(s.vel > 0 && s.re > 0))
            broken.push_back(
                std::string("the ") + s.name +
                fmt(" velocity %.6g m/s or Reynolds number %.6g is not positive", s.vel, s.re));
        if (!(s.deltaP >= 0))
            broken.push_back(std::string("the ") + s.name +
                             fmt(" pressure drop %.6g kPa is negative", s.deltaP));
    }
}

// Whether the outcome is results to be judged further: a message must be one of the
// system's, and results come without one.
bool judged(const CaseData& c, const CalcOutcome& out, std::vector<std::string>& broken,
            std::string& explained) {
    if (!out.ok()) {
        if (!isSystemMessage(out.message))
            broken.push_back("ended in a text that is no system message: \"" + out.message + "\"");
        if (out.message == msg::kInvalidData && out.detail.empty())
            broken.push_back("\"Invalid data\" without a cause");
        return false;
    }
    if (!out.message.empty()) broken.push_back("results together with a message");
    // A negative wall thickness or fouling factor is taken as given (the inputs get no
    // plausibility check): it makes a negative resistance and possibly a negative coefficient,
    // and the results are those of a device that cannot exist. Counted apart, not judged.
    for (const std::string* text : {&c.spi, &c.spe, &c.intSporc, &c.estSporc}) {
        const auto v = parseDouble(*text);
        if (v && *v < 0) {
            explained = "a negative wall thickness or fouling factor, taken as given";
            return false;
        }
    }
    const ResultsData& r = *out.results;
    const double values[] = {
        r.q,       r.a,       r.L,      r.U,      r.intTin,    r.intTout,   r.estTin,   r.estTout,
        r.intPort, r.estPort, r.intVel, r.estVel, r.intDeltaP, r.estDeltaP, r.intSporc, r.estSporc,
        r.Rei,     r.Ree,     r.deti,   r.spi,    r.dete,      r.spe,       r.intpress, r.estpress};
    for (double v : values)
        if (!std::isfinite(v)) {
            broken.push_back("a result is not finite");
            return false;
        }
    return true;
}

// Outlets between the inlets, a sound result's signs and its surface.
void checkRanges(const ResultsData& r, std::vector<std::string>& broken) {
    const double lo = std::min(r.intTin, r.estTin) - kTolT;
    const double hi = std::max(r.intTin, r.estTin) + kTolT;
    for (const auto& [side, t] : {std::pair{"internal", r.intTout}, {"external", r.estTout}})
        if (t < lo || t > hi)
            broken.push_back(
                side + fmt(" outlet %.6g outside the inlets [%.6g, %.6g]", t, r.intTin, r.estTin));
    // A length of 1E-45 m makes a surface and a capacity of 0 in single precision.
    if (!(r.q >= 0 && r.a >= 0 && r.L > 0 && r.U > 0 && r.intPort > 0 && r.estPort > 0))
        broken.push_back(
            fmt("a capacity, surface, length, coefficient or flow is out of range "
                "(q %.6g, L %.6g, U %.6g, flows %.6g ...)",
                r.q, r.L, r.U, std::min(r.intPort, r.estPort)));

    checkPlausible(r, broken);
    // The surface is that of the internal pipe's outside over the length.
    const double surface = kPi * r.deti / 1000 * r.L;
    if (!(std::fabs(r.a - surface) <= 1e-5 * surface + std::numeric_limits<float>::denorm_min()))
        broken.push_back(fmt("the surface %.7g m2 is not pi d L = %.7g m2", r.a, surface));
}

// Each stream's duty from its table enthalpies against the capacity.
void checkDuties(const Fluids& fluids, const CaseData& c, const ResultsData& r,
                 std::vector<std::string>& broken) {
    const Block& bi = fluids.block(c.intfluid, r.intpress);
    const Block& be = fluids.block(c.estfluid, r.estpress);
    // Scheme A iterates the external outlet, scheme B the internal one.
    const double rates[] = {rate(bi, r.intPort, r.intTin, r.intTout),
                            rate(be, r.estPort, r.estTin, r.estTout)};
    const double iterated = c.intToutGiven ? rates[1] : rates[0];
    const double duties[] = {streamDuty(bi, r.intPort, r.intTin, r.intTout),
                             streamDuty(be, r.estPort, r.estTin, r.estTout)};
    const double flows[] = {r.intPort, r.estPort};
    for (int side = 0; side < 2; ++side) {
        const double dh = flows[side] > 0 ? duties[side] / flows[side] : 0;
        const double allowed = allowance(c, r, rates[side], iterated, dh);
        const double miss = std::fabs(duties[side] - r.q);
        // Whatever the scheme, the balance closes within 0.5 %: a case whose outlet the table
        // cannot tell from its inlet is refused, never reported.
        const double closes =
            kBalance * std::fabs(r.q) + std::numeric_limits<float>::denorm_min() * (1 + dh);
        const std::string stream = side == 0 ? "the internal" : "the external";
        if (miss > closes)
            broken.push_back(stream + fmt(" duty %.7g kW misses the capacity %.7g kW by more "
                                          "than 0.5 %%",
                                          duties[side], r.q));
        if (miss > allowed)
            broken.push_back(stream + fmt(" duty %.7g kW differs from the capacity %.7g kW by "
                                          "more than %.3g kW",
                                          duties[side], r.q, allowed));
    }
}

void checkEquation(const ResultsData& r, std::vector<std::string>& broken) {
    // The exchanger equation q = U a dTml / 1000 at the reported outlets, within 0.5 % and the
    // loops' tolerances. The capacity comes from the last inner pass: from a U up to 4 * 0.01
    // below the relaxed one reported (the outer loop stops within 0.01 of the computed value,
    // after a step of 0.8), 0.04 / (U - 0.04) relative to it; and from a log-mean difference
    // within 0.001 K of that of the outlets, twice that after the relaxed step, which is
    // U a 0.002 / 1000 kW whatever the difference itself.
    const bool intHot = r.intTin > r.estTin;
    const double dT = intHot ? dtml(r.intTin, r.intTout, r.estTin, r.estTout, r.controequi)
                             : dtml(r.estTin, r.estTout, r.intTin, r.intTout, r.controequi);
    const double U = r.U, equation = U * r.a * dT / 1000;
    const double slack = (kBalance + 4 * kTolU / std::max(U - 4 * kTolU, 1e-30)) * std::fabs(r.q) +
                         (U + 4 * kTolU) * r.a * 2 * kTolT / 1000 + 1e-6 * std::fabs(equation) +
                         std::numeric_limits<float>::denorm_min();
    if (std::isfinite(dT) && std::fabs(equation - r.q) > slack)
        broken.push_back(
            fmt("the capacity %.7g kW differs from U a dTml = %.7g kW", r.q, equation));
}

}  // namespace

std::vector<std::string> check(const Fluids& fluids, const CaseData& c, const CalcOutcome& out,
                               std::string& explained) {
    std::vector<std::string> broken;
    explained.clear();
    if (!judged(c, out, broken, explained)) return broken;
    const ResultsData& r = *out.results;
    checkRanges(r, broken);
    checkDuties(fluids, c, r, broken);
    checkEquation(r, broken);
    return broken;
}

// The checks on the temperature profile of a sound result: its ends are the inlets and the
// outlets, its duty the capacity.
std::vector<std::string> checkProfile(const Fluids& fluids, const CaseData& c, const ResultsData& r,
                                      const TemperatureProfile& p) {
    std::vector<std::string> broken;
    if (p.points.size() < 2) return {"a profile of fewer than two points"};
    const ProfilePoint &first = p.points.front(), &last = p.points.back();
    const bool contro = r.controequi == Arrangement::Countercurrent;
    // An inlet comes back through the enthalpy lookup and its inverse (the 1e-6 guard of the
    // interpolation); an outlet follows from the capacity, which the solution balances within
    // 0.2 % of the stream's temperature change.
    const double intTol = 2e-3 * std::fabs(r.intTin - r.intTout) + 1e-4;
    const double estTol = 2e-3 * std::fabs(r.estTin - r.estTout) + 1e-4;
    const struct {
        const char* what;
        double got, want, tol;
    } ends[] = {{"x at the start", first.x, 0, 0},
                {"x at the end", last.x, r.L, 1e-9 * r.L},
                {"internal inlet", first.intT, r.intTin, 1e-4},
                {"internal outlet", last.intT, r.intTout, intTol},
                {"external end at x = 0", first.estT, contro ? r.estTout : r.estTin, 1e-4},
                {"external end at x = L", last.estT, contro ? r.estTin : r.estTout, estTol}};
    for (const auto& e : ends)
        if (!(std::fabs(e.got - e.want) <= e.tol))
            broken.push_back(std::string("the profile's ") + e.what +
                             fmt(" is %.9g, not %.9g", e.got, e.want));
    // The duty of the whole profile is the capacity; its length scale near 1.
    const double duty =
        streamDuty(fluids.block(c.intfluid, r.intpress), r.intPort, first.intT, last.intT);
    if (!(std::fabs(duty - r.q) <= 2e-3 * r.q))
        broken.push_back(fmt("the profile carries %.7g kW, not the capacity %.7g kW", duty, r.q));
    if (!(p.scale > 0.9 && p.scale < 1.1))
        broken.push_back(fmt("the profile's length scale %.6g is far from 1", p.scale));
    return broken;
}

std::string brokenChecks(const Fluids& fluids, const CaseData& c, const CalcOutcome& out,
                         const std::optional<TemperatureProfile>& profile) {
    std::string explained, all;
    std::vector<std::string> broken = check(fluids, c, out, explained);
    if (out.ok() && profile && explained.empty())
        for (std::string& b : checkProfile(fluids, c, *out.results, *profile)) broken.push_back(b);
    for (const std::string& b : broken) all += "\n  " + b;
    return all.empty() ? "" : describe(c) + all;
}

std::string describe(const CaseData& c) {
    std::string s;
    for (const CaseField& f : kCaseFields) s += std::string(f.name) + "=\"" + c.*f.text + "\" ";
    return s + "intToutGiven=" + (c.intToutGiven ? "1" : "0") +
           " estToutGiven=" + (c.estToutGiven ? "1" : "0") + " LGiven=" + (c.LGiven ? "1" : "0") +
           " controequi=" + arrangementWord(c.controequi);
}

}  // namespace zano::stress
