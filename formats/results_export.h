#pragma once

#include <optional>
#include <string>

#include "records/design_margins.h"
#include "records/results_data.h"

namespace zano {

// The results beyond the 28 fields of the record, when known.
struct ResultsExtras {
    std::optional<DesignMargins> margins;
    std::optional<Hairpins> hairpins;
};

// The 28 fields (and the extras) as one JSON object; numbers unrounded, with enough digits to
// read back the same value (9 significant for a single, 17 for a double).
std::string resultsJson(const ResultsData& r, const ResultsExtras& extras = {});

// A header row with the units and one row of values, comma-separated, decimal point.
std::string resultsCsv(const ResultsData& r, const ResultsExtras& extras = {});

// The results window's rows as tab-separated text (caption, unit, internal, external), with the
// texts as the window shows them: pastes into a spreadsheet.
std::string resultsTabText(const ResultsData& r, const ResultsExtras& extras = {});

// A JSON string literal.
std::string jsonString(const std::string& s);

}  // namespace zano
