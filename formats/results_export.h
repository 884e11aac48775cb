#pragma once

#include <optional>
#include <string>

#include "formats/results_display.h"

namespace zano {

// The results window's rows as tab-separated text (caption, unit, internal, external), with the
// texts as the window shows them, the construction as built where the hairpins were rated:
// pastes into a spreadsheet.
// In the units and with the separator chosen.
std::string resultsTabText(const ResultsData& r, const ResultsExtras& extras = {},
                           const Units& units = {});

// A JSON string literal, valid UTF-8 whatever the bytes: each byte that begins no UTF-8
// character stands as U+FFFD.
std::string jsonString(const std::string& s);

}  // namespace zano
