#pragma once

#include "formats/units.h"
#include "properties/data_folder.h"
#include "records/case_sweep.h"

namespace zano::cli {

// zano-calc --sweep: the case calculated at each value, the rows on stdout (CSV, or JSON with
// `json`); the exit status: 0 every point calculated, 1 a point ended in a message (its row
// holds it), 2 an input that the case's modes make an output. FROM and TO are read, and the
// rows written, in the units chosen; the case is calculated in SI.
int printSweep(const SweepRange& s, const CaseData& c, const DataFolder& data, bool json,
               const Units& units = {});

}  // namespace zano::cli
