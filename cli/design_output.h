#pragma once

#include <string>

#include "solver/design_search.h"

namespace zano::cli {

// The ranked list of a design search as text for a terminal (decimal comma), as CSV (a header
// row, then one row a candidate, decimal point) or as one JSON document. The feasible
// candidates are numbered from 1 in their order, the nearest failures after them, so that
// --design-pick N names any candidate listed.
std::string designText(const DesignSearch& s, const DesignLimits& limits, Criterion criterion);
std::string designCsv(const DesignSearch& s);
std::string designJson(const DesignSearch& s, const DesignLimits& limits, Criterion criterion);

// The criterion's name as --rank takes it.
const char* criterionName(Criterion criterion);

}  // namespace zano::cli
