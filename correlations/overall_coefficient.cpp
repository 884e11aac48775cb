#include "correlations/overall_coefficient.h"

#include <cmath>

#include "base/errors.h"
#include "correlations/film_coefficients.h"
#include "correlations/refined_nusselt.h"
#include "properties/calc_state.h"

namespace zano {

namespace {

struct Resistances {
    FilmCoefficients films;
    double wall = 0;  // conduction through the wall, referred to the outside surface
};

Resistances resistances(const Stream& in, const Stream& est, const Geometry& g, float condTubo,
                        const std::optional<std::string>& tuboName, double tmi, double tme,
                        CorrelationSet set) {
    Resistances r{filmCoefficients(in, est, g, tmi, tme, set)};
    if (condTubo == 0)
        invalidData(tuboName ? "the wall material \"" + *tuboName + "\" has a conductivity of 0"
                             : "the wall material has no conductivity (no material of that name)",
                    "mat");
    const float diti = g.intDi, deti = g.intDe;
    // The wall thickness is held as a single, like the geometry it comes from.
    const float thickness = sgl((static_cast<double>(deti) - diti) / 2, "the wall thickness");
    r.wall = finiteOr(static_cast<double>(thickness) / condTubo * deti / diti,
                      "the wall resistance cannot be computed: the inside diameter of the "
                      "internal pipe is zero");
    return r;
}

const char* regimeName(double re) {
    switch (flowRegime(re)) {
        case FlowRegime::Laminar:
            return "laminar";
        case FlowRegime::Transition:
            return "transition";
        case FlowRegime::Turbulent:
            break;
    }
    return "turbulent";
}

}  // namespace

double overallCoefficient(const Stream& in, const Stream& est, const Geometry& g, float condTubo,
                          const std::optional<std::string>& tuboName, double tmi, double tme,
                          CorrelationSet set) {
    const Resistances r = resistances(in, est, g, condTubo, tuboName, tmi, tme, set);
    const FilmCoefficients& f = r.films;
    const double inverse =
        finiteOr(r.wall + 1 / f.hio + 1 / f.he + in.sporcamento + est.sporcamento,
                 "the overall coefficient cannot be computed: a film "
                 "coefficient is zero");
    return finiteOr(1 / inverse,
                    "the overall coefficient cannot be computed: the resistances add up to zero");
}

FilmBreakdown filmBreakdown(const Stream& in, const Stream& est, const Geometry& g, float condTubo,
                            const std::optional<std::string>& tuboName, double tmi, double tme,
                            CorrelationSet set) {
    const Resistances r = resistances(in, est, g, condTubo, tuboName, tmi, tme, set);
    const FilmCoefficients& f = r.films;
    FilmBreakdown b;
    b.internal = {f.reI, f.prI, f.nuI, f.hi, regimeName(f.reI)};
    b.external = {f.reE, f.prE, f.nuE, f.he, regimeName(f.reE)};
    b.wallTemperature = f.tw;
    b.internalFilm = 1 / f.hio;
    b.internalFouling = in.sporcamento;
    b.wall = r.wall;
    b.externalFouling = est.sporcamento;
    b.externalFilm = 1 / f.he;
    return b;
}

float xxtt(const Stream& in, const Stream& est, float U, float a) {
    const double ce = static_cast<double>(est.portata) * est.props.cp;
    const double ci = static_cast<double>(in.portata) * in.props.cp;
    // NTU of the stream with the smaller heat capacity rate (external on a tie); U in W, cp in kJ.
    const Stream& cmin = ce <= ci ? est : in;
    const double ua = static_cast<double>(U) / 1000 * a;
    const double ntu = ua / cmin.props.cp / cmin.portata;
    const char* noRate =
        "the number of transfer units cannot be computed: a mass flow or a "
        "specific heat is zero";
    const float ntuS = sgl(finiteOr(ntu, noRate), "the number of transfer units");
    const float r = sgl(std::pow(static_cast<double>(ntuS), 3.0) + 2, "the relaxation weight");
    return sgl(finiteOr(1.0 / r, "the relaxation weight cannot be computed"),
               "the relaxation weight");
}

float Qmax(const Stream& in, const Stream& est, double te1, double te2, double ti1, double ti2,
           float mme, float mmi, Arrangement contro_equi) {
    const double ce = static_cast<double>(mme) * est.props.cp;
    const double ci = static_cast<double>(mmi) * in.props.cp;
    const bool contro = contro_equi == Arrangement::Countercurrent;
    // The Cmin stream goes from its inlet t1 to the other stream's inlet o1 (countercurrent) or
    // outlet o2 (equicurrent), on its own table enthalpies so that phase changes count.
    // Enthalpies are held as singles.
    auto duty = [contro](const Stream& cmin, double t1, double o1, double o2, float m,
                         const char* what) {
        const float hA = sgl(cmin.enthalpy(t1), what);
        const float hB = sgl(cmin.enthalpy(contro ? o1 : o2), what);
        const double dh = t1 < o1 ? static_cast<double>(hB) - hA : static_cast<double>(hA) - hB;
        return sgl(dh * m, "the maximum duty");
    };
    if (ce <= ci) return duty(est, te1, ti1, ti2, mme, "the external enthalpy");
    return duty(in, ti1, te1, te2, mmi, "the internal enthalpy");
}

}  // namespace zano
