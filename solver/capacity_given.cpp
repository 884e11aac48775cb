// Solution with the capacity given: the heat balance fixes the outlet state directly, the duty
// is checked against the largest the streams could exchange, and the length is iterated.
#include "base/errors.h"
#include "base/number_text.h"
#include "correlations/overall_coefficient.h"
#include "solver/sides.h"
#include "solver/solution.h"

namespace zano {
namespace {

void checkCapacity(Solution& sol) {
    const Stream& in = sol.in();
    const Stream& est = sol.est();
    const float qmax =
        Qmax(in, est, est.Tin, est.Tout, in.Tin, in.Tout, est.portata, in.portata, sol.controequi);
    if (!(sol.q < qmax))
        throw CalcError(
            msg::kCapacityTooHigh,
            "the most the streams can exchange in " +
                std::string(sol.controequi == Arrangement::Countercurrent ? "countercurrent"
                                                                          : "equicurrent") +
                " flow is " + formatSingle(roundTo(qmax, 3)) + " kW; " +
                (sol.dutyFrom ? std::string("the duty from the ") + sol.dutyFrom->name() +
                                    " stream's outlet, "
                              : std::string("the capacity asked, ")) +
                formatSingle(roundTo(sol.q, 3)) + " kW, must lie below it",
            sol.dutyFrom ? fieldName(fieldsOf(*sol.dutyFrom).outlet) : "q");
}

// One stream's outlet temperature and the other's mass flow given: the given stream's balance
// fixes its mass flow, the other's its outlet.
void outletGiven(Solution& sol, Stream& given) {
    Stream& other = sol.other(given);
    Solution::takeMeanProperties(given);
    given.Hout = given.enthalpy(given.Tout);
    given.portata = sgl(divide(sol.q, given.enthalpyChange(), textsOf(given).noCapacityForFlow),
                        textsOf(given).massFlow);
    other.Hout = other.outletEnthalpy(divide(sol.q, other.portata, textsOf(other).noMassFlow));
    other.Tout = other.temperatureAt(other.Hout);
    Solution::takeMeanProperties(other);
    checkCapacity(sol);
    sol.dTml = sol.logMean();
    sol.checkOutletInRange(other);
    sol.checkBalanceCloses();

    sol.writeBackFlow(given);
    sol.writeBackOutlet(other);
}

// Both mass flows given. The log-mean difference comes before the capacity check. With the duty
// from a stream, that stream's outlet stays as given and the capacity is found.
void flowsGiven(Solution& sol) {
    Stream& in = sol.in();
    Stream& est = sol.est();
    sol.outletsCarrying(sol.q);
    sol.dTml = sol.logMean();
    checkCapacity(sol);
    Solution::takeMeanProperties(in);
    Solution::takeMeanProperties(est);
    sol.checkOutletInRange(in);
    sol.checkOutletInRange(est);
    sol.checkBalanceCloses();

    for (const Stream* st : {&est, &in})
        if (st != sol.dutyFrom) sol.writeBackOutlet(*st);
    if (sol.dutyFrom) sol.writeBackCapacity();
}

// The length that carries the capacity: surface from q = U * a * dTml, U under-relaxed 0.3/0.7.
void iterateLength(Solution& sol) {
    Geometry& g = sol.s.geo;
    if (sol.dTml == 0) invalidData("the log-mean temperature difference is 0");
    sol.U = 10;  // a first guess of the surface, whatever the fluids
    sol.a = sgl(sol.q / 10.0 / sol.dTml * 1000, "the surface");
    g.lunghezza = sgl(sol.a / g.surfacePerMetre(), "the length");
    sol.Ucalc = 0;
    while (Solution::differs(sol.U, sol.Ucalc, sol.tolU)) {
        sol.budget.spend();
        sol.Ucalc = sol.coefficient();
        sol.a = sgl(divide(sol.q, sol.Ucalc, "the overall heat transfer coefficient is 0") /
                        sol.dTml * 1000,
                    "the surface");
        g.lunghezza = sgl(sol.a / g.surfacePerMetre(), "the length");
        sol.U = sgl(0.3 * sol.U + 0.7 * sol.Ucalc, "the overall heat transfer coefficient");
    }
    sol.checkResolvable();
    sol.writeBackLength();
}

}  // namespace

void solveCapacityGiven(Solution& sol) {
    if (sol.given)
        outletGiven(sol, *sol.given);
    else
        flowsGiven(sol);
    iterateLength(sol);
}

}  // namespace zano
