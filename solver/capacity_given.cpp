// Solution with the capacity given: the heat balance fixes the outlet state directly, the duty
// is checked against the largest the streams could exchange, and the length is iterated.
#include <cmath>

#include "base/errors.h"
#include "base/number_text.h"
#include "correlations/overall_coefficient.h"
#include "properties/fluid_sides.h"
#include "solver/solution.h"

namespace zano {
namespace {

void checkCapacity(const Solution& sol) {
    const CalcState& s = sol.s;
    const float qmax = Qmax(s, sol.estTin, sol.estTout, sol.intTin, sol.intTout, s.estPortata,
                            s.intPortata, sol.controequi);
    if (!(sol.q < qmax)) throw CalcError(msg::kCapacityTooHigh);
}

float logMean(const Solution& sol) {
    return sgl(sol.orientedDtml(), "the log-mean temperature difference");
}

// Scheme A: internal outlet temperature and external mass flow given.
void schemeA(Solution& sol) {
    CalcState& s = sol.s;
    sol.tmi = (sol.intTout + sol.intTin) / 2;
    propint(s, sol.tmi);
    sol.intHout = propHint(s, sol.intTout);
    const double dhInt = sol.intHot ? sol.intHin - sol.intHout : sol.intHout - sol.intHin;
    s.intPortata = sgl(divide(sol.q, dhInt,
                              "the internal fluid's enthalpy does not change between inlet and "
                              "outlet: no mass flow can carry the capacity"),
                       "the internal mass flow");
    const double dhEst = divide(sol.q, s.estPortata, "the external mass flow is 0");
    sol.estHout = sol.intHot ? sol.estHin + dhEst : sol.estHin - dhEst;
    sol.estTout = trovatest(s, sol.estHout);
    sol.tme = (sol.estTout + sol.estTin) / 2;
    propest(s, sol.tme);
    checkCapacity(sol);
    sol.dTml = logMean(sol);
    sol.checkOutletInRange(sol.estTout, false);

    sol.c.intPort = formatSingle(roundTo(s.intPortata, 4));
    sol.c.estTout = formatDouble(roundTo(sol.estTout, 4));
}

// Scheme B: external outlet temperature and internal mass flow given.
void schemeB(Solution& sol) {
    CalcState& s = sol.s;
    sol.tme = (sol.estTout + sol.estTin) / 2;
    propest(s, sol.tme);
    sol.estHout = propHest(s, sol.estTout);
    const double dhEst = sol.intHot ? sol.estHout - sol.estHin : sol.estHin - sol.estHout;
    s.estPortata = sgl(divide(sol.q, dhEst,
                              "the external fluid's enthalpy does not change between inlet and "
                              "outlet: no mass flow can carry the capacity"),
                       "the external mass flow");
    const double dhInt = divide(sol.q, s.intPortata, "the internal mass flow is 0");
    sol.intHout = sol.intHot ? sol.intHin - dhInt : sol.intHin + dhInt;
    sol.intTout = trovatint(s, sol.intHout);
    sol.tmi = (sol.intTout + sol.intTin) / 2;
    propint(s, sol.tmi);
    checkCapacity(sol);
    sol.dTml = logMean(sol);
    sol.checkOutletInRange(sol.intTout, true);

    sol.c.estPort = formatSingle(roundTo(s.estPortata, 4));
    sol.c.intTout = formatDouble(roundTo(sol.intTout, 4));
}

// Scheme C: both mass flows given. The log-mean difference comes before the capacity check.
void schemeC(Solution& sol) {
    CalcState& s = sol.s;
    const double dhInt = divide(sol.q, s.intPortata, "the internal mass flow is 0");
    const double dhEst = divide(sol.q, s.estPortata, "the external mass flow is 0");
    sol.intHout = sol.intHot ? sol.intHin - dhInt : sol.intHin + dhInt;
    sol.estHout = sol.intHot ? sol.estHin + dhEst : sol.estHin - dhEst;
    sol.intTout = trovatint(s, sol.intHout);
    sol.estTout = trovatest(s, sol.estHout);
    sol.dTml = logMean(sol);
    checkCapacity(sol);
    sol.tmi = (sol.intTout + sol.intTin) / 2;
    sol.tme = (sol.estTout + sol.estTin) / 2;
    propint(s, sol.tmi);
    propest(s, sol.tme);
    sol.checkOutletInRange(sol.intTout, true);
    sol.checkOutletInRange(sol.estTout, false);

    sol.c.estTout = formatDouble(roundTo(sol.estTout, 4));
    sol.c.intTout = formatDouble(roundTo(sol.intTout, 4));
}

// The length that carries the capacity: surface from q = U * a * dTml, U under-relaxed 0.3/0.7.
void iterateLength(Solution& sol) {
    CalcState& s = sol.s;
    const double pi = s.pigreco;
    if (sol.dTml == 0) invalidData("the log-mean temperature difference is 0");
    sol.U = 10;  // a first guess of the surface, whatever the fluids
    sol.a = sgl(sol.q / 10.0 / sol.dTml * 1000, "the surface");
    s.lunghezza = sgl(sol.a / pi / s.intDe, "the length");
    sol.Ucalc = 0;
    while (Solution::differs(sol.U, sol.Ucalc, sol.tolU)) {
        sol.budget.spend();
        sol.Ucalc = sol.coefficient();
        sol.a = sgl(divide(sol.q, sol.Ucalc, "the overall heat transfer coefficient is 0") /
                        sol.dTml * 1000,
                    "the surface");
        s.lunghezza = sgl(sol.a / pi / s.intDe, "the length");
        sol.U = sgl(0.3 * sol.U + 0.7 * sol.Ucalc, "the overall heat transfer coefficient");
    }
    sol.c.L = formatSingle(roundTo(s.lunghezza, 3));
}

}  // namespace

void solveCapacityGiven(Solution& sol) {
    if (sol.c.intToutGiven)
        schemeA(sol);
    else if (sol.c.estToutGiven)
        schemeB(sol);
    else
        schemeC(sol);
    iterateLength(sol);
}

}  // namespace zano
