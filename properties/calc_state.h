#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "properties/data_folder.h"
#include "properties/stream.h"
#include "properties/wall_materials.h"

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

    // The same exchanger with other diameters and another length; the flow areas stay.
    Geometry with(float di, float de, float dh, float length) const {
        Geometry g = *this;
        g.intDi = di, g.intDe = de, g.estDh = dh, g.lunghezza = length;
        return g;
    }
};

// The one calculation state: both streams, the wall data and the geometry, shared by the
// driver, the property lookups and the correlations for one calculation.
struct CalcState {
    DataFolder data;  // the tables and wall materials it draws on

    Stream internal{Side::Internal}, external{Side::External};

    // The selected wall material.
    float condTubo = 0;  // W/(m K)
    double rugTubo = 0;  // m
    // The name proptubo matched: a conductivity of 0 is then the material's own, not a
    // name that matches none.
    std::optional<std::string> tuboName;

    Geometry geo;

    // Resets everything a calculation computes; tables, materials and pigreco stay.
    void inizializza();
};

}  // namespace zano
