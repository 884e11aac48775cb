#pragma once

#include "records/correlation_set.h"

namespace zano {

// Base-10 logarithm as ln(x) / ln(10); a non-positive x is a fault.
double log10(double x);

// Darcy friction factor: 64/Re below Re 2300, otherwise the Colebrook-White equation by fixed
// point; the textbook set takes Kern's factor instead, which holds no roughness.
double frictionFactor(double rug, float D, double Re, CorrelationSet set = CorrelationSet::Classic);

// Frictional pressure drop over the length, kPa.
double perditaCarico(double rug, float D, float L, double Re, double rho, float vel,
                     CorrelationSet set = CorrelationSet::Classic);

}  // namespace zano
