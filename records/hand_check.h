#pragma once

#include <optional>

// The figures every hand check of a calculation starts from, taken from the solved case: what a
// reviewer recomputes with a calculator and a property table before trusting the rest.
namespace zano {

// A stream's properties at its mean temperature, as the calculation took them, and its
// viscosity at the wall temperature of the last wall pass.
struct SideProperties {
    double dens = 0;      // kg/m^3
    double cp = 0;        // kJ/(kg K)
    double cond = 0;      // W/(m K)
    double visc = 0;      // Pa s
    double wallVisc = 0;  // Pa s
};

struct HandCheck {
    double logMean = 0;         // K, of the arrangement's own terminal differences
    double meanDifference = 0;  // K, the one the duty implies: q / (U a)
    // Heat-capacity rates, kW/K: mass flow times the mean specific heat over the stream's own
    // range (its enthalpy change over its temperature change), and Cmin / Cmax.
    double intRate = 0, estRate = 0, rateRatio = 0;
    double ntu = 0;            // U a / Cmin
    double maxDuty = 0;        // kW, Cmin (hot inlet - cold inlet)
    double effectiveness = 0;  // q / maxDuty
    SideProperties internal, external;
};

}  // namespace zano
