// Solution with the length given: nested fixed points on the overall coefficient (outer) and on
// an outlet temperature or the log-mean difference (inner), heat balances on table enthalpies.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "base/errors.h"
#include "base/number_text.h"
#include "correlations/overall_coefficient.h"
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
    const Stream& in = sol.s.internal;
    const Stream& est = sol.s.external;
    const float x = xxtt(in, est, sol.U, sol.a);
    if (x < sgl(1.0 / (20.0 * 20.0 * 20.0 + 2.0))) {
        // The factor is 1/(NTU^3 + 2): the stream's transfer units follow from it.
        const bool estMin = static_cast<double>(est.portata) * est.props.cp <=
                            static_cast<double>(in.portata) * in.props.cp;
        const double ntu = std::cbrt(1.0 / x - 2.0);
        throw CalcError(msg::kNtuTooHigh,
                        std::string("the ") + (estMin ? "external" : "internal") +
                            " fluid, the stream with the smaller heat capacity rate, would have " +
                            formatDouble(roundTo(ntu, 1)) +
                            " transfer units (U A / Cmin), more than 20: the exchanger is far "
                            "longer than it needs to be; shorten it, raise that stream's mass "
                            "flow, or give the capacity instead of the length",
                        "L");
    }
    return x;
}

// The inner loops' relaxation factor, adapted where 1/(NTUmin^3 + 2) cannot converge. Where the
// sought outlet comes within a few thousandths of a kelvin of the other stream's inlet, the
// log-mean difference turns so steep that the step overshoots and the loop settles into a cycle
// at the last rounding: the factor is halved for the rest of the calculation. Where the cycle
// spans one step of single precision, the root lies between two neighbouring values that no
// factor can bring within the tolerance; where the relaxed step falls below half a unit in the
// last place of the single-precision state, the loop stands still: there the loop ends, as
// converged as single precision allows, provided what a standing loop may hide, half a unit
// over the factor, is at most 0.1 % of the state; otherwise the factor is raised by half. Each
// case shows as a state repeated exactly (Brent's test: every state is compared with the one
// saved at the last power-of-two count of passes), which a loop that converges never has, so
// its results are untouched.
class InnerRelaxation {
  public:
    // The factor for the next inner loop; adaptations hold for the rest of the calculation.
    double start(double x) {
        restart();
        return x * scale_;
    }

    // After a pass that left the loop in `state`: true when the loop has settled at the
    // resolution of single precision and ends; otherwise `x` is the factor for the next pass.
    bool settled(double& x, double state) {
        lo_ = std::min(lo_, state);
        hi_ = std::max(hi_, state);
        if (state != saved_) {
            if (++passes_ == span_) saved_ = lo_ = hi_ = state, passes_ = 0, span_ *= 2;
            return false;
        }
        const float top = static_cast<float>(std::fabs(hi_));
        const double unit = std::nextafter(top, HUGE_VALF) - top;
        const bool stands = lo_ == hi_;
        if (stands ? unit / (2 * x) <= 1e-3 * top : hi_ - lo_ <= unit) return true;
        restart();
        const double factor = stands ? 1.5 : 0.5;
        if (x * factor <= 0.5) scale_ *= factor, x *= factor;
        return false;
    }

  private:
    void restart() {
        saved_ = std::numeric_limits<double>::quiet_NaN();
        passes_ = 0;
        span_ = 1;
    }

    double scale_ = 1;
    double saved_ = std::numeric_limits<double>::quiet_NaN();
    double lo_ = HUGE_VAL, hi_ = -HUGE_VAL;  // the states since the last save
    long passes_ = 0, span_ = 1;
};

// At most kRefinements tighter tolerances are tried to close the heat balance.
constexpr int kRefinements = 4;

// One stream's outlet temperature and the other's mass flow given: the outer loop relaxes U,
// the inner one the other stream's outlet until its enthalpy balance carries the exchanger's
// capacity; the given stream's balance then fixes its mass flow.
void outletGiven(Solution& sol, Stream& given) {
    Stream& other = sol.other(given);
    Stream& in = sol.in();
    Stream& est = sol.est();
    const Geometry& g = sol.s.geo;
    other.Tout = 0.5 * other.Tin + 0.5 * given.Tout;
    in.setMeanTemperature((in.Tout + in.Tin) / 2);
    est.setMeanTemperature((est.Tout + est.Tin) / 2);
    given.Hout = given.enthalpy(given.Tout);
    // Start where the given stream's Reynolds number is 10000.
    given.portata = sgl(given.props.visc * 10000 / g.diameter(given.side) * g.area(given.side),
                        textsOf(given).massFlow);
    sol.U = sol.coefficient();
    sol.Ucalc = 0;
    InnerRelaxation relaxation;
    // The inner loop stops within tolT of its target, which leaves the balance of a stream whose
    // temperature changes by little more than that far from the exchanger's capacity. Where a
    // stream's duty misses the capacity by more than 0.5 %, the same iteration goes on with the
    // tolerance tightened to 1e-4 of the iterated stream's temperature change, and the
    // coefficient tolerance with it.
    for (int refinement = 0;; ++refinement) {
        // At least one outer pass: a coefficient already within the tolerance of the start
        // value 0 of Ucalc would otherwise report the start values of the sought flow and
        // outlet as the solution.
        do {
            sol.budget.spend();
            double x = relaxation.start(ntuGuard(sol));
            double T = 10000;
            while (Solution::differs(other.Tout, T, sol.tolT)) {
                sol.budget.spend();
                if (relaxation.settled(x, other.Tout)) break;
                sol.dTml = sol.logMean();
                sol.q = sol.exchangerCapacity(sol.dTml);
                const double dh = divide(sol.q, other.portata, textsOf(other).noMassFlow);
                T = other.temperatureAt(other.outletEnthalpy(dh));
                other.Tout = finite((1 - x) * other.Tout + x * T, textsOf(other).outlet);
            }
            other.Hout = other.enthalpy(other.Tout);
            sol.q = sgl(other.enthalpyChange() * other.portata, "the capacity");
            given.portata = sgl(divide(sol.q, given.enthalpyChange(), textsOf(given).noDutyForFlow),
                                textsOf(given).massFlow);
            Solution::takeMeanProperties(other);
            sol.Ucalc = sol.coefficient();
            sol.U = relaxU(sol.U, sol.Ucalc);
        } while (Solution::differs(sol.U, sol.Ucalc, sol.tolU));
        sol.checkResolvable();
        sol.dTml = sol.logMean();
        sol.q = sol.exchangerCapacity(sol.dTml);
        const double miss = std::max(balanceMiss(sol.q, given), balanceMiss(sol.q, other));
        if (!(miss > kBalanceTolerance)) break;
        const double tighter = std::min(1e-4 * std::fabs(other.Tout - other.Tin), sol.tolT / 10.0);
        if (refinement == kRefinements || !(tighter > 0)) balanceDoesNotClose(miss, other, true);
        sol.tolT = sgl(tighter, "the temperature tolerance");
        // The capacity comes from the relaxed U, the balance from the U before it: their
        // difference shrinks with the coefficient tolerance.
        sol.tolU = sgl(sol.tolU / 10.0, "the coefficient tolerance");
    }
    sol.checkOutletInRange(other);

    sol.writeBackCapacity();
    sol.writeBackFlow(given);
    sol.writeBackOutlet(other);
}

// Both mass flows given; the inner loop iterates on the log-mean difference itself.
void flowsGiven(Solution& sol) {
    Stream& in = sol.in();
    Stream& est = sol.est();
    in.setMeanTemperature(in.Tin);
    est.setMeanTemperature(est.Tin);
    sol.U = sol.coefficient();
    sol.Ucalc = 0;
    const double Ci = static_cast<double>(in.portata) * in.props.cp;
    const double Ce = static_cast<double>(est.portata) * est.props.cp;
    const double Cmin = Ce <= Ci ? Ce : Ci;  // kW/K, the external stream on a tie
    // The difference at which the exchanger equation gives the duty Cmin * |intTin - estTin|.
    const Stream& hot = in.hot ? in : est;
    const double inletDifference = hot.Tin - sol.other(hot).Tin;
    sol.dTml = sgl(divide(Cmin * inletDifference * 1000, static_cast<double>(sol.U) * sol.a,
                          "the exchanger has no conductance: U times the surface is 0"),
                   "the log-mean temperature difference");
    InnerRelaxation relaxation;
    // At least one outer pass, as with an outlet given: without it the outlets would stay unset.
    do {
        sol.budget.spend();
        double dTcalc = 0;
        const double guard = ntuGuard(sol);
        sol.dTml = sgl(0.1 * guard * sol.dTml, "the log-mean temperature difference");
        double x = relaxation.start(guard);
        // At least one inner pass: a start value already within the tolerance of 0 would
        // otherwise leave the outlet temperatures and the capacity unset.
        do {
            sol.budget.spend();
            if (relaxation.settled(x, sol.dTml)) break;
            sol.q = sol.exchangerCapacity(sol.dTml);
            sol.outletsCarrying(sol.q);
            dTcalc = sol.orientedDtml();
            sol.dTml = sgl((1 - x) * sol.dTml + x * dTcalc, "the log-mean temperature difference");
        } while (Solution::differs(sol.dTml, dTcalc, sol.tolT));
        Solution::takeMeanProperties(in);
        Solution::takeMeanProperties(est);
        sol.Ucalc = sol.coefficient();
        sol.U = relaxU(sol.U, sol.Ucalc);
    } while (Solution::differs(sol.U, sol.Ucalc, sol.tolU));
    sol.checkResolvable();
    // The capacity stays that of the last inner pass.
    sol.checkOutletInRange(in);
    sol.checkOutletInRange(est);
    sol.checkBalanceCloses();

    sol.writeBackCapacity();
    sol.writeBackOutlet(est);
    sol.writeBackOutlet(in);
}

}  // namespace

void solveLengthGiven(Solution& sol) {
    if (sol.given)
        outletGiven(sol, *sol.given);
    else
        flowsGiven(sol);
}

}  // namespace zano
