#pragma once

namespace zano {

struct CalcState;

// Nusselt number of one side from its Graetz, Reynolds and Prandtl numbers and the bulk and
// wall viscosities (Sieder-Tate laminar and turbulent forms, blended between Re 2300 and 10000).
double nusselt(double gz, double re, double pr, double mu, double muw);

struct FilmCoefficients {
    double hio = 0;  // internal film coefficient referred to the outside surface, W/(m^2 K)
    double he = 0;   // annulus film coefficient, W/(m^2 K)
};

// Both film coefficients from the current properties, after six passes on the wall temperature.
FilmCoefficients filmCoefficients(const CalcState& s, float diti, float deti, float dhe, float L,
                                  double tmi, double tme);

}  // namespace zano
