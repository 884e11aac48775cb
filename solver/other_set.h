#pragma once

#include "properties/calc_state.h"
#include "records/case_data.h"
#include "records/film_breakdown.h"
#include "records/results_data.h"

namespace zano {

// `entered` (the case before the calculation wrote its findings back) calculated again with
// each correlation set it does not use, on a copy of the state, beside `own`, its results with
// its own set. Nothing of the caller's case or state changes.
OtherSetFigures calculateOtherSet(CaseData entered, CalcState state, const ResultsData& own);

}  // namespace zano
