#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "properties/data_folder.h"
#include "properties/geometry.h"
#include "properties/stream.h"
#include "properties/wall_materials.h"

namespace zano {

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
    // Where the calculation is of one hairpin of a longer path: each stream's path length, m,
    // which its film rules take for the entrance effect; 0: the exchanger's own length.
    float pathLength[2] = {0, 0};  // by Side
    // The films and design margins of the final state beside the results; a hairpin rated as
    // one of a network's, whose results are all it gives, leaves them out.
    bool breakdown = true;

    // Resets everything a calculation computes; tables, materials and pigreco stay.
    void inizializza();
};

}  // namespace zano
