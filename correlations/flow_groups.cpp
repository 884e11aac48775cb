#include "correlations/flow_groups.h"

#include <cmath>

#include "base/errors.h"

namespace zano {

float velocita(float m, float A, double rho) {
    const double v =
        finiteOr(static_cast<double>(m) / A / rho,
                 "the velocity cannot be computed: the flow area or the density is zero");
    // The velocity is kept and reported as a single.
    return sgl(v, "the velocity");
}

double reynolds(double rho, float vel, float D, double mu) {
    return finiteOr(static_cast<double>(vel) * rho * D / mu,
                    "the Reynolds number cannot be computed: the viscosity is zero");
}

double prandtl(double cp, double k, double mu) {
    // cp is tabulated in kJ/(kg K); the factor 1000 makes the group dimensionless.
    return finiteOr(cp * 1000 * mu / k,
                    "the Prandtl number cannot be computed: the thermal conductivity is zero");
}

}  // namespace zano
