#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zano {

// The sixteen fluids, in the order of the fluid lists.
inline constexpr const char* kFluidNames[] = {"Water",
                                              "Air",
                                              "R134a s.h. vapor",
                                              "R134a liquid",
                                              "R404A s.h. vapor",
                                              "R404A liquid",
                                              "R410A s.h. vapor",
                                              "R410A liquid",
                                              "CO2 s.h. vapor",
                                              "Acetone",
                                              "Methanol",
                                              "Methanol 40%",
                                              "Ethylene Glycol 30%",
                                              "Propylene Glycol 30%",
                                              "Nitrogen",
                                              "User defined"};

// The further tables that come with ZANO, listed after the sixteen in this order: the water
// solutions of glycol by concentration, then the oils by name.
inline constexpr const char* kFurtherFluidNames[] = {
    "Ethylene Glycol 20%",  "Ethylene Glycol 40%",  "Ethylene Glycol 50%", "Propylene Glycol 20%",
    "Propylene Glycol 40%", "Propylene Glycol 50%", "Dowtherm J",          "Dowtherm Q",
    "Engine oil",           "Paratherm NF",         "Syltherm 800",        "Therminol 66",
    "Therminol 72",         "Therminol D12",        "Therminol VP-1"};

// True for a name of the fluid lists. A fluid name becomes a file name in the data folder, so
// only the names offered may: no other text, above all none with a path, "..", a NUL or a
// control character, can reach a file.
bool isFluidName(std::string_view name);

// True for a name that may name a table of the user's own in a data folder: 1 to 100 bytes of
// valid UTF-8, none of them a path separator, a colon, a NUL or a control character, not
// starting with a dot, and not the material table's or the pipe catalogue's name.
bool isTableName(std::string_view name);

// Why `name` cannot name a table that the user saves in their own folder, beside the shipped
// tables of `dataDir`; empty when it can. Refused: a text that is no table name; one of the
// sixteen fluids, "User defined" included, and a table that lies in dataDir (searched first, it
// would hide the user's own), each in any letter case: a "water" listed after "Water" would be
// taken for it.
std::string ownTableNameRefusal(std::string_view name, const std::filesystem::path& dataDir);

// The fluids the lists offer: the sixteen in their order, then the further tables that stand in
// the given folders in their order, then every other table ("NAME.dat" with a table name) in the
// folders, alphabetically, each name once.
std::vector<std::string> offeredFluids(const std::vector<std::filesystem::path>& folders);

// The folder for the user's own tables: $XDG_DATA_HOME/ZANO/data, else
// $HOME/.local/share/ZANO/data; empty when neither variable is set.
std::filesystem::path userDataDir();

// True for the fluids that are gases or superheated vapours in their whole table: air,
// nitrogen and the "s.h. vapor" tables. Their properties vary with the absolute temperature.
bool isGas(std::string_view name);

}  // namespace zano
