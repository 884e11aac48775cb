#pragma once

#include <optional>

#include "properties/calc_state.h"
#include "records/case_outcome.h"
#include "records/hand_check.h"
#include "records/results_data.h"
#include "records/temperature_profile.h"

namespace zano {

// What a stream's heat-capacity rate is taken from: its enthalpy change over its own range,
// kJ/kg (positive), and its specific heat at its mean temperature, kJ/(kg K), for a stream whose
// temperature does not change.
struct StreamHeat {
    double enthalpyChange = 0, cpAtMean = 0;
};

// The hand check's exchanger figures from the results, with the properties left empty.
HandCheck handCheckFigures(const ResultsData& r, const StreamHeat& internal,
                           const StreamHeat& external);

// The hand check of a successful calculation, from the state it ended in: its tables reduced
// to the selected pressures, its properties at the final mean temperatures; `wallT`, degC, the
// wall temperature of the last wall pass.
HandCheck handCheck(const CalcState& s, const ResultsData& r, double wallT);

// Where the cold stream first runs hotter than the hot stream (the hot stream being the one with
// the hotter inlet), m along the profile; none where it never does. `intHot`: the internal
// stream is the hot one.
std::optional<double> temperatureCross(const TemperatureProfile& p, bool intHot);
std::optional<double> temperatureCross(const BuiltProfile& p, bool intHot);

// Adds the hand check to a successful run, and a note where the cold stream runs hotter than the
// hot one somewhere along the profile (the run's own, else one drawn for the check) or along the
// hairpins as built; `s` is the state the calculation ended in. Never changes a result.
void addHandCheck(CaseRun& run, const CalcState& s);

}  // namespace zano
