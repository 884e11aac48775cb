#pragma once

#include "properties/calc_state.h"
#include "records/design_margins.h"
#include "records/results_data.h"
#include "records/temperature_profile.h"

namespace zano {

// The bulk temperatures of both streams along the exchanger of a successful calculation, on
// the solution's own terms: each duty Q from 0 to the capacity fixes both enthalpies (and by
// the inverse table lookup both temperatures), and the position follows from
// dx = dQ / (U pi de dT(Q)). `s` is the calculation state the calculation left (its tables
// reduced to the selected pressures). Invalid data when the streams touch (dT <= 0).
TemperatureProfile temperatureProfile(const CalcState& s, const ResultsData& r, int n);

// The hairpins as built with a stream in parallel branches, from the ends of each hairpin (or of
// the bank calculated whole) as the network rated them; inside one, the log-mean model that
// calculated it. No curves without branches. `a`: the arrangement of the streams in a hairpin.
BuiltProfile builtProfile(const Hairpins& h, Arrangement a);

}  // namespace zano
