#include "solver/range_notes.h"

#include <cmath>
#include <string>

#include "base/number_text.h"
#include "correlations/correlation_rules.h"
#include "correlations/film_coefficients.h"

namespace zano {
namespace {

// The velocities usual in a heat exchanger, m/s: liquids 0.3 (the shell side's low end) to 4
// (the tube side's highest, against fouling); gases 5 (at high pressure) to 70 (under vacuum).
// Sinnott, Coulson and Richardson's Chemical Engineering, vol. 6, 4th ed. (2005), ch. 12.
constexpr GroupRange kLiquidVelocity{0.3, 4}, kGasVelocity{5, 70};

// Below it a mixed arrangement loses too much of the mean difference, and F falls steeply.
constexpr double kLowestF = 0.8;

// A figure as a note shows it: three significant digits, a decimal comma.
std::string shown(double v) {
    if (v == 0 || !std::isfinite(v)) return formatDouble(v);
    const int digits = 2 - static_cast<int>(std::floor(std::log10(std::fabs(v))));
    return formatDouble(roundTo(v, digits > 0 ? digits : 0));
}

std::string rangeText(const GroupRange& r) {
    if (r.low == -r.high || std::isinf(r.low)) return "at most " + formatDouble(r.high);
    if (std::isinf(r.high)) return "at least " + formatDouble(r.low);
    return formatDouble(r.low) + " to " + formatDouble(r.high);
}

// "the internal film: Prandtl number 512 is outside 0,48 to 16700 of Sieder and Tate, laminar"
void checkGroup(CaseRun& run, const std::string& where, const char* quantity, double value,
                const GroupRange& range, const RuleDeclaration& d) {
    if (!range.bounded() || range.holds(value)) return;
    run.notes.push_back(where + ": " + quantity + " " + shown(value) + " is outside " +
                        rangeText(range) + " of " + d.name);
}

// What a side's film rules are checked on.
struct SideGround {
    std::string where;  // "the internal film"
    double re, pr, lOverD, diameterRatio, viscosityRatio;
    bool gas;
};

// A rule fitted on round tubes and taken in the annulus on its hydraulic diameter.
void checkGeometry(CaseRun& run, const std::string& where, double diameterRatio,
                   const RuleDeclaration& d) {
    if (d.diameterRatio.roundTubeOnly() && diameterRatio > 0)
        run.notes.push_back(where + ": " + d.name + " is for tubes, not an annulus");
    else
        checkGroup(run, where, "d_e/D_i", diameterRatio, d.diameterRatio, d);
}

void checkRule(CaseRun& run, const SideGround& g, Rule rule) {
    const RuleDeclaration& d = declarationOf(rule);
    checkGroup(run, g.where, "Re", g.re, d.re, d);
    checkGroup(run, g.where, "Pr", g.pr, d.pr, d);
    checkGroup(run, g.where, "L/D", g.lOverD, d.lOverD, d);
    checkGeometry(run, g.where, g.diameterRatio, d);
    if (d.fluids == Fluids::Liquids && g.gas)
        run.notes.push_back(g.where + ": " + d.name + " is for liquids, not a gas");
    else
        checkGroup(run, g.where, "μ/μw", g.viscosityRatio, d.viscosityRatio, d);
}

void checkFilm(CaseRun& run, const CalcState& s, const Stream& st, const SideFilm& film) {
    const Geometry& g = s.geo;
    const bool annulus = st.side == Side::External;
    const double muw = st.wallViscosity(run.out.films->wallTemperature);
    const SideGround ground{
        std::string("the ") + st.name() + " film",
        film.re,
        film.pr,
        g.entranceLength(st.side) / filmDiameter(g, st.side, run.solved.correlations),
        annulus ? g.intDe / g.estDi : 0,
        st.props.visc / muw,
        st.gas};
    const CorrelationSet set = run.solved.correlations;
    checkRule(run, ground, filmRule(set, annulus, film.re));
    if (set == CorrelationSet::Refined) checkRule(run, ground, wallRule(film.re, st.gas));
}

void checkFriction(CaseRun& run, const Stream& st, double re) {
    const RuleDeclaration& d = declarationOf(frictionRule(run.solved.correlations, re));
    checkGroup(run, std::string("the ") + st.name() + " pressure drop", "Re", re, d.re, d);
}

// The wall viscosity outside the table is held at its end row; for a liquid the wall may freeze
// or boil there.
void checkWall(CaseRun& run, const Stream& st, double tw) {
    const std::vector<double>& T = st.table.T;
    if (T.empty() || (tw >= T.front() && tw <= T.back())) return;
    const bool below = tw < T.front();
    std::string note = "the wall, " + shown(tw) + " °C, is " + (below ? "below" : "above") +
                       " the " + st.name() + " fluid's table (" + formatDouble(T.front()) + " to " +
                       formatDouble(T.back()) + " °C)";
    if (!st.gas) note += below ? ": it may freeze there" : ": it may boil there";
    run.notes.push_back(note);
}

void checkVelocity(CaseRun& run, const Stream& st, double v) {
    const GroupRange& usual = st.gas ? kGasVelocity : kLiquidVelocity;
    if (usual.holds(v)) return;
    run.notes.push_back(std::string("the ") + st.name() + " velocity " + shown(v) +
                        " m/s is outside " + rangeText(usual) + " m/s, usual for " +
                        (st.gas ? "a gas" : "a liquid"));
}

}  // namespace

void addRangeNotes(CaseRun& run, const CalcState& s) {
    if (!run.ok() || !run.out.films) return;
    const ResultsData& r = *run.out.results;
    checkFilm(run, s, s.internal, run.out.films->internal);
    checkFilm(run, s, s.external, run.out.films->external);
    checkFriction(run, s.internal, r.Rei);
    checkFriction(run, s.external, r.Ree);
    checkWall(run, s.internal, run.out.films->wallTemperature);
    checkWall(run, s.external, run.out.films->wallTemperature);
    checkVelocity(run, s.internal, r.intVel);
    checkVelocity(run, s.external, r.estVel);
    if (run.hairpins && run.hairpins->F && *run.hairpins->F < kLowestF)
        run.notes.push_back("the hairpins in branches: F " + shown(*run.hairpins->F) +
                            " is below " + formatDouble(kLowestF) + ", where surface is wasted");
}

}  // namespace zano
