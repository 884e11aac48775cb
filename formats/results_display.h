#pragma once

#include <array>
#include <string>

#include "records/results_data.h"

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

// The rows of the results window: caption, unit and the boxes of the internal and the
// external column (nullptr where a row has only one value).
struct ResultsRow {
    const char* caption;
    const char* unit;
    const char* internal;
    const char* external;
};
extern const std::array<ResultsRow, 17> kResultsRows;

// The text of one box among the 28.
std::string boxText(const std::array<DisplayBox, 28>& boxes, const char* box);

// "Contercurrent" for exactly "contro", otherwise "Equicurrent".
const char* configurationText(const std::string& controequi);

}  // namespace zano
