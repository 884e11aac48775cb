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

    // The length each side's film rules take for the entrance effect: the whole path of its
    // stream through the hairpins where one hairpin of it is calculated, else the exchanger's.
    float pathLength[2] = {0, 0};  // by Side; 0: lunghezza
    float entranceLength(Side side) const {
        const float path = pathLength[side == Side::Internal ? 0 : 1];
        return path > 0 ? path : lunghezza;
    }

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
