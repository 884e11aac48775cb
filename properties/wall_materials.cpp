#include "properties/wall_materials.h"

#include <array>

#include "base/errors.h"
#include "properties/calc_state.h"
#include "properties/data_file_reader.h"

namespace zano {

std::vector<WallMaterial> readMaterialFile(const std::filesystem::path& file) {
    DataFileReader reader(file);
    std::vector<WallMaterial> materials;
    std::array<DataField, 3> record;
    std::size_t filled = 0;
    DataField field;
    while (reader.next(field)) {
        if (filled == 0 && materials.size() == kMaxMaterials)
            reader.fail(field.line, "more than " + std::to_string(kMaxMaterials) + " materials");
        record[filled++] = std::move(field);
        if (filled < record.size()) continue;
        filled = 0;
        WallMaterial m;
        m.name = std::string(record[0].text);
        m.cond = reader.single(record[1]);
        m.rug = reader.number(record[2]);
        // A wall that does not conduct, or a roughness below 0, is no wall material.
        if (!(m.cond > 0))
            reader.fail(record[1].line, "the conductivity of a material is not positive");
        if (!(m.rug >= 0)) reader.fail(record[2].line, "the roughness of a material is negative");
        materials.push_back(std::move(m));
    }
    if (filled != 0)
        reader.fail(record[filled - 1].line,
                    "the file ends within a record (" + std::to_string(filled) + " of 3 fields)");
    return materials;
}

std::vector<std::string> dbmateriale(CalcState& s) {
    s.data.materials = readMaterialFile(s.data.dataDir / "condmat.dat");
    std::vector<std::string> names;
    names.reserve(s.data.materials.size());
    for (const auto& m : s.data.materials) names.push_back(m.name);
    return names;
}

void proptubo(CalcState& s, const std::string& materiale) {
    // Every entry is scanned, so a name listed twice takes the values of its last entry.
    for (const auto& m : s.data.materials) {
        if (m.name == materiale) {
            s.condTubo = m.cond;
            s.rugTubo = m.rug;
            s.tuboName = m.name;
        }
    }
}

}  // namespace zano
