#pragma once

// The textbook set: Kern's double-pipe method (Process Heat Transfer, 1950, ch. 6), in which
// both sides read one heat-transfer curve, the annulus on its equivalent diameter, and the
// friction factor is Kern's fit for commercial pipe.
namespace zano {

// The annulus's equivalent diameter for heat transfer, (D2^2 - D1^2) / D1, m: four times the
// flow area over the heated perimeter, the inner pipe's outside alone.
double equivalentDiameter(double outerBore, double innerOutside);

// Sieder and Tate's wall-viscosity correction (mu / mu_w)^0.14, and their laminar Nusselt number
// 1.86 Gz^(1/3) times it: shared by the classic rule and Kern's.
double siederTateCorrection(double mu, double muw);
double siederTateLaminar(double gz, double phi);

// Nusselt number on the side's diameter D (the bore, or the annulus's equivalent diameter):
// Sieder and Tate's laminar rule, Kern's eq. 6.1, below Re 2300; Hausen's equation in
// transition, no lower than the laminar rule; Sieder and Tate's turbulent rule, Kern's eq. 6.2,
// from 10^4; each with the wall viscosity correction (mu/mu_w)^0.14 and no entrance factor
// beyond the laminar and transition rules' own. gz: Re Pr D/L.
double kernNusselt(double gz, double re, double pr, double dOverL, double mu, double muw);

// Darcy friction factor: 64/Re below Re 2300, else four times Kern's Fanning factor
// 0.0035 + 0.264 Re^-0.42 (his eq. 3.47b, commercial pipe, no roughness).
double kernFrictionFactor(double re);

}  // namespace zano
