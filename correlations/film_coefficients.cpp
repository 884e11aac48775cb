#include "correlations/film_coefficients.h"

#include <algorithm>
#include <cmath>

#include "base/errors.h"
#include "correlations/flow_groups.h"
#include "properties/calc_state.h"
#include "properties/fluid_sides.h"

namespace zano {

namespace {

double checked(double v, const char* cause) {
    if (!std::isfinite(v)) invalidData(cause);
    return v;
}

// Fixed number of wall-temperature passes; the wall-viscosity correction settles well before.
constexpr int kWallPasses = 6;

}  // namespace

double nusselt(double gz, double re, double pr, double mu, double muw) {
    const double third = 1.0 / 3.0;
    // Sieder-Tate wall-viscosity correction.
    const double phi = checked(std::pow(mu / muw, 0.14),
                               "the wall-viscosity correction cannot be computed: a viscosity "
                               "is zero or negative");
    // Developing laminar flow never falls below the fully developed value 3.66.
    const double nuGraetz = checked(1.86 * std::pow(gz, third) * phi,
                                    "the laminar Nusselt number cannot be computed: the Graetz "
                                    "number is negative");
    const double nuLam = std::max(3.66, nuGraetz);
    if (re < 2300) return nuLam;

    const double nuTurb = checked(0.027 * std::pow(re, 0.8) * std::pow(pr, third) * phi,
                                  "the turbulent Nusselt number cannot be computed: the Prandtl "
                                  "number is negative");
    if (re > 10000) return nuTurb;
    // Transition: linear blend from the laminar to the turbulent value.
    return checked(nuLam + (re - 2300) / 7700 * (nuTurb - nuLam),
                   "the Nusselt number cannot be computed in the transition range");
}

FilmCoefficients filmCoefficients(const CalcState& s, float diti, float deti, float dhe, float L,
                                  double tmi, double tme) {
    const double pri = prandtl(s.intCp, s.intCond, s.intVisc);
    const double pre = prandtl(s.estCp, s.estCond, s.estVisc);
    const float vi = velocita(s.intPortata, s.intArea, s.intDens);
    const float ve = velocita(s.estPortata, s.estArea, s.estDens);
    const double rei = reynolds(s.intDens, vi, diti, s.intVisc);
    const double ree = reynolds(s.estDens, ve, dhe, s.estVisc);
    const char* noLength = "the Graetz number cannot be computed: the length is zero";
    const double gzi = checked(rei * pri * diti / L, noLength);
    const double gze = checked(ree * pre * dhe / L, noLength);

    // The wall temperature depends on the films and the films on the wall viscosity: a fixed
    // number of passes, starting from the bulk viscosities (no correction in the first pass).
    double muwi = s.intVisc;
    double muwe = s.estVisc;
    FilmCoefficients f;
    for (int pass = 0; pass < kWallPasses; ++pass) {
        const double nui = nusselt(gzi, rei, pri, s.intVisc, muwi);
        const double nue = nusselt(gze, ree, pre, s.estVisc, muwe);
        const double hi = checked(nui * s.intCond / diti,
                                  "the internal film coefficient cannot be computed: the inside "
                                  "diameter of the internal pipe is zero");
        f.hio = checked(hi * diti / deti,
                        "the internal film coefficient cannot be referred to the outside "
                        "surface: the outside diameter of the internal pipe is zero");
        f.he = checked(nue * s.estCond / dhe,
                       "the annulus film coefficient cannot be computed: the hydraulic diameter "
                       "of the annulus is zero");
        // Wall temperature from the two films alone, the wall resistance neglected.
        const double tw = checked((hi * tmi + f.he * tme) / (hi + f.he),
                                  "the wall temperature cannot be computed: both film "
                                  "coefficients are zero");
        muwi = propviscpari(s, tw);
        muwe = propviscpare(s, tw);
    }
    return f;
}

}  // namespace zano
