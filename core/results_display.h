#pragma once

#include <array>
#include <string>

#include "core/results_data.h"

namespace zano {

// One box of the results window: its name ("Text1" ... "Text28") and the text it shows.
struct DisplayBox {
    const char* box;
    std::string text;
};

// The 28 boxes in the order they are written, each with its own conversion: geometry,
// pressures and fouling factors in the general format, temperatures, flows, velocities,
// pressure drops, capacity, surface and length rounded to 3, Reynolds numbers and U to 0.
std::array<DisplayBox, 28> displayTexts(const ResultsData& r);

// "Contercurrent" for exactly "contro", otherwise "Equicurrent".
const char* configurationText(const std::string& controequi);

}  // namespace zano
