#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "records/case_data.h"
#include "records/design_margins.h"
#include "solver/case_run.h"
#include "solver/temperature_profile.h"

namespace zano::cli {

// The output fields of the case's modes, by CaseData name, with their texts.
using Fields = std::vector<std::pair<const char*, std::string>>;
Fields outputFields(const CaseData& c);

// What one case gives: the fields written back, the outcome, and the optional views.
struct CaseReport {
    std::string name;
    Fields written;
    CalcOutcome out;
    std::optional<Hairpins> hairpins;
    std::optional<TemperatureProfile> profile;
    bool films = false;                    // show what makes up the coefficient (out.films)
    std::optional<OtherSetFigures> other;  // the same case with the other correlation set
    std::vector<std::string> notes;        // what could not be added to the results
};

// One case as the results window shows it, for a terminal, with the margins, the hairpins, the
// film breakdown and the profile when there are any.
std::string textReport(const CaseReport& r);

}  // namespace zano::cli
