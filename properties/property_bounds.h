#pragma once

#include <string>

// The magnitudes a fluid can have. A table row, an imported row or a constant of the user fluid
// outside them is a slip (a unit off by 1000, a misplaced exponent), and a calculation on it
// would report an exchanger that cannot exist, so it is refused where it is read.
namespace zano {

enum class FluidProperty { Temperature, Pressure, Density, SpecificHeat, Conductivity, Viscosity };

struct PropertyBound {
    const char* name;  // "density"
    const char* unit;  // "kg/m³"
    double lo, hi;     // inclusive
};

// The bounds, and why each lies where it does:
// - temperature from absolute zero, -273,15 °C, to 10 000 °C, beyond any process stream;
// - pressure above 0 and up to 10 000 bar: a table's pressure is the stream's absolute pressure;
// - density 0,01 to 25 000 kg/m³: hydrogen near 0,1 bar up to beyond mercury (13 534) and the
//   densest metals (osmium, 22 590);
// - specific heat 0,1 to 100 kJ/(kg K): from liquid metals (mercury 0,14) past hydrogen (14,3)
//   and the peaks near a critical point that a table of single-phase rows reaches;
// - conductivity 0,001 to 500 W/(m K): from the heavy refrigerant vapours (about 0,008) past
//   the liquid metals (sodium about 80);
// - viscosity 1E-7 to 1E+4 Pa s: from the thinnest gases (hydrogen about 9E-6) to bitumen.
const PropertyBound& propertyBound(FluidProperty p);

// Why `value` cannot be that property of a fluid: "the density 3E+38 kg/m³ lies outside what
// any fluid has (0,01 to 25000 kg/m³)"; empty when it can. A value that is no finite number is
// refused too. `decimal` is the separator of the numbers in the text ('.' for data files).
std::string propertyBoundRefusal(FluidProperty p, double value, char decimal = ',');

}  // namespace zano
