#pragma once

#include <optional>

#include "base/errors.h"
#include "properties/calc_state.h"
#include "records/case_data.h"
#include "records/design_margins.h"
#include "records/results_data.h"
#include "solver/temperature_profile.h"

namespace zano {

// What a successful calculation gives beyond its results: the hairpins for the case's hairpin
// length (none when it has none) and the temperature profile (none when not asked for). Each
// is worked out on its own; the first that cannot be is named in `fault` and left empty.
struct DesignExtras {
    std::optional<Hairpins> hairpins;
    std::optional<TemperatureProfile> profile;
    std::optional<CalcError> fault;
};

// `s` is the calculation state the calculation left; profileSteps 0 asks for no profile.
DesignExtras designExtras(const CaseData& c, const CalcState& s, const ResultsData& r,
                          int profileSteps);

}  // namespace zano
