#include "correlations/refined_nusselt.h"

#include <cmath>

#include "base/errors.h"
#include "correlations/correlation_rules.h"

namespace zano {
namespace {

constexpr double kKelvin = 273.15;

double cube(double x) {
    return x * x * x;
}

// Laminar mean Nusselt numbers at constant wall temperature, VDI Heat Atlas G1 and G2: the fully
// developed value, the thermal entrance (Leveque) and the hydrodynamic entrance terms combined
// by their third powers. X = Re Pr d / L.
double developingFlow(double x, double pr) {
    return std::pow(2 / (1 + 22 * pr), 1.0 / 6) * std::sqrt(x);
}

double tubeLaminar(double re, double pr, double dOverL) {
    const double x = re * pr * dOverL;
    // The thermal entrance term is negative at small X: with 0.7^3 the sum falls to 3.66^3.
    return std::cbrt(cube(3.66) + cube(0.7) + cube(1.615 * std::cbrt(x) - 0.7) +
                     cube(developingFlow(x, pr)));
}

// Gnielinski, with Petukhov's friction factor (as in Incropera's textbook) and the entrance
// factor of the tube.
double tubeTurbulent(double re, double pr, double dOverL) {
    const double f8 = 1 / (8 * std::pow(0.790 * std::log(re) - 1.64, 2));
    return f8 * (re - 1000) * pr / (1 + 12.7 * std::sqrt(f8) * (std::pow(pr, 2.0 / 3) - 1)) *
           (1 + std::pow(dOverL, 2.0 / 3));
}

double annulusLaminar(double re, double pr, double dhOverL, double a) {
    const double x = re * pr * dhOverL;
    const double fg = 1.615 * (1 + 0.14 / std::sqrt(a));
    return std::cbrt(cube(annulusLaminarLimit(a)) + cube(fg * std::cbrt(x)) +
                     cube(developingFlow(x, pr)));
}

// Gnielinski's annulus form: the friction factor at the Reynolds number of the annulus's own
// velocity profile, the correction k1 of low Reynolds numbers, and 0.75 a^-0.17 for heat
// through the inner wall alone.
double annulusTurbulent(double re, double pr, double dhOverL, double a) {
    const double lna = std::log(a);
    const double reStar = re * ((1 + a * a) * lna + (1 - a * a)) / ((1 - a) * (1 - a) * lna);
    const double f8 = 1 / (8 * std::pow(1.8 * std::log10(reStar) - 1.5, 2));
    const double k1 = 1.07 + 900 / re - 0.63 / (1 + 10 * pr);
    return f8 * re * pr / (k1 + 12.7 * std::sqrt(f8) * (std::pow(pr, 2.0 / 3) - 1)) *
           (1 + std::pow(dhOverL, 2.0 / 3)) * 0.75 * std::pow(a, -0.17);
}

// Laminar below 2300, turbulent from 10^4, linear in Re between the two end values (VDI G1).
template <typename Laminar, typename Turbulent>
double blended(double re, Laminar lam, Turbulent turb) {
    if (re < kReLaminarEnd) return lam(re);
    if (re >= kReTurbulentStart) return turb(re);
    const double gamma = (re - kReLaminarEnd) / (kReTurbulentStart - kReLaminarEnd);
    return (1 - gamma) * lam(kReLaminarEnd) + gamma * turb(kReTurbulentStart);
}

}  // namespace

FlowRegime flowRegime(double re) {
    if (re < kReLaminarEnd) return FlowRegime::Laminar;
    return re < kReTurbulentStart ? FlowRegime::Transition : FlowRegime::Turbulent;
}

double annulusLaminarLimit(double a) {
    return 3.66 + 1.2 * std::pow(a, -0.8);
}

double refinedTubeNusselt(double re, double pr, double dOverL) {
    return finiteOr(
        blended(
            re, [&](double r) { return tubeLaminar(r, pr, dOverL); },
            [&](double r) { return tubeTurbulent(r, pr, dOverL); }),
        "the tube's Nusselt number cannot be computed: a Reynolds or Prandtl number or the "
        "length is not positive");
}

double refinedAnnulusNusselt(double re, double pr, double dhOverL, double a) {
    return finiteOr(
        blended(
            re, [&](double r) { return annulusLaminar(r, pr, dhOverL, a); },
            [&](double r) { return annulusTurbulent(r, pr, dhOverL, a); }),
        "the annulus's Nusselt number cannot be computed: a Reynolds or Prandtl number, the "
        "length or the ratio of the diameters is out of range");
}

double propertyCorrection(FlowRegime regime, const Bulk& b) {
    double k = 1;
    if (regime == FlowRegime::Laminar)
        k = std::pow(b.mu / b.muw, 0.14);
    else if (!b.gas)
        k = std::pow(b.mu / b.muw, b.tw > b.tb ? 0.11 : 0.25);
    else if (b.tw > b.tb)
        k = std::pow((b.tb + kKelvin) / (b.tw + kKelvin), 0.45);
    return finiteOr(k,
                    "the property-variation correction cannot be computed: a viscosity or an "
                    "absolute temperature is zero or negative");
}

}  // namespace zano
