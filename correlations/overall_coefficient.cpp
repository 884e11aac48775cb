#include "correlations/overall_coefficient.h"

#include <cmath>

#include "base/errors.h"
#include "correlations/film_coefficients.h"
#include "properties/calc_state.h"
#include "properties/fluid_sides.h"

namespace zano {

namespace {

double checked(double v, const char* cause) {
    if (!std::isfinite(v)) invalidData(cause);
    return v;
}

}  // namespace

double Coeffscambio(const CalcState& s, float diti, float deti, float dhe, float L, double tmi,
                    double tme) {
    const FilmCoefficients f = filmCoefficients(s, diti, deti, dhe, L, tmi, tme);

    if (s.condTubo == 0)
        invalidData("the wall material has no conductivity (no material of that name)");
    // The wall thickness is held as a single, like the geometry it comes from.
    const float thickness = sgl((static_cast<double>(deti) - diti) / 2, "the wall thickness");
    // Conduction resistance of the wall, referred to the outside surface.
    const double rw = checked(static_cast<double>(thickness) / s.condTubo * deti / diti,
                              "the wall resistance cannot be computed: the inside diameter of "
                              "the internal pipe is zero");
    const double inverse = checked(rw + 1 / f.hio + 1 / f.he + s.intSporcamento + s.estSporcamento,
                                   "the overall coefficient cannot be computed: a film "
                                   "coefficient is zero");
    return checked(1 / inverse,
                   "the overall coefficient cannot be computed: the resistances add up to zero");
}

float xxtt(const CalcState& s, float U, float a) {
    const double ce = static_cast<double>(s.estPortata) * s.estCp;
    const double ci = static_cast<double>(s.intPortata) * s.intCp;
    // NTU of the stream with the smaller heat capacity rate (external on a tie); U in W, cp in kJ.
    const double ua = static_cast<double>(U) / 1000 * a;
    const double ntu = ce <= ci ? ua / s.estCp / s.estPortata : ua / s.intCp / s.intPortata;
    const char* noRate =
        "the number of transfer units cannot be computed: a mass flow or a "
        "specific heat is zero";
    const float ntuS = sgl(checked(ntu, noRate), "the number of transfer units");
    const float r = sgl(std::pow(static_cast<double>(ntuS), 3.0) + 2, "the relaxation weight");
    return sgl(checked(1.0 / r, "the relaxation weight cannot be computed"),
               "the relaxation weight");
}

float Qmax(const CalcState& s, double te1, double te2, double ti1, double ti2, float mme, float mmi,
           std::string_view contro_equi) {
    const double ce = static_cast<double>(mme) * s.estCp;
    const double ci = static_cast<double>(mmi) * s.intCp;
    const bool contro = contro_equi == "contro";
    // The Cmin stream goes from its inlet to the other stream's inlet (countercurrent) or outlet
    // (equicurrent), on its own table enthalpies so that phase changes count. Enthalpies are
    // held as singles.
    if (ce <= ci) {
        const float hA = sgl(propHest(s, te1), "the external enthalpy");
        const float hB = sgl(propHest(s, contro ? ti1 : ti2), "the external enthalpy");
        const double dh = te1 < ti1 ? static_cast<double>(hB) - hA : static_cast<double>(hA) - hB;
        return sgl(dh * mme, "the maximum duty");
    }
    const float hA = sgl(propHint(s, ti1), "the internal enthalpy");
    const float hB = sgl(propHint(s, contro ? te1 : te2), "the internal enthalpy");
    const double dh = ti1 < te1 ? static_cast<double>(hB) - hA : static_cast<double>(hA) - hB;
    return sgl(dh * mmi, "the maximum duty");
}

}  // namespace zano
