#include "correlations/film_coefficients.h"

#include <algorithm>
#include <cmath>

#include "base/errors.h"
#include "correlations/flow_groups.h"
#include "properties/calc_state.h"

namespace zano {

namespace {

// Fixed number of wall-temperature passes; the wall-viscosity correction settles well before.
constexpr int kWallPasses = 6;

// The groups of one side that do not depend on the wall temperature.
struct SideFlow {
    const Stream& stream;
    float D;  // m: the diameter the Reynolds number and the film coefficient are taken on
    double pr = 0, re = 0, gz = 0;

    SideFlow(const Stream& st, const Geometry& g) : stream(st), D(g.diameter(st.side)) {
        const FluidProperties& p = st.props;
        pr = prandtl(p.cp, p.cond, p.visc);
        const float v = velocita(st.portata, g.area(st.side), p.dens);
        re = reynolds(p.dens, v, D, p.visc);
        gz = finiteOr(re * pr * D / g.lunghezza,
                      "the Graetz number cannot be computed: the length is zero");
    }
    // Film coefficient on the side's own surface at the wall viscosity muw; `nu` receives the
    // Nusselt number.
    double film(double muw, double& nu, const char* noDiameter) const {
        nu = nusselt(gz, re, pr, stream.props.visc, muw);
        return finiteOr(nu * stream.props.cond / D, noDiameter);
    }
};

}  // namespace

double nusselt(double gz, double re, double pr, double mu, double muw) {
    const double third = 1.0 / 3.0;
    // Sieder-Tate wall-viscosity correction.
    const double phi = finiteOr(std::pow(mu / muw, 0.14),
                                "the wall-viscosity correction cannot be computed: a viscosity "
                                "is zero or negative");
    // Developing laminar flow never falls below the fully developed value 3.66.
    const double nuGraetz = finiteOr(1.86 * std::pow(gz, third) * phi,
                                     "the laminar Nusselt number cannot be computed: the Graetz "
                                     "number is negative");
    const double nuLam = std::max(3.66, nuGraetz);
    if (re < 2300) return nuLam;

    const double nuTurb = finiteOr(0.027 * std::pow(re, 0.8) * std::pow(pr, third) * phi,
                                   "the turbulent Nusselt number cannot be computed: the Prandtl "
                                   "number is negative");
    if (re > 10000) return nuTurb;
    // Transition: linear blend from the laminar to the turbulent value.
    return finiteOr(nuLam + (re - 2300) / 7700 * (nuTurb - nuLam),
                    "the Nusselt number cannot be computed in the transition range");
}

FilmCoefficients filmCoefficients(const Stream& in, const Stream& est, const Geometry& g,
                                  double tmi, double tme) {
    const SideFlow inner(in, g), annulus(est, g);

    // The wall temperature depends on the films and the films on the wall viscosity: a fixed
    // number of passes, starting from the bulk viscosities (no correction in the first pass).
    double muwi = in.props.visc;
    double muwe = est.props.visc;
    FilmCoefficients f;
    f.reI = inner.re, f.prI = inner.pr, f.reE = annulus.re, f.prE = annulus.pr;
    for (int pass = 0; pass < kWallPasses; ++pass) {
        const double hi = inner.film(muwi, f.nuI,
                                     "the internal film coefficient cannot be computed: the "
                                     "inside diameter of the internal pipe is zero");
        f.hi = hi;
        f.hio = finiteOr(hi * g.intDi / g.intDe,
                         "the internal film coefficient cannot be referred to the outside "
                         "surface: the outside diameter of the internal pipe is zero");
        f.he = annulus.film(muwe, f.nuE,
                            "the annulus film coefficient cannot be computed: the hydraulic "
                            "diameter of the annulus is zero");
        // Wall temperature from the two films alone, the wall resistance neglected.
        f.tw = finiteOr((hi * tmi + f.he * tme) / (hi + f.he),
                        "the wall temperature cannot be computed: both film coefficients are "
                        "zero");
        muwi = in.wallViscosity(f.tw);
        muwe = est.wallViscosity(f.tw);
    }
    return f;
}

}  // namespace zano
