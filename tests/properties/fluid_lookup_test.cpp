#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
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

TEST(Interpola, SingleSlopeAndGuardAgainstEqualAbscissas) {
    struct Row {
        const char* name;
        double x, x1, x2, y1, y2, expected;
    } rows[] = {
        {"mid-interval", 15, 10, 20, 900, 700, 800.0000095367432},
        {"slope kept as single, not double (double would give 0.3333332222)", 1, 0, 3, 0, 1,
         0.33333322405815125},
        {"equal abscissas divide by 1e-6", 10.5, 10, 10, 900, 800, -49999100.0},
        {"equal abscissas, x on them", 10, 10, 10, 900, 800, 900},
        {"no clamping above x2", 40, 20, 30, 700, 600, 500.0000190734863},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_DOUBLE_EQ(interpola(r.x, r.x1, r.x2, r.y1, r.y2), r.expected);
    }
}

TEST(Interpola, DivisionByZeroIsInvalidData) {
    // x1 = x2 + 1e-6 leaves a zero denominator despite the guard.
    EXPECT_THROW(interpola(0, 1e-6, 0, 1, 2), CalcError);  // slope infinite
    EXPECT_THROW(interpola(0, 1e-6, 0, 1, 1), CalcError);  // 0/0
}

TEST(FluidTableBracket, PicksTheIntervalOfEachValue) {
    const FluidTable t = ladder();
    struct Row {
        const char* name;
        bool onEnthalpy;
        double v;
        float p;
        std::size_t expected;
    } rows[] = {
        {"first row starts interval 0", false, 0, 1, 0},
        {"inside interval 0", false, 5, 1, 0},
        {"a row starts its own interval", false, 10, 1, 1},
        {"row 2 starts interval 2", false, 20, 1, 2},
        {"a single rounding below row 2 stays in interval 1 (not the old fallback 0)", false,
         20 - 2e-7, 1, 1},
        {"last row takes the last interval", false, 30, 1, 2},
        {"above the block takes the last interval", false, 45, 1, 2},
        {"below the block takes the first interval", false, -5, 1, 0},
        {"pressure absent from the table falls back to rows 0 and 1", false, 25, 2, 0},
        {"top enthalpy takes the last interval", true, 128, 1, 2},
        {"enthalpy inside interval 1", true, 50, 1, 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(t.bracket(r.onEnthalpy ? t.H : t.T, r.v, r.p), r.expected);
    }
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

TEST(FluidTableLookup, PropertiesOnAndBetweenRows) {
    const FluidTable t = ladder();
    struct Row {
        const char* name;
        double t;
        double dens;
    } rows[] = {
        {"on a row: that row's value exactly", 10, 900},
        {"mid-interval", 15, 800.0000095367432},
        {"last row: its value within the 1e-6 guard", 30, 600.0000095367432},
        {"above the block: extrapolated from the last interval", 40, 500.0000190734863},
        {"below the first row: extrapolated from the first interval", -5, 1049.9999952316284},
        {"a rounding below row 2: interval 1 (interval 0 would give 800.00002)", 20 - 2e-7,
         700.0000230734859},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_DOUBLE_EQ(t.properties(r.t, 1).dens, r.dens);
    }
    const auto onRow = t.properties(20, 1);
    EXPECT_EQ(onRow.cp, 4.3);
    EXPECT_EQ(onRow.cond, 0.65);
    EXPECT_EQ(onRow.visc, 1.5e-3);
    EXPECT_EQ(t.enthalpy(20, 1), 83);
}

TEST(FluidTableLookup, TopEnthalpyGivesTheLastTemperature) {
    const FluidTable t = ladder();
    EXPECT_DOUBLE_EQ(t.temperatureAt(128, 1), 30.000000074505806);
    EXPECT_EQ(t.temperatureAt(83, 1), 20);
    EXPECT_NEAR(t.temperatureAt(t.enthalpy(17.5, 1), 1), 17.5, 1e-5);
}

TEST(FluidTableLookup, WallViscosityHeldAtTheEnds) {
    const FluidTable t = ladder();
    struct Row {
        const char* name;
        double t;
        double visc;
    } rows[] = {
        {"below the first row: first row's value", -10, 3e-3},
        {"on the first row", 0, 3e-3},
        {"interpolated inside", 25, 0.0013500000128842658},
        {"on the last row: last row's value exactly", 30, 1.2e-3},
        {"above the last row: held", 100, 1.2e-3},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_DOUBLE_EQ(t.wallViscosity(r.t, 1), r.visc);
    }
}

TEST(FluidTableLookup, RangeIncludesFirstRowExcludesLastInSinglePrecision) {
    FluidTable t;
    t.T = {1, 50, 99};
    struct Row {
        const char* name;
        double t;
        bool inside;
    } rows[] = {
        {"first row", 1, true},
        {"just below the first row but equal as single", 1 - 1e-9, true},
        {"below the first row", 0.999, false},
        {"inside", 98.99, true},
        {"just below the last row but equal as single", 99 - 1e-6, false},
        {"last row", 99, false},
        {"above", 120, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(t.inRange(r.t), r.inside);
    }
    EXPECT_THROW(FluidTable{}.inRange(20), CalcError);
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

TEST(FluidTableLookup, NonFiniteValueIsInvalidData) {
    const FluidTable t = ladder();
    EXPECT_THROW(t.properties(std::numeric_limits<double>::quiet_NaN(), 1), CalcError);
    EXPECT_THROW(t.enthalpy(1e300, 1), CalcError);  // beyond single range
}

}  // namespace
}  // namespace zano
