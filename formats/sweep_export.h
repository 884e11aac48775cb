#pragma once

#include <string>
#include <vector>

#include "records/case_sweep.h"

namespace zano {

// A sweep as CSV (decimal point): a header row, then one row a point: the swept value, the
// results' columns as a case's CSV export has them, and the message where the case failed
// there (its figures left empty).
std::string sweepCsv(const SweepRange& s, const std::vector<SweepPoint>& points);

// A sweep as one JSON document: the input (name, caption, unit), from, to, steps, and the points,
// each its value and the case's document as a case's JSON export has it.
std::string sweepJson(const SweepRange& s, const std::vector<SweepPoint>& points);

// A case's message with its cause, as one line: "Invalid data: the setting ...".
std::string runMessage(const CaseRun& run);

}  // namespace zano
