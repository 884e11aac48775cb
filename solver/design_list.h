#pragma once

#include <string>

#include "formats/units.h"
#include "solver/design_search.h"

namespace zano {

// The ranked list of a design search as text for a terminal (with the separator chosen), as CSV
// (a header row with the units, then one row a candidate, decimal point) or as one JSON
// document (keys carrying the units, decimal point). The search and its limits are SI; each is
// written in the units chosen. The feasible candidates are numbered from 1 in their order, the
// nearest failures after them, so that --design-pick N names any candidate listed.
std::string designText(const DesignSearch& s, const DesignLimits& limits, Criterion criterion,
                       const Units& units = {});
std::string designCsv(const DesignSearch& s, const Units& units = {});
std::string designJson(const DesignSearch& s, const DesignLimits& limits, Criterion criterion,
                       const Units& units = {});

// Candidate n (from 1) of the list, numbered through the feasible and the nearest failures;
// null past its end. What the list names is what a pick writes: the candidate's case.
const Judged* listedCandidate(const DesignSearch& s, std::size_t n);

// A candidate's arrangement: "series", "inner in 2", "annulus in 3", "both in 2".
std::string arrangementText(const Candidate& k);

// A limit broken, as "inner pipe pressure drop 83,2 kPa above 70 kPa", in the units chosen.
std::string brokenText(const BrokenLimit& b, const Units& units = {});

// The criterion's name as --rank takes it.
const char* criterionName(Criterion criterion);

}  // namespace zano
