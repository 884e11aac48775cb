#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/case_data.h"
#include "core/driver.h"

namespace zano::cli {

// The output fields of the case's modes, by CaseData name, with their texts.
using Fields = std::vector<std::pair<const char*, std::string>>;
Fields outputFields(const CaseData& c);
// Empties the output fields, so that only what the calculation writes back is reported.
void clearOutputFields(CaseData& c);

// One case as the results window shows it, for a terminal.
std::string textReport(const std::string& name, const Fields& written, const CalcOutcome& out);
// One case as one line of JSON: ok, message, detail, case, results, display.
std::string jsonReport(const Fields& written, const CalcOutcome& out);

}  // namespace zano::cli
