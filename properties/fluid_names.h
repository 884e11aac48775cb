#pragma once

#include <string_view>

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

// True for a name of the fluid lists. A fluid name becomes a file name in the data folder, so
// only the names offered may: no other text, above all none with a path, "..", a NUL or a
// control character, can reach a file.
bool isFluidName(std::string_view name);

// True for the fluids that are gases or superheated vapours in their whole table: air,
// nitrogen and the "s.h. vapor" tables. Their properties vary with the absolute temperature.
bool isGas(std::string_view name);

}  // namespace zano
