#pragma once

#include <optional>
#include <string>
#include <vector>

#include "properties/calc_state.h"
#include "records/case_outcome.h"

namespace zano {

// The calculation behind "Calculate": validates the case and solves it; the case is not
// changed (the caller applies `written`).
CalcOutcome calculate(const CaseData& caseData, CalcState& state);

// The cause that "Invalid data" gives for the fault being handled when it lies outside the
// calculation's checks (memory exhausted, say); only inside a catch block.
std::string calculationFaultDetail();

}  // namespace zano
