#include "properties/property_bounds.h"

#include <cmath>

#include "base/number_text.h"

namespace zano {

const PropertyBound& propertyBound(FluidProperty p) {
    static const PropertyBound bounds[] = {
        {"temperature", "°C", -273.15, 10000},   {"pressure", "bar", 0, 10000},
        {"density", "kg/m³", 0.01, 25000},       {"specific heat", "kJ/(kg K)", 0.1, 100},
        {"conductivity", "W/(m K)", 0.001, 500}, {"viscosity", "Pa s", 1e-7, 1e4},
    };
    return bounds[static_cast<int>(p)];
}

std::string propertyBoundRefusal(FluidProperty p, double value, char decimal) {
    const PropertyBound& b = propertyBound(p);
    const std::string what = std::string("the ") + b.name + " ";
    if (!std::isfinite(value)) return what + "is not a finite number";
    // A pressure of 0 is no pressure: its lower bound is excluded.
    const bool below = p == FluidProperty::Pressure ? !(value > b.lo) : value < b.lo;
    if (!below && value <= b.hi) return {};
    const std::string range = p == FluidProperty::Pressure
                                  ? "above " + formatDouble(b.lo, decimal) + ", up to "
                                  : formatDouble(b.lo, decimal) + " to ";
    return what + formatDouble(value, decimal) + " " + b.unit +
           " lies outside what any fluid has (" + range + formatDouble(b.hi, decimal) + " " +
           b.unit + ")";
}

}  // namespace zano
