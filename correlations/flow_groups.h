#pragma once

namespace zano {

// Mean velocity, m/s: mass flow / area / density, rounded to single.
float velocita(float m, float A, double rho);
// Reynolds number: vel * rho * D / mu.
double reynolds(double rho, float vel, float D, double mu);
// Prandtl number: cp * 1000 * mu / k (cp in kJ/(kg K)).
double prandtl(double cp, double k, double mu);

}  // namespace zano
