#pragma once

#include "properties/stream.h"
#include "records/correlation_set.h"

namespace zano {

struct Geometry;

// The diameter a side's film rules take: the bore of the internal pipe, the annulus's hydraulic
// diameter, or in the textbook set the annulus's equivalent diameter (D2^2 - D1^2)/D1.
float filmDiameter(const Geometry& g, Side side, CorrelationSet set);

// Nusselt number of one side from its Graetz, Reynolds and Prandtl numbers and the bulk and
// wall viscosities (Sieder-Tate laminar and turbulent forms, blended between Re 2300 and 10000).
double nusselt(double gz, double re, double pr, double mu, double muw);

struct FilmCoefficients {
    double hio = 0;  // internal film coefficient referred to the outside surface, W/(m^2 K)
    double he = 0;   // annulus film coefficient, W/(m^2 K)
    // Of the last wall pass: the Nusselt numbers, the internal film on its own surface and the
    // wall temperature, degC.
    double nuI = 0, nuE = 0, hi = 0, tw = 0;
    double reI = 0, prI = 0, reE = 0, prE = 0;  // the flow groups of each side
};

// Both film coefficients from the streams' current properties, taken at the mean temperatures
// tmi and tme, after six passes on the wall temperature, by the Nusselt rules of `set`. `g`
// gives the bore of the internal pipe, its outside diameter, the annulus's inside and
// hydraulic diameters, the flow areas and the length.
FilmCoefficients filmCoefficients(const Stream& in, const Stream& est, const Geometry& g,
                                  double tmi, double tme,
                                  CorrelationSet set = CorrelationSet::Classic);

}  // namespace zano
