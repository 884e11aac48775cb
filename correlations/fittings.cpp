#include "correlations/fittings.h"

#include <cmath>
#include <iterator>
#include <numbers>

#include "base/errors.h"
#include "correlations/correlation_rules.h"

namespace zano {
namespace {

// Crane TP-410, p. A-29: the resistance of a 90-degree pipe bend in multiples of fT by r/d.
constexpr double kRatio[] = {1, 1.5, 2, 3, 4, 6, 8, 10, 12, 14, 16, 20};
constexpr double kK90[] = {20, 14, 12, 12, 14, 17, 24, 30, 34, 38, 42, 50};

// The laminar term K1 / Re of a 180-degree return bend (Hooper 1981; Darby 1999).
constexpr double kReturnBendK1 = 1000;

// Ray and Das: nozzles in and out, velocity heads in turbulent and in laminar flow.
constexpr double kNozzlesTurbulent = 1.0 + 0.5, kNozzlesLaminar = 3;

double k90OverFt(double rOverD) {
    if (rOverD <= kRatio[0]) return kK90[0];
    for (std::size_t i = 1; i < std::size(kRatio); ++i) {
        if (rOverD <= kRatio[i]) {
            const double t = (rOverD - kRatio[i - 1]) / (kRatio[i] - kRatio[i - 1]);
            return kK90[i - 1] + t * (kK90[i] - kK90[i - 1]);
        }
    }
    return kK90[std::size(kK90) - 1];
}

double kPa(double heads, double rho, double v) {
    return heads * rho * v * v / 2 / 1000;
}

}  // namespace

double craneTurbulentFriction(double rug, double d) {
    if (!(rug > 0) || !(d > rug))
        invalidData(
            "the fully turbulent friction factor needs a roughness above zero and below "
            "the diameter");
    const double l = std::log10(rug / (3.7 * d));
    return 0.25 / (l * l);
}

double craneBendK(double rOverD, double fT, int quarterTurns) {
    if (!(rOverD > 0) || quarterTurns < 1)
        invalidData("a bend needs a radius above zero and at least one quarter turn");
    const double k90 = k90OverFt(rOverD) * fT;
    return (quarterTurns - 1) * (0.25 * std::numbers::pi * fT * rOverD + 0.5 * k90) + k90;
}

double returnBendK(double r, double d, double re, double rug) {
    if (!(re > 0)) invalidData("the return bend's loss needs a Reynolds number above zero");
    return kReturnBendK1 / re + craneBendK(r / d, craneTurbulentFriction(rug, d), 2);
}

double defaultBendRadius(double d) {
    return 1.5 * d;
}

double annulusReturnHeads(int hairpins) {
    return hairpins;
}

double nozzleHeads(double reNozzle) {
    return reNozzle < kReLaminarEnd ? kNozzlesLaminar : kNozzlesTurbulent;
}

FittingLosses fittingLosses(const StreamFittings& s) {
    if (!(s.rho > 0) || !(s.mu > 0) || !(s.bore > 0) || s.hairpins < 0 || s.massFlow < 0)
        invalidData("the fittings' losses need a density, viscosity and bore above zero");
    const double nozzle = s.nozzleBore > 0 ? s.nozzleBore : s.bore;
    const double area = std::numbers::pi / 4 * nozzle * nozzle;
    const double vn = s.massFlow / (s.rho * area);
    const double reNozzle = s.rho * vn * nozzle / s.mu;
    double heads = 0;
    if (s.hairpins > 0 && s.annulus) {
        heads = annulusReturnHeads(s.hairpins);
    } else if (s.hairpins > 0) {
        const double r = s.bendRadius > 0 ? s.bendRadius : defaultBendRadius(s.bore);
        const double re = s.rho * s.velocity * s.bore / s.mu;
        heads = s.hairpins * returnBendK(r, s.bore, re, s.roughness);
    }
    return {
        finiteOr(kPa(heads, s.rho, s.velocity), "the returns' loss is not a finite number"),
        finiteOr(kPa(nozzleHeads(reNozzle), s.rho, vn), "the nozzles' loss is not a finite number"),
        vn};
}

}  // namespace zano
