#pragma once

#include <optional>
#include <string>
#include <vector>

#include "properties/data_folder.h"
#include "records/case_data.h"
#include "records/design_margins.h"
#include "solver/driver.h"
#include "solver/temperature_profile.h"

namespace zano {

// What a caller asks of a case run beyond its results.
struct RunOptions {
    int profileSteps = 0;   // the temperature profile at profileSteps + 1 points; 0: none
    bool otherSet = false;  // the case again with the correlation set it does not use
};

// Everything a calculation gives to those who show it: the desktop program, zano-calc and the
// printed report all take it from here, so that each shows the same figures by one policy.
struct CaseRun {
    CaseData entered;  // as given, with the outputs of its modes emptied
    CaseData solved;   // `entered` with what the calculation found (out.written)
    CalcOutcome out;
    std::optional<Hairpins> hairpins;  // for the case's hairpin length, when it has one
    std::optional<TemperatureProfile> profile;
    std::optional<OtherSetFigures> otherSet;
    // What the calculation could not add to its results (the hairpins for a leg longer than the
    // exchanger, a profile of streams that touch): said beside them, never failing them.
    std::vector<std::string> notes;
    bool ok() const { return out.ok(); }
};

// Calculates the case as entered on the tables of `data`. Never throws: a fault anywhere ends
// in the outcome's message and cause.
CaseRun runCase(const CaseData& c, const DataFolder& data, const RunOptions& options);

}  // namespace zano
