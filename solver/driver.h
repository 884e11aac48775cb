#pragma once

#include <optional>
#include <string>
#include <vector>

#include "properties/calc_state.h"
#include "records/case_data.h"
#include "records/case_fields.h"
#include "records/design_margins.h"
#include "records/film_breakdown.h"
#include "records/results_data.h"

namespace zano {

// How a calculation ended: results, or one of the system's messages (with, for "Invalid
// data", the cause in `detail`).
struct CalcOutcome {
    std::optional<ResultsData> results;
    std::optional<DesignMargins> margins;  // with the results
    std::optional<FilmBreakdown> films;    // with the results: what makes up U
    std::string message;                   // empty on success
    std::string detail;
    std::string field;  // the case's field at fault, as kCaseFields names it; empty when none
    // The values found for the case's output fields, as their boxes show them, in the order the
    // solution found them. A failure after the solution wrote them keeps them: the user sees how
    // far it came.
    std::vector<FieldText> written;
    bool ok() const { return results.has_value(); }
};

// The calculation behind "Calculate": validates the case and solves it; the case is not
// changed (the caller applies `written`).
CalcOutcome calculate(const CaseData& caseData, CalcState& state);

// The cause that "Invalid data" gives for the fault being handled when it lies outside the
// calculation's checks (memory exhausted, say); only inside a catch block.
std::string calculationFaultDetail();

}  // namespace zano
