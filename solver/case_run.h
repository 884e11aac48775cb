#pragma once

#include <optional>
#include <string>
#include <vector>

#include "properties/data_folder.h"
#include "records/case_outcome.h"
#include "solver/driver.h"

namespace zano {

// What a caller asks of a case run beyond its results.
struct RunOptions {
    int profileSteps = 0;   // the temperature profile at profileSteps + 1 points; 0: none
    bool otherSet = false;  // the case again with the correlation set it does not use
    // The hand check and the notes on the correlations' ranges; a design search, which shows
    // neither, leaves them out.
    bool checks = true;
};

// Calculates the case as entered on the tables of `data`. Never throws: a fault anywhere ends
// in the outcome's message and cause.
CaseRun runCase(const CaseData& c, const DataFolder& data, const RunOptions& options);

}  // namespace zano
