#include "correlations/kern_method.h"

#include <algorithm>
#include <cmath>

#include "base/errors.h"
#include "correlations/correlation_rules.h"

namespace zano {

double equivalentDiameter(double outerBore, double innerOutside) {
    return finiteOr((outerBore * outerBore - innerOutside * innerOutside) / innerOutside,
                    "the equivalent diameter of the annulus cannot be computed: the outside "
                    "diameter of the internal pipe is zero");
}

double siederTateCorrection(double mu, double muw) {
    return finiteOr(std::pow(mu / muw, 0.14),
                    "the wall-viscosity correction cannot be computed: a viscosity is zero or "
                    "negative");
}

double siederTateLaminar(double gz, double phi) {
    return finiteOr(1.86 * std::pow(gz, 1.0 / 3.0) * phi,
                    "the laminar Nusselt number cannot be computed: the Graetz number is "
                    "negative");
}

double kernNusselt(double gz, double re, double pr, double dOverL, double mu, double muw) {
    const double third = 1.0 / 3.0;
    const double phi = siederTateCorrection(mu, muw);
    const double laminar = siederTateLaminar(gz, phi);
    if (re < kReLaminarEnd) return laminar;
    const double prThird = finiteOr(std::pow(pr, third), "the Prandtl number is negative");
    if (re >= kReTurbulentStart) return 0.027 * std::pow(re, 0.8) * prThird * phi;
    // Hausen's transition meets the turbulent rule at Re 10^4 but falls below the laminar lines
    // of the long tubes near Re 2300, where Kern's curve joins them.
    const double hausen =
        0.116 * (std::pow(re, 2.0 / 3.0) - 125) * prThird * (1 + std::pow(dOverL, 2.0 / 3.0)) * phi;
    return finiteOr(std::max(laminar, hausen),
                    "the Nusselt number cannot be computed in the transition range");
}

double kernFrictionFactor(double re) {
    if (re < kReLaminarEnd)
        return finiteOr(64 / re,
                        "the friction factor cannot be computed: the Reynolds number is zero");
    return 4 * (0.0035 + 0.264 * std::pow(re, -0.42));
}

}  // namespace zano
