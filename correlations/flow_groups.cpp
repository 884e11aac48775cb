#include "correlations/flow_groups.h"

#include <cmath>

#include "base/errors.h"

namespace zano {

float velocita(float m, float A, double rho) {
    const double v = static_cast<double>(m) / A / rho;
    if (!std::isfinite(v))
        invalidData("the velocity cannot be computed: the flow area or the density is zero");
    // The velocity is kept and reported as a single.
    return sgl(v, "the velocity");
}

double reynolds(double rho, float vel, float D, double mu) {
    const double re = static_cast<double>(vel) * rho * D / mu;
    if (!std::isfinite(re))
        invalidData("the Reynolds number cannot be computed: the viscosity is zero");
    return re;
}

double prandtl(double cp, double k, double mu) {
    // cp is tabulated in kJ/(kg K); the factor 1000 makes the group dimensionless.
    const double pr = cp * 1000 * mu / k;
    if (!std::isfinite(pr))
        invalidData("the Prandtl number cannot be computed: the thermal conductivity is zero");
    return pr;
}

}  // namespace zano
