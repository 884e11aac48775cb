#pragma once

#include <vector>

#include "properties/calc_state.h"
#include "records/results_data.h"

namespace zano {

struct ProfilePoint {
    double x = 0;     // m from the internal fluid's inlet
    double intT = 0;  // degC
    double estT = 0;  // degC
};

struct TemperatureProfile {
    std::vector<ProfilePoint> points;  // n + 1 points, x from 0 to L evenly spaced
    // L divided by the length that the exchanger equation integrated along the duty gives;
    // 1 for constant specific heats, and a measure of how far the tabulated enthalpies depart
    // from the log-mean model.
    double scale = 1;
};

// The bulk temperatures of both streams along the exchanger of a successful calculation, on
// the solution's own terms: each duty Q from 0 to the capacity fixes both enthalpies (and by
// the inverse table lookup both temperatures), and the position follows from
// dx = dQ / (U pi de dT(Q)). `s` is the calculation state the calculation left (its tables
// reduced to the selected pressures). Invalid data when the streams touch (dT <= 0).
TemperatureProfile temperatureProfile(const CalcState& s, const ResultsData& r, int n);

}  // namespace zano
