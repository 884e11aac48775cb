// Solution with the length given: nested fixed points on the overall coefficient (outer) and on
// an outlet temperature or the log-mean difference (inner), heat balances on table enthalpies.
#include <algorithm>
#include <cmath>

#include "base/errors.h"
#include "base/number_text.h"
#include "correlations/overall_coefficient.h"
#include "properties/fluid_sides.h"
#include "solver/solution.h"

namespace zano {
namespace {

// Weight of the new coefficient. Held as single, so the old value keeps the weight 1 - w
// computed from the single 0.8.
constexpr float kW = 0.8f;

float relaxU(float U, float Ucalc) {
    const double w = kW;
    return sgl((1 - w) * U + w * static_cast<double>(Ucalc),
               "the overall heat transfer coefficient");
}

// The relaxation factor 1/(NTUmin^3 + 2); below its value at NTUmin = 20 the inner loops would
// need too many passes and the case is refused.
float ntuGuard(const Solution& sol) {
    const float x = xxtt(sol.s, sol.U, sol.a);
    if (x < sgl(1.0 / (20.0 * 20.0 * 20.0 + 2.0))) throw CalcError(msg::kNtuTooHigh);
    return x;
}

const char* kNoIntEnthalpyChange =
    "the internal fluid's enthalpy does not change between inlet and outlet: no mass flow can "
    "carry the duty";
const char* kNoEstEnthalpyChange =
    "the external fluid's enthalpy does not change between inlet and outlet: no mass flow can "
    "carry the duty";

// Scheme A: internal outlet temperature and external mass flow given.
void schemeA(Solution& sol) {
    CalcState& s = sol.s;
    sol.estTout = 0.5 * sol.intTout + 0.5 * sol.estTin;
    sol.tmi = (sol.intTout + sol.intTin) / 2;
    sol.tme = (sol.estTout + sol.estTin) / 2;
    propint(s, sol.tmi);
    propest(s, sol.tme);
    sol.intHout = propHint(s, sol.intTout);
    // Start where the internal Reynolds number is 10000.
    s.intPortata = sgl(s.intVisc * 10000 / s.intDi * s.intArea, "the internal mass flow");
    sol.U = sol.coefficient();
    sol.Ucalc = 0;
    // At least one outer pass: a coefficient already within the tolerance of the start value
    // 0 of Ucalc (U at most 0.01 W/(m^2 K), as with a fouling factor of 100 (m^2 K)/W) would
    // otherwise report the start values of the sought flow and outlet as the solution.
    do {
        sol.budget.spend();
        const double x = ntuGuard(sol);
        double T = 10000;
        while (Solution::differs(sol.estTout, T, sol.tolT)) {
            sol.budget.spend();
            sol.dTml = sgl(sol.orientedDtml(), "the log-mean temperature difference");
            sol.q = sgl(static_cast<double>(sol.U) * sol.a * sol.dTml / 1000, "the capacity");
            const double dh = divide(sol.q, s.estPortata, "the external mass flow is 0");
            T = trovatest(s, sol.intHot ? sol.estHin + dh : sol.estHin - dh);
            sol.estTout = finite((1 - x) * sol.estTout + x * T, "the external outlet temperature");
        }
        sol.estHout = propHest(s, sol.estTout);
        const double dhEst = sol.intHot ? sol.estHout - sol.estHin : sol.estHin - sol.estHout;
        const double dhInt = sol.intHot ? sol.intHin - sol.intHout : sol.intHout - sol.intHin;
        sol.q = sgl(dhEst * s.estPortata, "the capacity");
        s.intPortata = sgl(divide(sol.q, dhInt, kNoIntEnthalpyChange), "the internal mass flow");
        sol.tme = (sol.estTout + sol.estTin) / 2;
        propest(s, sol.tme);
        sol.Ucalc = sol.coefficient();
        sol.U = relaxU(sol.U, sol.Ucalc);
    } while (Solution::differs(sol.U, sol.Ucalc, sol.tolU));
    sol.dTml = sgl(sol.orientedDtml(), "the log-mean temperature difference");
    sol.q = sgl(static_cast<double>(sol.U) * sol.a * sol.dTml / 1000, "the capacity");
    sol.checkOutletInRange(sol.estTout, false);

    sol.c.q = formatSingle(roundTo(sol.q, 3));
    sol.c.intPort = formatSingle(roundTo(s.intPortata, 4));
    sol.c.estTout = formatDouble(roundTo(sol.estTout, 4));
}

// Scheme B: external outlet temperature and internal mass flow given; the mirror of A.
void schemeB(Solution& sol) {
    CalcState& s = sol.s;
    sol.intTout = 0.5 * sol.intTin + 0.5 * sol.estTout;
    sol.tmi = (sol.intTout + sol.intTin) / 2;
    sol.tme = (sol.estTout + sol.estTin) / 2;
    propint(s, sol.tmi);
    propest(s, sol.tme);
    sol.estHout = propHest(s, sol.estTout);
    // Start where the external Reynolds number is 10000.
    s.estPortata = sgl(s.estVisc * 10000 / s.estDh * s.estArea, "the external mass flow");
    sol.U = sol.coefficient();
    sol.Ucalc = 0;
    // At least one outer pass, as in scheme A.
    do {
        sol.budget.spend();
        const double x = ntuGuard(sol);
        double T = 10000;
        while (Solution::differs(sol.intTout, T, sol.tolT)) {
            sol.budget.spend();
            sol.dTml = sgl(sol.orientedDtml(), "the log-mean temperature difference");
            sol.q = sgl(static_cast<double>(sol.U) * sol.a * sol.dTml / 1000, "the capacity");
            const double dh = divide(sol.q, s.intPortata, "the internal mass flow is 0");
            T = trovatint(s, sol.intHot ? sol.intHin - dh : sol.intHin + dh);
            sol.intTout = finite((1 - x) * sol.intTout + x * T, "the internal outlet temperature");
        }
        sol.intHout = propHint(s, sol.intTout);
        const double dhInt = sol.intHot ? sol.intHin - sol.intHout : sol.intHout - sol.intHin;
        const double dhEst = sol.intHot ? sol.estHout - sol.estHin : sol.estHin - sol.estHout;
        sol.q = sgl(dhInt * s.intPortata, "the capacity");
        s.estPortata = sgl(divide(sol.q, dhEst, kNoEstEnthalpyChange), "the external mass flow");
        sol.tmi = (sol.intTout + sol.intTin) / 2;
        propint(s, sol.tmi);
        sol.Ucalc = sol.coefficient();
        sol.U = relaxU(sol.U, sol.Ucalc);
    } while (Solution::differs(sol.U, sol.Ucalc, sol.tolU));
    sol.dTml = sgl(sol.orientedDtml(), "the log-mean temperature difference");
    sol.q = sgl(static_cast<double>(sol.U) * sol.a * sol.dTml / 1000, "the capacity");
    sol.checkOutletInRange(sol.intTout, true);

    sol.c.q = formatSingle(roundTo(sol.q, 3));
    sol.c.estPort = formatSingle(roundTo(s.estPortata, 4));
    sol.c.intTout = formatDouble(roundTo(sol.intTout, 4));
}

// Scheme C: both mass flows given; the inner loop iterates on the log-mean difference itself.
void schemeC(Solution& sol) {
    CalcState& s = sol.s;
    sol.tmi = sol.intTin;
    sol.tme = sol.estTin;
    propint(s, sol.tmi);
    propest(s, sol.tme);
    sol.U = sol.coefficient();
    sol.Ucalc = 0;
    const double Ci = static_cast<double>(s.intPortata) * s.intCp;
    const double Ce = static_cast<double>(s.estPortata) * s.estCp;
    const double Cmin = Ce <= Ci ? Ce : Ci;  // kW/K, the external stream on a tie
    // The difference at which the exchanger equation gives the duty Cmin * |intTin - estTin|.
    const double inletDifference = sol.intHot ? sol.intTin - sol.estTin : sol.estTin - sol.intTin;
    sol.dTml = sgl(divide(Cmin * inletDifference * 1000, static_cast<double>(sol.U) * sol.a,
                          "the exchanger has no conductance: U times the surface is 0"),
                   "the log-mean temperature difference");
    // At least one outer pass, as in scheme A: without it the outlets would stay unset.
    do {
        sol.budget.spend();
        double dTcalc = 0;
        const double x = ntuGuard(sol);
        sol.dTml = sgl(0.1 * x * sol.dTml, "the log-mean temperature difference");
        // At least one inner pass: a start value already within the tolerance of 0 would
        // otherwise leave the outlet temperatures and the capacity unset.
        do {
            sol.budget.spend();
            sol.q = sgl(static_cast<double>(sol.U) * sol.a * sol.dTml / 1000, "the capacity");
            const double dhInt = divide(sol.q, s.intPortata, "the internal mass flow is 0");
            const double dhEst = divide(sol.q, s.estPortata, "the external mass flow is 0");
            sol.intHout = sol.intHot ? sol.intHin - dhInt : sol.intHin + dhInt;
            sol.estHout = sol.intHot ? sol.estHin + dhEst : sol.estHin - dhEst;
            sol.intTout = trovatint(s, sol.intHout);
            sol.estTout = trovatest(s, sol.estHout);
            dTcalc = sol.orientedDtml();
            sol.dTml = sgl((1 - x) * sol.dTml + x * dTcalc, "the log-mean temperature difference");
        } while (Solution::differs(sol.dTml, dTcalc, sol.tolT));
        sol.tmi = (sol.intTout + sol.intTin) / 2;
        sol.tme = (sol.estTout + sol.estTin) / 2;
        propint(s, sol.tmi);
        propest(s, sol.tme);
        sol.Ucalc = sol.coefficient();
        sol.U = relaxU(sol.U, sol.Ucalc);
    } while (Solution::differs(sol.U, sol.Ucalc, sol.tolU));
    // The capacity stays that of the last inner pass.
    sol.checkOutletInRange(sol.intTout, true);
    sol.checkOutletInRange(sol.estTout, false);

    sol.c.q = formatSingle(roundTo(sol.q, 3));
    sol.c.estTout = formatDouble(roundTo(sol.estTout, 4));
    sol.c.intTout = formatDouble(roundTo(sol.intTout, 4));
}

}  // namespace

void solveLengthGiven(Solution& sol) {
    CalcState& s = sol.s;
    sol.a = sgl(static_cast<double>(s.pigreco) * s.lunghezza * s.intDe, "the surface");
    if (sol.c.intToutGiven)
        schemeA(sol);
    else if (sol.c.estToutGiven)
        schemeB(sol);
    else
        schemeC(sol);
}

}  // namespace zano
