#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/errors.h"
#include "golden_text.h"
#include "properties/fluid_table.h"

// The bisection of a table search must find the very row the scan finds, or fail as it fails.
namespace zano {
namespace {

// The row a search returns, or the cause it fails with.
std::string outcome(const FluidTable& t, const std::vector<double>& X, double v, float p,
                    bool scan) {
    try {
        return std::to_string(scan ? t.scanBracket(X, v, p) : t.bracket(X, v, p));
    } catch (const CalcError& e) {
        return e.detail();
    }
}

// Values on every row, a double and a single rounding either side of it, midway, beyond both
// ends, beyond the single range, and random ones across the column and a little past it.
std::vector<double> probes(const std::vector<double>& X, std::mt19937_64& rng) {
    std::vector<double> v = {-1e39, 1e39, -1e6, 1e6};
    for (std::size_t i = 0; i < X.size(); ++i) {
        const double x = X[i];
        const double singleStep = std::abs(x) * 0x1p-24 + 0x1p-140;
        v.insert(v.end(),
                 {x, std::nextafter(x, -1e300), std::nextafter(x, 1e300), x - singleStep / 2,
                  x - singleStep / 4, x + singleStep / 2, x - 1e-7, x - 1, x + 1});
        if (i + 1 < X.size()) v.push_back((x + X[i + 1]) / 2);
    }
    const double span = X.back() - X.front();
    std::uniform_real_distribution<double> across(X.front() - span / 10, X.back() + span / 10);
    for (int k = 0; k < 300; ++k) v.push_back(across(rng));
    return v;
}

// Every shipped table, whole and reduced to each of its pressures, on both searched columns.
TEST(FluidTableBisection, FindsTheRowTheScanFindsOnEveryShippedTable) {
    std::mt19937_64 rng(7);
    int bisected = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ZANO_SOURCE_DIR "/data")) {
        if (entry.path().extension() != ".dat" || entry.path().stem() == "condmat" ||
            entry.path().stem() == "pipes")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const FluidTable full = readFluidTable(entry.path());
        std::vector<FluidTable> tables = {full};
        std::set<float> pressures(full.P.begin(), full.P.end());
        for (const float p : pressures) {
            tables.push_back(full);
            tables.back().reduceTo(p);
            // Each block is sound at its middle: properties above 0, the enthalpy's inverse,
            // and the unreduced table's answer at that pressure.
            const FluidTable& block = tables.back();
            const double mid = (block.T.front() + block.T.back()) / 2;
            const FluidProperties f = block.properties(mid, p);
            for (const double v : {f.dens, f.cp, f.cond, f.visc})
                EXPECT_TRUE(std::isfinite(v) && v > 0) << v << " at " << p << " bar";
            EXPECT_NEAR(block.temperatureAt(block.enthalpy(mid, p), p), mid, 0.01) << p << " bar";
            EXPECT_EQ(full.properties(mid, p).dens, f.dens) << "unreduced, " << p << " bar";
        }
        for (const FluidTable& t : tables) {
            for (const float p : {t.P.front(), full.P.back(), -3.5f}) {
                for (const auto* X : {&t.T, &t.H}) {
                    bisected += t.bisects(*X, p);
                    for (const double v : probes(*X, rng)) {
                        ASSERT_EQ(outcome(t, *X, v, p, false), outcome(t, *X, v, p, true))
                            << "value " << v << ", pressure " << p << ", "
                            << (X == &t.T ? "T" : "H") << ", " << t.size() << " rows";
                    }
                }
            }
        }
    }
    EXPECT_GT(bisected, 200);  // the comparison above covered the bisection, not only the scan
}

// What a table of tests/properties/golden/search_orders.txt bisects: its temperatures, the
// enthalpy (falling: scanned), the density and the temperatures after a row is added.
std::string searchOrder(const std::string& argument) {
    std::istringstream in(argument);
    FluidTable t;
    double v = 0;
    while (in >> v) t.T.push_back(v);
    in.clear(), in.ignore(2);
    while (in >> v) t.P.push_back(static_cast<float>(v));
    in.clear(), in.ignore(2);
    float p = 0;
    in >> p;
    t.dens = t.cp = t.cond = t.visc = t.T;
    for (const double x : t.T) t.H.push_back(-x);
    t.noteSearchOrder();
    std::string out;
    for (const auto* X : {&t.T, &t.H, &t.dens}) out += t.bisects(*X, p) ? "bisected " : "scanned ";
    t.T.push_back(30), t.P.push_back(p);
    return out + (t.bisects(t.T, p) ? "bisected" : "scanned");
}

TEST(FluidTableBisection, OnlyOneBlockOfRisingRows) {
    const std::string file = "properties/golden/search_orders.txt";
    const std::string out = golden_text::table(
        file,
        [](const std::string&, const std::string& argument) { return searchOrder(argument); });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
}

}  // namespace
}  // namespace zano
