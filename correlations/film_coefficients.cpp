#include "correlations/film_coefficients.h"

#include <algorithm>
#include <cmath>

#include "base/errors.h"
#include "correlations/correlation_rules.h"
#include "correlations/flow_groups.h"
#include "correlations/kern_method.h"
#include "correlations/refined_nusselt.h"
#include "properties/calc_state.h"

namespace zano {

namespace {

// Fixed number of wall-temperature passes; the wall-viscosity correction settles well before.
constexpr int kWallPasses = 6;

// The groups of one side that do not depend on the wall temperature.
struct SideFlow {
    const Stream& stream;
    CorrelationSet set;
    double tb;  // degC, the bulk temperature the properties were taken at
    float D;    // m: the diameter the Reynolds number and the film coefficient are taken on
    double pr = 0, re = 0, gz = 0, dOverL = 0;
    double nuRefined = 0;  // the refined set's constant-property Nusselt number

    SideFlow(const Stream& st, const Geometry& g, CorrelationSet s, double bulk)
        : stream(st), set(s), tb(bulk), D(filmDiameter(g, st.side, s)) {
        const FluidProperties& p = st.props;
        pr = prandtl(p.cp, p.cond, p.visc);
        const float v = velocita(st.portata, g.area(st.side), p.dens);
        re = reynolds(p.dens, v, D, p.visc);
        const float L = g.entranceLength(st.side);
        dOverL = D / L;
        gz = finiteOr(re * pr * D / L, "the Graetz number cannot be computed: the length is zero");
        if (set == CorrelationSet::Refined)
            nuRefined = st.side == Side::Internal
                            ? refinedTubeNusselt(re, pr, D / L)
                            : refinedAnnulusNusselt(re, pr, D / L, g.intDe / g.estDi);
    }
    // Film coefficient on the side's own surface at the wall viscosity muw and the wall
    // temperature tw; `nu` receives the Nusselt number.
    double film(double muw, double tw, double& nu, const char* noDiameter) const {
        const double mu = stream.props.visc;
        if (set == CorrelationSet::Classic)
            nu = nusselt(gz, re, pr, mu, muw);
        else if (set == CorrelationSet::Textbook)
            nu = kernNusselt(gz, re, pr, dOverL, mu, muw);
        else
            nu = nuRefined * propertyCorrection(flowRegime(re), {stream.gas, mu, muw, tb, tw});
        return finiteOr(nu * stream.props.cond / D, noDiameter);
    }
};

}  // namespace

float filmDiameter(const Geometry& g, Side side, CorrelationSet set) {
    if (set != CorrelationSet::Textbook || side == Side::Internal) return g.diameter(side);
    return sgl(equivalentDiameter(g.estDi, g.intDe), "the equivalent diameter of the annulus");
}

double nusselt(double gz, double re, double pr, double mu, double muw) {
    const double third = 1.0 / 3.0;
    const double phi = siederTateCorrection(mu, muw);
    // Developing laminar flow never falls below the fully developed value 3.66.
    const double nuGraetz = siederTateLaminar(gz, phi);
    const double nuLam = std::max(3.66, nuGraetz);
    if (re < kReLaminarEnd) return nuLam;

    const double nuTurb = finiteOr(0.027 * std::pow(re, 0.8) * std::pow(pr, third) * phi,
                                   "the turbulent Nusselt number cannot be computed: the Prandtl "
                                   "number is negative");
    if (re > kReTurbulentStart) return nuTurb;
    // Transition: linear blend from the laminar to the turbulent value.
    return finiteOr(
        nuLam + (re - kReLaminarEnd) / (kReTurbulentStart - kReLaminarEnd) * (nuTurb - nuLam),
        "the Nusselt number cannot be computed in the transition range");
}

FilmCoefficients filmCoefficients(const Stream& in, const Stream& est, const Geometry& g,
                                  double tmi, double tme, CorrelationSet set) {
    const SideFlow inner(in, g, set, tmi), annulus(est, g, set, tme);

    // The wall temperature depends on the films and the films on the wall viscosity: a fixed
    // number of passes, starting from the bulk viscosities (no correction in the first pass).
    double muwi = in.props.visc;
    double muwe = est.props.visc;
    FilmCoefficients f;
    // The first pass has no wall temperature yet: each side's own, no correction.
    double twi = tmi, twe = tme;
    f.reI = inner.re, f.prI = inner.pr, f.reE = annulus.re, f.prE = annulus.pr;
    for (int pass = 0; pass < kWallPasses; ++pass) {
        const double hi = inner.film(muwi, twi, f.nuI,
                                     "the internal film coefficient cannot be computed: the "
                                     "inside diameter of the internal pipe is zero");
        f.hi = hi;
        f.hio = finiteOr(hi * g.intDi / g.intDe,
                         "the internal film coefficient cannot be referred to the outside "
                         "surface: the outside diameter of the internal pipe is zero");
        f.he = annulus.film(muwe, twe, f.nuE,
                            "the annulus film coefficient cannot be computed: the hydraulic "
                            "diameter of the annulus is zero");
        // Wall temperature from the two films alone, the wall resistance neglected.
        f.tw = finiteOr((hi * tmi + f.he * tme) / (hi + f.he),
                        "the wall temperature cannot be computed: both film coefficients are "
                        "zero");
        twi = twe = f.tw;
        muwi = in.wallViscosity(f.tw);
        muwe = est.wallViscosity(f.tw);
    }
    return f;
}

}  // namespace zano
