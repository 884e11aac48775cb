#include "correlations/pressure_drop.h"

#include <cmath>

#include "base/errors.h"
#include "correlations/correlation_rules.h"
#include "correlations/kern_method.h"

namespace zano {

namespace {
// The Colebrook-White fixed point converges in about twenty passes for any Re >= 2300 and
// non-negative roughness; the cap only guards against malformed input.
constexpr int kMaxPasses = 1000;
}  // namespace

double log10(double x) {
    if (!(x > 0) || !std::isfinite(x))
        invalidData("the logarithm of a value that is not a positive number was asked for");
    return std::log(x) / std::log(10.0);
}

double frictionFactor(double rug, float D, double Re, CorrelationSet set) {
    if (set == CorrelationSet::Textbook) return kernFrictionFactor(Re);
    if (Re < kReLaminarEnd) {
        // Laminar (Hagen-Poiseuille) Darcy friction factor.
        return finiteOr(64 / Re,
                        "the friction factor cannot be computed: the Reynolds number is zero");
    }
    const double relRough = finiteOr(
        rug / D / 3.71, "the friction factor cannot be computed: the pipe diameter is zero");

    // Colebrook-White, 1/sqrt(f) = -2 log10(2.51/(Re sqrt(f)) + (rug/D)/3.71), by fixed point.
    double g = 0.1;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const double x = (2.51 / Re) / std::pow(g, 0.5) + relRough;
        const double next = std::pow(1 / (-2 * log10(x)), 2);
        if (!std::isfinite(next))
            invalidData("the friction factor cannot be computed for this roughness and diameter");
        if (!(std::abs(g - next) > 1e-14)) return g;
        g = next;
    }
    invalidData("the friction factor did not converge");
}

double perditaCarico(double rug, float D, float L, double Re, double rho, float vel,
                     CorrelationSet set) {
    const double f = frictionFactor(rug, D, Re, set);
    const double v = vel;
    // Darcy-Weisbach, Pa converted to kPa.
    return finiteOr(0.5 * f * L / D * rho * (v * v) / 1000,
                    "the pressure drop cannot be computed: the pipe diameter is zero");
}

}  // namespace zano
