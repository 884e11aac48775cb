#pragma once

#include "properties/calc_state.h"
#include "records/case_outcome.h"

namespace zano {

// Adds to a successful run's notes where its case leaves the ground its rules and tables hold:
// a side outside its film rule's or its friction rule's range, the wall outside a fluid's table,
// a velocity outside the usual range for its kind of fluid, hairpins in branches with a
// correction F below 0.8. `s` is the state the calculation ended in. Never changes a result.
void addRangeNotes(CaseRun& run, const CalcState& s);

}  // namespace zano
