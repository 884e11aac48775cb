#pragma once

namespace zano {

// Base-10 logarithm as ln(x) / ln(10); a non-positive x is a fault.
double log10(double x);

// Darcy friction factor: 64/Re below Re 2300, otherwise the Colebrook-White equation by fixed
// point.
double frictionFactor(double rug, float D, double Re);

// Frictional pressure drop over the length, kPa.
double perditaCarico(double rug, float D, float L, double Re, double rho, float vel);

}  // namespace zano
