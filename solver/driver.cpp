#include "solver/driver.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <type_traits>

#include "base/errors.h"
#include "base/faults.h"
#include "base/number_text.h"
#include "base/plain_text.h"
#include "correlations/flow_groups.h"
#include "correlations/log_mean.h"
#include "correlations/overall_coefficient.h"
#include "correlations/pressure_drop.h"
#include "properties/fluid_sides.h"
#include "records/case_fields.h"
#include "solver/case_values.h"
#include "solver/geometry.h"
#include "solver/sides.h"
#include "solver/solution.h"

namespace zano {
namespace {

void checkPressure(const Stream& st) {
    for (float p : st.table.P)
        if (p == st.press) return;
    throw CalcError(fieldsOf(st).invalidPressure, {}, fieldName(fieldsOf(st).pressure));
}

const std::string& fluidOf(const CaseData& c, const Stream& st) {
    return c.*fieldsOf(st).fluid;
}

// `which` names the temperature ("inlet", "outlet", "computed outlet"); the cause says its
// value and the range of the fluid's table at the selected pressure, where the table is already
// reduced to it. `field` is the case's field that holds the temperature, empty for a computed one.
void checkInRange(const Stream& st, double t, const char* which, const std::string& fluid,
                  const std::string& field) {
    if (st.inRange(t)) return;
    const FluidTable& table = st.table;
    throw CalcError(msg::kOutOfRange,
                    std::string("the ") + which + " temperature of the " + st.name() + " fluid, " +
                        formatDouble(roundTo(t, 4)) + " °C, lies outside the table of " +
                        excerpt(fluid) + " at " + formatSingle(st.press) + " bar, from " +
                        formatDouble(table.T.front()) + " °C up to (not including) " +
                        formatDouble(table.T.back()) + " °C",
                    field);
}

// A given outlet against the inlets: it runs the wrong way from its own inlet, or (`pastOther`)
// it goes beyond the other stream's inlet, which no exchanger reaches and the solution would
// report as crossing outlets or a capacity too high.
void checkGivenOutlet(const Solution& sol, bool pastOther) {
    const Stream* g = sol.outletGiven();
    if (!g) return;
    const Stream& other = sol.other(*g);
    const double tin = g->Tin, otherTin = other.Tin, t = g->Tout;
    const bool hot = tin > otherTin, cold = tin < otherTin;
    const std::string outlet = std::string("the outlet temperature of the ") + g->name() +
                               " fluid, " + formatDouble(t) + " °C, lies ";
    const char* field = fieldName(fieldsOf(*g).outlet);
    if (!pastOther && ((hot && t > tin) || (cold && t < tin)))
        throw CalcError(msg::kInvalidTemperatures,
                        outlet + (hot ? "above" : "below") + " its inlet, " + formatDouble(tin) +
                            " °C, though it is the " + (hot ? "hot" : "cold") + " stream (the " +
                            other.name() + " inlet is " + formatDouble(otherTin) + " °C)",
                        field);
    if (pastOther && ((hot && t < otherTin) || (cold && t > otherTin)))
        throw CalcError(msg::kInvalidTemperatures,
                        outlet + (hot ? "below" : "above") + " the inlet of the " + other.name() +
                            " fluid, " + formatDouble(otherTin) + " °C, the " +
                            (hot ? "coldest" : "hottest") + " it can reach",
                        field);
}

// A fault in the solution often follows from an outlet iterate that has left its fluid's
// table, where the properties are extrapolated past boiling or freezing: say so beside it.
std::string outletsOutsideTables(const Solution& sol) {
    std::string note;
    for (const Stream* st : sol.streams()) {
        const FluidTable& t = st->table;
        if (st == sol.given || t.size() == 0 || !std::isfinite(st->Tout) || t.inRange(st->Tout))
            continue;
        note += "; the " + std::string(st->name()) + " outlet temperature had reached " +
                formatDouble(roundTo(st->Tout, 2)) + " °C, outside its table (" +
                formatDouble(t.T.front()) + " to " + formatDouble(t.T.back()) + " °C)";
    }
    return note;
}

// A stream loses no more pressure than it has: a drop at or above its absolute pressure means
// the flow cannot pass, whatever the figures say. The pressure chosen from a table of several
// is the stream's; a table of one block (the user fluid, an oil) gives a liquid's properties at
// a nominal pressure, which says nothing of the stream's, and there the drop is bounded by what
// a pipe can hold: 1000 bar, above the rating of the heaviest schedules.
void checkDropPasses(const Solution& sol, const Stream& st, double drop) {
    constexpr double kPipeHolds = 100000;  // kPa
    // Written only for a drop refused: every calculation passes here.
    const auto which = [&] {
        return "the " + std::string(st.name()) + " pressure drop, " +
               formatDouble(roundTo(drop, 3)) + " kPa, ";
    };
    if (!sol.choosesPressure[static_cast<int>(st.side)]) {
        if (drop >= kPipeHolds)
            invalidData(which() + "reaches 1000 bar, more than any pipe holds: the stream " +
                        "cannot pass through the exchanger");
        return;
    }
    const double available = static_cast<double>(st.press) * 100;  // kPa
    if (drop >= available)
        invalidData(which() + "reaches the " + st.name() + " fluid's own pressure of " +
                    formatSingle(st.press) + " bar (" + formatDouble(roundTo(available, 3)) +
                    " kPa): the stream cannot pass through the exchanger");
}

// Velocities, Reynolds numbers and pressure drops of the final state.
void addFlows(const Solution& sol, ResultsData& r) {
    const CalcState& s = sol.s;
    const Geometry& g = s.geo;
    const Stream& in = s.internal;
    const Stream& est = s.external;
    const CorrelationSet set = sol.c.correlations;
    r.intVel = velocita(in.portata, g.intArea, in.props.dens);
    r.estVel = velocita(est.portata, g.estArea, est.props.dens);
    r.Rei = finite(reynolds(in.props.dens, r.intVel, g.intDi, in.props.visc),
                   "the internal Reynolds number");
    r.intDeltaP =
        sgl(perditaCarico(s.rugTubo, g.intDi, g.lunghezza, r.Rei, in.props.dens, r.intVel, set),
            "the internal pressure drop");
    r.Ree = finite(reynolds(est.props.dens, r.estVel, g.estDh, est.props.visc),
                   "the external Reynolds number");
    r.estDeltaP =
        sgl(perditaCarico(s.rugTubo, g.estDh, g.lunghezza, r.Ree, est.props.dens, r.estVel, set),
            "the external pressure drop");
    checkDropPasses(sol, in, r.intDeltaP);
    checkDropPasses(sol, est, r.estDeltaP);
}

ResultsData complete(const Solution& sol) {
    const Stream& in = sol.s.internal;
    const Stream& est = sol.s.external;
    const CaseData& c = sol.c;
    ResultsData r;
    addFlows(sol, r);
    r.q = sol.q;
    r.a = sol.a;
    r.L = sol.s.geo.lunghezza;
    r.U = sol.U;
    r.controequi = sol.controequi;
    r.deti = caseSingle(c, &CaseData::deti);
    r.spi = caseSingle(c, &CaseData::spi);
    r.dete = caseSingle(c, &CaseData::dete);
    r.spe = caseSingle(c, &CaseData::spe);
    r.mat = c.mat;
    r.intfluid = c.intfluid;
    r.estfluid = c.estfluid;
    r.intpress = in.press;
    r.estpress = est.press;
    r.intTin = in.Tin;
    r.intTout = in.Tout;
    r.estTin = est.Tin;
    r.estTout = est.Tout;
    r.intPort = in.portata;
    r.estPort = est.portata;
    r.intSporc = in.sporcamento;
    r.estSporc = est.sporcamento;
    return r;
}

// The clean coefficient: the resistances of the final state without the two fouling factors,
// summed in the order of the overall coefficient.
DesignMargins designMargins(const FilmBreakdown& f, const ResultsData& r) {
    DesignMargins m;
    // Fouling never raises the coefficient: where the relaxed U lies a hair above the clean
    // coefficient of the same state (within the convergence tolerance), the clean one is U.
    m.Uclean =
        std::max(finite(1 / (f.wall + f.internalFilm + f.externalFilm), "the clean coefficient"),
                 static_cast<double>(r.U));
    // Fouling never lowers the surface needed: where the relaxed U lies a hair above the clean
    // coefficient of the same state (no fouling, or less than the convergence tolerance), the
    // allowance is 0, not a negative percentage.
    m.foulingAllowance =
        m.Uclean > r.U ? finite((m.Uclean / r.U - 1) * 100, "the fouling allowance") : 0;
    return m;
}

// Both streams' inlets, fouling factors, fluids and pressures, and the wall.
void readStreams(Solution& sol) {
    const CaseData& c = sol.c;
    CalcState& s = sol.s;
    for (Stream* st : sol.streams()) st->Tin = caseDouble(c, fieldsOf(*st).inlet);
    for (Stream* st : sol.streams()) st->sporcamento = caseDouble(c, fieldsOf(*st).fouling);
    sol.controequi = c.controequi;
    proptubo(s, c.mat);
    for (Stream* st : sol.streams()) {
        try {
            st->load(s.data, fluidOf(c, *st));
        } catch (const CalcError& e) {  // no such fluid, or its table is unreadable
            throw CalcError(e.message(), e.detail(), fieldName(fieldsOf(*st).fluid));
        }
    }
    // Inlet enthalpies on the full tables, each lookup matching its stream's pressure.
    for (Stream* st : sol.streams()) {
        st->press = caseSingle(c, fieldsOf(*st).pressure);
        st->Hin = st->enthalpy(st->Tin);
    }
    for (Stream* st : sol.streams()) checkPressure(*st);
    for (Stream* st : sol.streams()) {
        const std::vector<float>& P = st->table.P;
        sol.choosesPressure[static_cast<int>(st->side)] =
            std::any_of(P.begin(), P.end(), [&](float p) { return p != P.front(); });
    }
    RiduciVettori(s);
}

// The duty from a stream: both mass flows, and that stream's outlet temperature, which its mode
// must give; the length is found, never given.
void readDutyInputs(Solution& sol) {
    const CaseData& c = sol.c;
    Stream& st = c.dutyFrom == DutyFrom::Internal ? sol.s.internal : sol.s.external;
    const std::string duty = std::string("the duty from the ") + st.name() + " stream ";
    const bool outletGiven =
        st.side == Side::Internal ? c.intToutGiven : c.estToutGiven && !c.intToutGiven;
    if (!outletGiven)
        invalidData(duty + "needs its outlet temperature given (\"Outlet temp.\" of the " +
                        st.name() + " pipe chosen)",
                    fieldName(fieldsOf(st).outlet));
    if (c.LGiven)
        invalidData(duty + "finds the capacity and the length: the length cannot be given too " +
                        "(\"Capacity [kW]\" chosen)",
                    "L");
    sol.dutyFrom = &st;
    st.Tout = caseDouble(c, fieldsOf(st).outlet);
    for (Stream* each : sol.streams()) each->portata = caseSingle(c, fieldsOf(*each).flow);
}

// The mode's inputs: of each stream its outlet temperature or its mass flow.
void readModeInputs(Solution& sol) {
    const CaseData& c = sol.c;
    if (c.dutyFrom != DutyFrom::None) return readDutyInputs(sol);
    if (c.intToutGiven)
        sol.given = &sol.s.internal;
    else if (c.estToutGiven)
        sol.given = &sol.s.external;
    for (Stream* st : sol.streams()) {
        if (st == sol.given)
            st->Tout = caseDouble(c, fieldsOf(*st).outlet);
        else
            st->portata = caseSingle(c, fieldsOf(*st).flow);
    }
}

// What the streams and the pipes must be before anything is solved, in the order the checks
// report them.
void checkInputs(Solution& sol, const PipeSizes& sizes) {
    // A given outlet must lie on the far side of its inlet from the other stream's inlet.
    checkGivenOutlet(sol, false);
    for (const Stream* st : sol.streams()) {
        const SideFields& f = fieldsOf(*st);
        checkInRange(*st, st->Tin, "inlet", fluidOf(sol.c, *st), fieldName(f.inlet));
        if (st == sol.outletGiven())
            checkInRange(*st, st->Tout, "outlet", fluidOf(sol.c, *st), fieldName(f.outlet));
    }
    // Nor beyond the other inlet, after the range checks, which come first.
    checkGivenOutlet(sol, true);
    sol.s.internal.hot = sol.s.internal.Tin > sol.s.external.Tin;
    sol.s.external.hot = !sol.s.internal.hot;
    checkWalls(sizes);
    for (const Stream* st : sol.streams())
        if (st->sporcamento < 0)
            invalidData("the " + std::string(st->name()) + " fouling factor is negative",
                        fieldName(fieldsOf(*st).fouling));
    checkPipes(sizes, sol.s.geo);
    // A stream that does not flow exchanges nothing: named, with its box, before the solution
    // fails on it somewhere deep.
    for (const Stream* st : sol.streams())
        if (st != sol.given && st->portata == 0)
            invalidData("the mass flow of the " + std::string(st->name()) +
                            " fluid is 0: a stream that does not flow exchanges no heat",
                        fieldName(fieldsOf(*st).flow));
}

// The capacity the stream's outlet gives: its mass flow times its enthalpy change, the outlet's
// enthalpy from its table at its pressure, as a given outlet's always is.
float dutyOf(Stream& st) {
    st.Hout = st.enthalpy(st.Tout);
    const float q = sgl(static_cast<double>(st.portata) * st.enthalpyChange(), "the duty");
    if (!(q > 0))
        invalidData(std::string("the duty from the ") + st.name() + " stream, " +
                        formatSingle(roundTo(q, 3)) +
                        " kW, is not above 0: its outlet temperature must differ from its inlet " +
                        "and its mass flow be above 0",
                    fieldName(fieldsOf(st).outlet));
    return q;
}

// The length given sets the surface; the capacity given, or the duty from a stream, the duty.
void readSize(Solution& sol) {
    Geometry& g = sol.s.geo;
    if (!sol.c.LGiven) {
        sol.q = sol.dutyFrom ? dutyOf(*sol.dutyFrom) : caseSingle(sol.c, &CaseData::q);
        return;
    }
    g.lunghezza = caseSingle(sol.c, &CaseData::L);
    g.pathLength[0] = sol.s.pathLength[0], g.pathLength[1] = sol.s.pathLength[1];
    // A length of a few 1E-45 m leaves no surface in single precision: nothing could be
    // exchanged, yet the schemes would find flows for the duty of their start values. (A
    // length of 0 is named by the film coefficients.)
    sol.a = sgl(g.lunghezza * g.surfacePerMetre(), "the surface");
    if (sol.a == 0 && g.lunghezza != 0)
        invalidData("the surface is 0: the exchanger is too short to carry heat", "L");
}

void solve(Solution& sol) {
    try {
        if (sol.c.LGiven)
            solveLengthGiven(sol);
        else
            solveCapacityGiven(sol);
    } catch (const CalcError& e) {
        if (e.message() != msg::kInvalidData) throw;
        // A material that is not in the table leaves the wall without a conductivity, which the
        // first coefficient finds: the cause names the material as typed.
        const std::string detail = e.field() == "mat" && !sol.s.tuboName
                                       ? "the wall material \"" + excerpt(sol.c.mat) +
                                             "\" has no conductivity (no material of that name)"
                                       : e.detail();
        throw CalcError(e.message(), detail + outletsOutsideTables(sol), e.field());
    }
}

void run(const CaseData& c, CalcState& s, CalcOutcome& out) {
    s.inizializza();
    Solution sol(c, s, out.written);
    const PipeSizes sizes = deriveGeometry(c, s.geo);
    readStreams(sol);
    readModeInputs(sol);
    checkInputs(sol, sizes);
    readSize(sol);
    solve(sol);
    const ResultsData r = complete(sol);
    if (s.breakdown) {
        // The films of the final state, the one the last coefficient came from.
        out.films = filmBreakdown(s.internal, s.external, s.geo, s.condTubo, s.tuboName,
                                  s.internal.Tm, s.external.Tm, c.correlations);
        out.margins = designMargins(*out.films, r);
    }
    const Geometry& g = s.geo;
    out.flow =
        FlowState{{s.internal.props.dens, s.internal.props.visc, g.intDi, g.intArea, g.intDi},
                  {s.external.props.dens, s.external.props.visc, g.estDh, g.estArea, g.estDi},
                  s.rugTubo};
    out.results = r;
}

}  // namespace

void PassBudget::spend() {
    if (++used_ > kPasses) throw CalcError(msg::kNotConverged);
}

double Solution::orientedDtml() const {
    const Stream& hot = s.internal.hot ? s.internal : s.external;
    const Stream& cold = s.internal.hot ? s.external : s.internal;
    return finite(dtml(hot.Tin, hot.Tout, cold.Tin, cold.Tout, controequi),
                  "the log-mean temperature difference");
}

float Solution::logMean() const {
    return sgl(orientedDtml(), "the log-mean temperature difference");
}

float Solution::exchangerCapacity(float dT) const {
    return sgl(static_cast<double>(U) * a * dT / 1000, "the capacity");
}

float Solution::coefficient() const {
    return sgl(overallCoefficient(s.internal, s.external, s.geo, s.condTubo, s.tuboName,
                                  s.internal.Tm, s.external.Tm, c.correlations),
               "the overall heat transfer coefficient");
}

void Solution::outletsCarrying(float duty) {
    Stream& in = s.internal;
    Stream& est = s.external;
    const double dhInt = divide(duty, in.portata, textsOf(in).noMassFlow);
    const double dhEst = divide(duty, est.portata, textsOf(est).noMassFlow);
    in.Hout = in.outletEnthalpy(dhInt);
    est.Hout = est.outletEnthalpy(dhEst);
    in.Tout = in.temperatureAt(in.Hout);
    est.Tout = est.temperatureAt(est.Hout);
}

void Solution::takeMeanProperties(Stream& st) {
    st.setMeanTemperature((st.Tout + st.Tin) / 2);
}

bool Solution::differs(double x, double y, float tolerance) {
    return sgl(std::fabs(x - y), "a convergence difference") > tolerance;
}

void Solution::checkResolvable() const {
    // The coefficient converges to within 0.01 W/(m^2 K): below ten times that, the solution
    // cannot tell it from 0, and the surface it implies may be wrong by orders of magnitude.
    if (U < 10 * kTolU)
        invalidData("the overall heat transfer coefficient, " + formatSingle(roundTo(U, 4)) +
                    " W/(m² K), is below 0,1 W/(m² K), which the solution cannot resolve");
}

void Solution::checkOutletInRange(const Stream& st) const {
    checkInRange(st, st.Tout, "computed outlet", fluidOf(c, st), {});
}

namespace {

double dutyMiss(float q, double duty) {
    if (q == 0) return duty == 0 ? 0 : HUGE_VAL;
    return std::fabs(duty - q) / std::fabs(static_cast<double>(q));
}

}  // namespace

double balanceMiss(float q, const Stream& st) {
    return dutyMiss(q, static_cast<double>(st.portata) * st.enthalpyChange());
}

void balanceDoesNotClose(double miss, const Stream& st, bool finest) {
    invalidData(
        "the heat balance does not close: the duties of the streams by their "
        "enthalpies miss the capacity by " +
        formatDouble(roundTo(100 * miss, 1)) + " %" + (finest ? " at the finest tolerance" : "") +
        "; the " + st.name() + " fluid's temperature changes by only " +
        formatDouble(roundTo(std::fabs(st.Tout - st.Tin), 6)) +
        " K, finer than its table resolves");
}

void Solution::checkBalanceCloses() const {
    const Stream* worst = nullptr;
    double worstMiss = 0;
    for (const Stream* st : {&s.internal, &s.external}) {
        // The outlet's enthalpy looked up again from the outlet temperature found, as every
        // check of the results does: the inverse lookup and back lose what the table cannot
        // resolve.
        const double dh = std::fabs(st->Hin - st->enthalpy(st->Tout));
        const double miss = dutyMiss(q, static_cast<double>(st->portata) * dh);
        if (!(miss <= worstMiss)) worst = st, worstMiss = miss;
    }
    if (worst && !(worstMiss <= kBalanceTolerance)) balanceDoesNotClose(worstMiss, *worst, false);
}

void Solution::writeBack(std::string CaseData::*member, std::string text) {
    const CaseField* f = caseFieldOf(member);
    for (FieldText& w : written)
        if (w.field == f) return void(w.text = std::move(text));
    written.push_back({f, std::move(text)});
}

void Solution::writeBackFlow(const Stream& st) {
    writeBack(fieldsOf(st).flow, formatSingle(roundTo(st.portata, 4)));
}

void Solution::writeBackOutlet(const Stream& st) {
    writeBack(fieldsOf(st).outlet, formatDouble(roundTo(st.Tout, 4)));
}

void Solution::writeBackCapacity() {
    writeBack(&CaseData::q, formatSingle(roundTo(q, 3)));
}

void Solution::writeBackLength() {
    writeBack(&CaseData::L, formatSingle(roundTo(s.geo.lunghezza, 3)));
}

const StreamTexts& textsOf(const Stream& st) {
    static const StreamTexts texts[] = {
        {"the internal mass flow", "the internal mass flow is 0", "the internal outlet temperature",
         "the internal fluid's enthalpy does not change between inlet and outlet: no mass flow "
         "can carry the duty",
         "the internal fluid's enthalpy does not change between inlet and outlet: no mass flow "
         "can carry the capacity"},
        {"the external mass flow", "the external mass flow is 0", "the external outlet temperature",
         "the external fluid's enthalpy does not change between inlet and outlet: no mass flow "
         "can carry the duty",
         "the external fluid's enthalpy does not change between inlet and outlet: no mass flow "
         "can carry the capacity"},
    };
    return texts[static_cast<int>(st.side)];
}

double divide(double num, double den, const char* cause) {
    if (den == 0) invalidData(cause);
    return finite(num / den, cause);
}

std::string calculationFaultDetail() {
    return "the calculation failed unexpectedly (" + faultText() + ")";
}

CalcOutcome calculate(const CaseData& caseData, CalcState& state) {
    CalcOutcome out;
    try {
        run(caseData, state, out);
    } catch (const CalcError& e) {
        out.results.reset();
        out.margins.reset();
        out.message = e.what();
        out.detail = e.detail();
        out.field = e.field();
    } catch (...) {
        // Nothing leaves a calculation but its outcome: a fault outside the checks (memory
        // exhausted, say) ends it like any other, with its cause.
        out.results.reset();
        out.margins.reset();
        out.message = msg::kInvalidData;
        out.detail = calculationFaultDetail();
    }
    return out;
}

}  // namespace zano
