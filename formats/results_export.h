#pragma once

#include <optional>
#include <string>

#include "formats/results_display.h"

namespace zano {

// The 28 fields (and the extras) as one JSON object; numbers unrounded, with enough digits to
// read back the same value (9 significant for a single, 17 for a double). The keys are the
// record's names ("intSporc"): a machine format, kept stable for the programs that read it.
std::string resultsJson(const ResultsData& r, const ResultsExtras& extras = {});

// A header row with the results window's captions and units, as a spreadsheet shows them, and
// one row of values, comma-separated, decimal point.
std::string resultsCsv(const ResultsData& r, const ResultsExtras& extras = {});

// The results window's rows as tab-separated text (caption, unit, internal, external), with the
// texts as the window shows them: pastes into a spreadsheet.
std::string resultsTabText(const ResultsData& r, const ResultsExtras& extras = {});

// A JSON string literal, valid UTF-8 whatever the bytes: each byte that begins no UTF-8
// character stands as U+FFFD.
std::string jsonString(const std::string& s);
// A JSON number that reads back as the same double.
std::string jsonNumber(double v);

}  // namespace zano
