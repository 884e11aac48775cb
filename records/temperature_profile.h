#pragma once

#include <vector>

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

}  // namespace zano
