#pragma once

// The refined correlation set: mean Nusselt numbers of the modern correlations for a round tube
// and for an annulus heated through its inner wall (outer wall adiabatic), with the corrections
// for property variation between bulk and wall.
namespace zano {

enum class FlowRegime { Laminar, Transition, Turbulent };

// Laminar below Re 2300, turbulent from 10^4, transition between.
FlowRegime flowRegime(double re);

// Round tube: laminar, hydrodynamically developing flow at constant wall temperature (VDI Heat
// Atlas G1), Gnielinski's turbulent correlation with Petukhov's friction factor and the entrance
// factor 1 + (d/L)^(2/3), a linear blend in between. dOverL: diameter over length.
double refinedTubeNusselt(double re, double pr, double dOverL);

// Annulus, heat through the inner wall, outer wall adiabatic; a = de / Di, the inner pipe's
// outside diameter over the outer pipe's inside diameter; dhOverL: hydraulic diameter (Di - de)
// over length. Laminar by VDI Heat Atlas G2, turbulent by Gnielinski's annulus form (2009),
// blended in between as in the tube.
double refinedAnnulusNusselt(double re, double pr, double dhOverL, double a);

// The fully developed laminar limit of the annulus, Nu_ii = 3.66 + 1.2 a^-0.8.
double annulusLaminarLimit(double a);

// What multiplies the constant-property Nusselt number: (mu/mu_w)^0.14 in laminar flow; in
// transition and turbulent flow (mu/mu_w)^0.11 for a heated liquid, ^0.25 for a cooled one,
// and (T_b/T_w)^0.45 for a heated gas (absolute temperatures), 1 for a cooled one.
struct Bulk {
    bool gas;        // a vapour or a permanent gas
    double mu, muw;  // viscosity at the bulk and at the wall temperature
    double tb, tw;   // bulk and wall temperature, degC
};
double propertyCorrection(FlowRegime regime, const Bulk& b);

}  // namespace zano
