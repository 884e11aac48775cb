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

// One stream's temperatures along its own path through hairpins as built.
struct BuiltCurve {
    struct Point {
        double x = 0;  // m along the hairpins drawn
        double t = 0;  // degC
    };
    bool internal = true;
    int branch = 0;             // 1, 2, ...: the stream's branch; 0: through every hairpin drawn
    std::vector<Point> points;  // from the stream's inlet to its outlet
};

// The hairpins as built with a stream in parallel branches. One stream in series and the other
// in branches: the series stream along every hairpin, x from its inlet, and each branch along
// its own consecutive hairpins. Both streams in the same branches: one bank of the identical
// ones, both streams through it, x from the internal fluid's inlet.
struct BuiltProfile {
    std::vector<BuiltCurve> curves;  // those through every hairpin drawn, then the branches
    int banks = 0;                   // both streams in the same branches: how many; else 0
    double length = 0;               // m, the hairpins drawn
    bool fromInternalInlet =
        true;  // x counted from the internal fluid's inlet, else the external's
};

}  // namespace zano
