#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "base/errors.h"
#include "golden_text.h"
#include "properties/fluid_table.h"

// Expected values are worked out with python3: slope = float32((y2 - y1) / (x2 + 1e-6 - x1)),
// then y1 + (x - x1) * slope in double.
namespace zano {
namespace {

// One block at 1 bar whose intervals have different slopes, so that a wrong interval shows.
FluidTable ladder() {
    FluidTable t;
    t.T = {0, 10, 20, 30};
    t.P = {1, 1, 1, 1};
    t.dens = {1000, 900, 700, 600};
    t.cp = {4.0, 4.1, 4.3, 4.6};
    t.cond = {0.5, 0.6, 0.65, 0.7};
    t.visc = {3e-3, 2e-3, 1.5e-3, 1.2e-3};
    t.H = {0, 41, 83, 128};
    return t;
}

std::string shown(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

// Every lookup of tests/properties/golden/lookups.txt, on the ladder.
TEST(FluidTableLookup, AnswersTheGoldenTable) {
    const FluidTable t = ladder();
    FluidTable range;
    range.T = {1, 50, 99};
    const std::string file = "properties/golden/lookups.txt";
    const std::string out =
        golden_text::table(file, [&](const std::string& op, const std::string& argument) {
            std::istringstream in(argument);
            std::vector<double> a;
            for (std::string word; in >> word;) a.push_back(std::strtod(word.c_str(), nullptr));
            try {
                if (op == "interpola") return shown(interpola(a[0], a[1], a[2], a[3], a[4]));
                if (op == "bracket-T") return std::to_string(t.bracket(t.T, a[0], float(a[1])));
                if (op == "bracket-H") return std::to_string(t.bracket(t.H, a[0], float(a[1])));
                if (op == "properties") {
                    const FluidProperties p = t.properties(a[0], 1);
                    return shown(p.dens) + " " + shown(p.cp) + " " + shown(p.cond) + " " +
                           shown(p.visc);
                }
                if (op == "enthalpy") return shown(t.enthalpy(a[0], 1));
                if (op == "temperature-at") return shown(t.temperatureAt(a[0], 1));
                if (op == "wall-viscosity") return shown(t.wallViscosity(a[0], 1));
                if (op == "in-range")
                    return std::string(range.inRange(a[0]) ? "inside" : "outside");
            } catch (const CalcError& e) {
                return "Invalid data: " + e.detail();
            }
            return std::string("unknown lookup");
        });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
}

// The distance to the row is compared in single precision. Within an ordered block the
// fallback then picks the same interval a double comparison would; only rows out of order show
// the difference: 10 - 1e-7 rounds to 10 and so is not inside [0, 10), and [5, 20) takes it.
TEST(FluidTableBracket, DistancesComparedInSinglePrecision) {
    FluidTable t;
    t.T = {0, 10, 5, 20};
    t.P = {1, 1, 1, 1};
    t.dens = t.cp = t.cond = t.visc = t.H = {1, 1, 1, 1};
    EXPECT_EQ(t.bracket(t.T, 10 - 1e-7, 1), 2u);
    EXPECT_EQ(t.bracket(t.T, 10 - 1e-5, 1), 0u);
}

TEST(FluidTableBracket, IntervalBetweenEqualTemperaturesIsNeverSelected) {
    FluidTable t;
    t.T = {0, 10, 10, 20};
    t.P = {1, 1, 1, 1};
    t.dens = {1000, 900, 800, 700};
    t.cp = t.cond = t.visc = t.H = {1, 1, 1, 1};
    for (double v = -5; v <= 25; v += 0.25) {
        SCOPED_TRACE("t = " + std::to_string(v));
        EXPECT_NE(t.bracket(t.T, v, 1), 1u);
    }
    EXPECT_DOUBLE_EQ(t.properties(10, 1).dens, 800);  // the row after the duplicate
}

TEST(FluidTableLookup, TooFewRowsFailCleanly) {
    FluidTable one;
    one.T = {5};
    one.P = {1};
    one.dens = one.cp = one.cond = one.visc = one.H = {1};
    EXPECT_THROW(one.properties(5, 1), CalcError);
    EXPECT_THROW(one.enthalpy(5, 2), CalcError);
    EXPECT_THROW(one.temperatureAt(1, 1), CalcError);
    EXPECT_EQ(one.wallViscosity(7, 1), 1);  // held: needs no interval
    EXPECT_THROW(FluidTable{}.properties(5, 1), CalcError);
    EXPECT_THROW(FluidTable{}.wallViscosity(5, 1), CalcError);

    FluidTable ragged = ladder();
    ragged.visc.pop_back();
    EXPECT_THROW(ragged.properties(5, 1), CalcError);
}

}  // namespace
}  // namespace zano
