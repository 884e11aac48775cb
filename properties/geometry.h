#pragma once

#include "properties/stream.h"

namespace zano {

// The exchanger's geometry, m and m^2, each value held as a single.
struct Geometry {
    float intDi = 0, intDe = 0, estDi = 0, estDh = 0, lunghezza = 0;
    float intArea = 0, estArea = 0;
    // 3.141593 as a single, one step above the single nearest to pi.
    float pigreco = 3.141593f;

    // The diameter and flow area a stream's Reynolds number is taken on: the bore of the
    // internal pipe, the hydraulic diameter of the annulus.
    float diameter(Side side) const { return side == Side::Internal ? intDi : estDh; }
    float area(Side side) const { return side == Side::Internal ? intArea : estArea; }

    // The heat transfer surface of one metre of exchanger, m^2/m: the outside of the internal
    // pipe. (Exact in double: the product of two singles.)
    double surfacePerMetre() const { return static_cast<double>(pigreco) * intDe; }

    // The same exchanger with other diameters and another length; the flow areas stay.
    Geometry with(float di, float de, float dh, float length) const {
        Geometry g = *this;
        g.intDi = di, g.intDe = de, g.estDh = dh, g.lunghezza = length;
        return g;
    }
};

}  // namespace zano
