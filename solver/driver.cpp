#include "solver/driver.h"

#include <cmath>
#include <string_view>
#include <type_traits>

#include "base/errors.h"
#include "base/number_text.h"
#include "correlations/flow_groups.h"
#include "correlations/log_mean.h"
#include "correlations/overall_coefficient.h"
#include "correlations/pressure_drop.h"
#include "properties/fluid_sides.h"
#include "solver/solution.h"

namespace zano {
namespace {

// A case text read as a number; empty or malformed texts end the calculation naming the field.
template <typename T>
T convert(const std::string& text, std::string_view field) {
    const auto value = [&] {
        if constexpr (std::is_same_v<T, float>)
            return parseSingle(text);
        else
            return parseDouble(text);
    }();
    if (value) return *value;
    std::string what(field);
    if (text.find_first_not_of(" \t") == std::string::npos) invalidData(what + " is empty");
    if (parseDouble(text)) invalidData(what + " \"" + text + "\" is too large");
    invalidData(what + " \"" + text + "\" is not a number");
}

double toDouble(const std::string& text, std::string_view field) {
    return convert<double>(text, field);
}
float toSingle(const std::string& text, std::string_view field) {
    return convert<float>(text, field);
}

void checkPressure(const FluidTable& table, float pressure, const char* message) {
    bool found = false;
    for (float p : table.P)
        if (p == pressure) found = true;
    if (!found) throw CalcError(message);
}

void checkInRange(const Solution& sol, double temperature, bool internal) {
    if (controllatemp(sol.s, temperature, internal ? sol.intPressure : sol.estPressure,
                      internal ? "int" : "est") == "NO")
        throw CalcError(msg::kOutOfRange);
}

// Geometry in metres, each value stored as single before it is used further.
void deriveGeometry(const CaseData& c, CalcState& s) {
    const double deti = toDouble(c.deti, "The outside diameter of the internal pipe");
    const double spi = toDouble(c.spi, "The wall thickness of the internal pipe");
    const double dete = toDouble(c.dete, "The outside diameter of the external pipe");
    const double spe = toDouble(c.spe, "The wall thickness of the external pipe");
    s.intDe = sgl(deti / 1000, "the outside diameter of the internal pipe");
    s.intDi = sgl(s.intDe - 2 * spi / 1000, "the inside diameter of the internal pipe");
    s.estDi = sgl((dete - 2 * spe) / 1000, "the inside diameter of the external pipe");
    const double pi = s.pigreco;
    const double di = s.intDi, de = s.intDe, Di = s.estDi;
    s.intArea = sgl(di * di * pi / 4, "the flow area of the internal pipe");
    s.estArea = sgl((Di * Di - de * de) * pi / 4, "the flow area of the annulus");
    if (Di + de == 0) invalidData("the annulus has no hydraulic diameter: both diameters are 0");
    s.estDh = sgl((Di * Di - de * de) / (Di + de), "the hydraulic diameter of the annulus");
}

// Sizes that no pipe can have, and resistances below zero, end the calculation before the
// solution turns them into a coefficient that no exchanger has.
void checkGeometry(const CaseData& c, const CalcState& s) {
    if (toDouble(c.spi, "The wall thickness of the internal pipe") < 0)
        invalidData("the wall thickness of the internal pipe is negative");
    if (toDouble(c.spe, "The wall thickness of the external pipe") < 0)
        invalidData("the wall thickness of the external pipe is negative");
    if (s.intSporcamento < 0) invalidData("the internal fouling factor is negative");
    if (s.estSporcamento < 0) invalidData("the external fouling factor is negative");
    if (!(s.intDi > 0))
        invalidData("the internal pipe has no bore: its wall is as thick as its radius");
    if (!(s.estArea > 0 && s.estDh > 0))
        invalidData(
            "the annulus has no area: the external pipe is not larger than the internal one");
}

// A fault in the solution often follows from an outlet iterate that has left its fluid's
// table, where the properties are extrapolated past boiling or freezing: say so beside it.
std::string outletsOutsideTables(const Solution& sol) {
    std::string note;
    auto check = [&](const FluidTable& t, double temperature, const char* side, bool sought) {
        if (!sought || t.size() == 0 || !std::isfinite(temperature) || t.inRange(temperature))
            return;
        note += "; the " + std::string(side) + " outlet temperature had reached " +
                formatDouble(roundTo(temperature, 2)) + " °C, outside its table (" +
                formatDouble(t.T.front()) + " to " + formatDouble(t.T.back()) + " °C)";
    };
    const CaseData& c = sol.c;
    check(sol.s.intTable, sol.intTout, "internal", !c.intToutGiven);
    check(sol.s.estTable, sol.estTout, "external", c.intToutGiven || !c.estToutGiven);
    return note;
}

ResultsData complete(Solution& sol) {
    CalcState& s = sol.s;
    const CaseData& c = sol.c;
    ResultsData r;
    r.intVel = velocita(s.intPortata, s.intArea, s.intDens);
    r.estVel = velocita(s.estPortata, s.estArea, s.estDens);
    r.Rei =
        finite(reynolds(s.intDens, r.intVel, s.intDi, s.intVisc), "the internal Reynolds number");
    r.intDeltaP = sgl(perditaCarico(s.rugTubo, s.intDi, s.lunghezza, r.Rei, s.intDens, r.intVel),
                      "the internal pressure drop");
    r.Ree =
        finite(reynolds(s.estDens, r.estVel, s.estDh, s.estVisc), "the external Reynolds number");
    r.estDeltaP = sgl(perditaCarico(s.rugTubo, s.estDh, s.lunghezza, r.Ree, s.estDens, r.estVel),
                      "the external pressure drop");

    r.q = sol.q;
    r.a = sol.a;
    r.L = s.lunghezza;
    r.U = sol.U;
    r.controequi = sol.controequi;
    r.deti = toSingle(c.deti, "The outside diameter of the internal pipe");
    r.spi = toSingle(c.spi, "The wall thickness of the internal pipe");
    r.dete = toSingle(c.dete, "The outside diameter of the external pipe");
    r.spe = toSingle(c.spe, "The wall thickness of the external pipe");
    r.mat = c.mat;
    r.intfluid = c.intfluid;
    r.estfluid = c.estfluid;
    r.intpress = toSingle(c.intpress, "The pressure of the internal fluid");
    r.estpress = toSingle(c.estpress, "The pressure of the external fluid");
    r.intTin = sol.intTin;
    r.intTout = sol.intTout;
    r.estTin = sol.estTin;
    r.estTout = sol.estTout;
    r.intPort = s.intPortata;
    r.estPort = s.estPortata;
    r.intSporc = s.intSporcamento;
    r.estSporc = s.estSporcamento;
    return r;
}

// The clean coefficient: the final state once more with both fouling factors at 0.
DesignMargins designMargins(Solution& sol, const ResultsData& r) {
    CalcState& s = sol.s;
    const double intFouling = s.intSporcamento, estFouling = s.estSporcamento;
    s.intSporcamento = s.estSporcamento = 0;
    DesignMargins m;
    m.Uclean = Coeffscambio(s, s.intDi, s.intDe, s.estDh, s.lunghezza, sol.tmi, sol.tme);
    s.intSporcamento = intFouling;
    s.estSporcamento = estFouling;
    m.foulingAllowance = finite((m.Uclean / r.U - 1) * 100, "the fouling allowance");
    return m;
}

void run(CaseData& c, CalcState& s, CalcOutcome& out) {
    s.inizializza();
    Solution sol(c, s);

    deriveGeometry(c, s);
    sol.intTin = toDouble(c.intTin, "The inlet temperature of the internal fluid");
    sol.estTin = toDouble(c.estTin, "The inlet temperature of the external fluid");
    s.intSporcamento = toDouble(c.intSporc, "The internal fouling factor");
    s.estSporcamento = toDouble(c.estSporc, "The external fouling factor");
    sol.controequi = c.controequi == "contro" ? "contro" : "equi";
    proptubo(s, c.mat);
    dbpropint(s, c.intfluid);
    dbpropest(s, c.estfluid);

    // Inlet enthalpies on the full tables, each lookup matching its side's pressure.
    sol.intPressure = s.intPress = toSingle(c.intpress, "The pressure of the internal fluid");
    sol.intHin = propHint(s, sol.intTin);
    sol.estPressure = s.estPress = toSingle(c.estpress, "The pressure of the external fluid");
    sol.estHin = propHest(s, sol.estTin);

    checkPressure(s.intTable, sol.intPressure, msg::kInvalidIntPressure);
    checkPressure(s.estTable, sol.estPressure, msg::kInvalidEstPressure);
    RiduciVettori(s);

    const double intTin = sol.intTin, estTin = sol.estTin;
    if (c.intToutGiven) {
        sol.intTout = toDouble(c.intTout, "The outlet temperature of the internal fluid");
        s.estPortata = toSingle(c.estPort, "The mass flow of the external fluid");
        const double t = sol.intTout;
        if ((intTin > estTin && t > intTin) || (intTin < estTin && t < intTin))
            throw CalcError(msg::kInvalidTemperatures);
        checkInRange(sol, intTin, true);
        checkInRange(sol, t, true);
        checkInRange(sol, estTin, false);
    } else if (c.estToutGiven) {
        s.intPortata = toSingle(c.intPort, "The mass flow of the internal fluid");
        sol.estTout = toDouble(c.estTout, "The outlet temperature of the external fluid");
        const double t = sol.estTout;
        if ((intTin > estTin && t < estTin) || (intTin < estTin && t > estTin))
            throw CalcError(msg::kInvalidTemperatures);
        checkInRange(sol, intTin, true);
        checkInRange(sol, estTin, false);
        checkInRange(sol, t, false);
    } else {
        s.intPortata = toSingle(c.intPort, "The mass flow of the internal fluid");
        s.estPortata = toSingle(c.estPort, "The mass flow of the external fluid");
        checkInRange(sol, intTin, true);
        checkInRange(sol, estTin, false);
    }
    sol.intHot = intTin > estTin;
    checkGeometry(c, s);

    if (c.LGiven)
        s.lunghezza = toSingle(c.L, "The length");
    else
        sol.q = toSingle(c.q, "The capacity");
    try {
        if (c.LGiven)
            solveLengthGiven(sol);
        else
            solveCapacityGiven(sol);
    } catch (const CalcError& e) {
        if (e.message() != msg::kInvalidData) throw;
        throw CalcError(e.message(), e.detail() + outletsOutsideTables(sol));
    }
    const ResultsData r = complete(sol);
    out.margins = designMargins(sol, r);
    out.results = r;
}

}  // namespace

void PassBudget::spend() {
    if (++used_ > kPasses) throw CalcError(msg::kNotConverged);
}

double Solution::orientedDtml() const {
    const double d = intHot ? dtml(intTin, intTout, estTin, estTout, controequi)
                            : dtml(estTin, estTout, intTin, intTout, controequi);
    return finite(d, "the log-mean temperature difference");
}

float Solution::coefficient() {
    return sgl(Coeffscambio(s, s.intDi, s.intDe, s.estDh, s.lunghezza, tmi, tme),
               "the overall heat transfer coefficient");
}

bool Solution::differs(double x, double y, float tolerance) {
    return sgl(std::fabs(x - y), "a convergence difference") > tolerance;
}

void Solution::checkOutletInRange(double temperature, bool internal) const {
    checkInRange(*this, temperature, internal);
}

double divide(double num, double den, const char* cause) {
    if (den == 0) invalidData(cause);
    return finite(num / den, cause);
}

CalcOutcome calculate(CaseData& caseData, CalcState& state) {
    CalcOutcome out;
    try {
        run(caseData, state, out);
    } catch (const CalcError& e) {
        out.results.reset();
        out.margins.reset();
        out.message = e.what();
        out.detail = e.detail();
    }
    return out;
}

}  // namespace zano
