#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "formats/result_schema.h"
#include "records/case_data.h"
#include "solver/case_run.h"

namespace zano::cli {

// The fields a run wrote back, by CaseData name, with their texts.
using Fields = std::vector<std::pair<const char*, std::string>>;

// One case as the results window shows it, for a terminal: the fields written back, the
// results, the margins and the hairpins, and the parts asked for (the breakdown of U, the other
// set, the profile) where the run has them; in the units and with the separator chosen.
std::string textReport(const std::string& name, const CaseRun& run, const ExportParts& parts,
                       const Units& units = {});

}  // namespace zano::cli
