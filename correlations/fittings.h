#pragma once

// Losses of a hairpin exchanger's fittings beyond its straight pipe: the 180-degree return bends
// of the inner pipe, the return heads of the annulus and each stream's inlet and outlet nozzles.
// Each is a number of velocity heads K, a pressure drop K * rho * v^2 / 2 at its own velocity.
namespace zano {

// Crane TP-410 (2009), p. A-26: the Darcy friction factor of a pipe in the zone of complete
// turbulence, fT = 0.25 / [log10(rug / (3.7 d))]^2; rug, d in m, rug > 0.
double craneTurbulentFriction(double rug, double d);

// Crane TP-410, "pipe bends" (eq. 2-20 of the 1988 edition; p. A-29 in 2009): a bend of n
// quarter turns, K = (n - 1)(0.25 pi fT r/d + 0.5 K90) + K90, with K90 / fT from the table of
// 90-degree bends (r/d 1 to 20, linear between its rows; below 1 and above 20 the end rows).
double craneBendK(double rOverD, double fT, int quarterTurns);

// The 180-degree return bend of the inner pipe: K = 1000 / Re + Crane's K of two quarter turns
// at fT of the pipe's roughness. The 1000 / Re term is the laminar term that the 2-K (Hooper,
// 1981) and 3-K (Darby, 1999) methods give a 180-degree return bend; Crane's K is the fully
// turbulent one. r: bend centre-line radius, d: inside diameter, rug: roughness, all in m.
double returnBendK(double r, double d, double re, double rug);

// The centre-line radius of a return bend when the case sets none: r = 1.5 d, the long-radius
// return of ASME B16.9 (centre-to-centre 3 x NPS) with the bore taken for the nominal size.
double defaultBendRadius(double d);

// Kern, Process Heat Transfer (1950), ch. 6, Example 6.1: in the annulus one velocity head per
// hairpin for its entrance, exit and return.
double annulusReturnHeads(int hairpins);

// A stream's inlet and outlet nozzles together, in velocity heads of the nozzle's own velocity:
// 1.0 in and 0.5 out in turbulent flow, 3 together in laminar flow (Re >= 100), as Ray and Das
// (2020), sect. 3.2, state them. Laminar below a nozzle Reynolds number of 2300.
double nozzleHeads(double reNozzle);

// What a stream's fittings are given, SI units. For the inner pipe `bore` is its inside
// diameter; for the annulus the outer pipe's inside diameter, the bore of its default nozzles.
struct StreamFittings {
    bool annulus;       // the external stream: return heads by Kern; else the inner pipe's bends
    double rho;         // density, kg/m3
    double mu;          // dynamic viscosity, Pa s
    double massFlow;    // mass flow of one path, kg/s
    double bore;        // m, as above
    double velocity;    // mean velocity in the pipe or the annulus, m/s
    int hairpins;       // hairpins on the path: one return (bend or head) each
    double bendRadius;  // m, inner pipe only; 0: defaultBendRadius(bore)
    double roughness;   // m, inner pipe only
    double nozzleBore;  // m; 0: the bore
};

// The pressure drops, kPa, of the returns and of the two nozzles, and the nozzle velocity, m/s.
struct FittingLosses {
    double returns;
    double nozzles;
    double nozzleVelocity;
};
FittingLosses fittingLosses(const StreamFittings& s);

}  // namespace zano
