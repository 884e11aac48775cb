#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zano {

struct CalcState;

struct WallMaterial {
    std::string name;
    float cond = 0;  // W/(m K)
    double rug = 0;  // absolute roughness, m
};

inline constexpr std::size_t kMaxMaterials = 11;

// Reads the material file: name (optionally quoted), conductivity, roughness per record.
// A missing file, a malformed record or a twelfth record ends with "Invalid data".
std::vector<WallMaterial> readMaterialFile(const std::filesystem::path& file);

// Loads <dataDir>/condmat.dat into the state's material table; returns the names in file order.
std::vector<std::string> dbmateriale(CalcState& s);

// Copies conductivity and roughness of the material named exactly `materiale` (the last
// duplicate wins) and sets tuboName; with no match all three keep their values.
void proptubo(CalcState& s, const std::string& materiale);

}  // namespace zano
