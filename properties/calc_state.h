#pragma once

#include <filesystem>
#include <vector>

#include "properties/fluid_table.h"
#include "properties/wall_materials.h"

namespace zano {

// The one calculation state: tables, current properties, wall data, geometry and flows,
// shared by the driver, the property lookups and the correlations for one calculation.
struct CalcState {
    std::filesystem::path dataDir = QuestaDirectory() / "data";

    // Fluid tables and the pressure each side's lookups match (bar, single).
    FluidTable intTable, estTable;
    float intPress = 0, estPress = 0;

    // Current properties at the last temperature given to propint / propest.
    double intDens = 0, intCp = 0, intCond = 0, intVisc = 0;
    double estDens = 0, estCp = 0, estCond = 0, estVisc = 0;

    // Wall materials and the selected one.
    std::vector<WallMaterial> materials;
    float condTubo = 0;  // W/(m K)
    double rugTubo = 0;  // m

    // Geometry, m and m^2, single. pigreco is 3.141593 as a single, one step above the
    // single nearest to pi.
    float intDi = 0, intDe = 0, estDi = 0, estDh = 0, lunghezza = 0;
    float intArea = 0, estArea = 0;
    float pigreco = 3.141593f;

    float intPortata = 0, estPortata = 0;           // kg/s
    double intSporcamento = 0, estSporcamento = 0;  // (m^2 K)/W

    // Resets everything a calculation computes; tables, materials and pigreco stay.
    void inizializza();
};

}  // namespace zano
