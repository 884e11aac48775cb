#pragma once

#include <optional>
#include <string>
#include <vector>

#include "formats/units.h"
#include "records/hand_check.h"

// The hand check as the results window's "Hand check" fold, the report, the tab-separated copy
// and zano-calc's text show it: one row per figure, the exchanger's in the internal column, each
// stream's side by side.
namespace zano {

struct HandCheckRow {
    const char* box;  // the results window's box name, "Int" or "Est" appended for a stream's
    const char* caption;
    const char* unit;
    bool eachStream;
    std::string internal, external;  // empty without a hand check
};

// The log-mean and the used mean difference, the capacity rates and their ratio, NTU, the
// effectiveness and the maximum duty, then each stream's properties at its mean temperature and
// its viscosity at the wall. Every row is listed, empty without figures, so that a window can
// make its boxes once. In the units and with the separator chosen.
std::vector<HandCheckRow> handCheckRows(const std::optional<HandCheck>& h, const Units& units = {});

}  // namespace zano
