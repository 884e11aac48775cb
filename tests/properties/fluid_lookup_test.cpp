#include <gtest/gtest.h>

#include <map>
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

using golden_text::shown;

// A table of one pressure block with the rows T and every property column equal to `column`.
FluidTable rows(std::vector<double> T, std::vector<float> P, std::vector<double> column) {
    FluidTable t;
    t.T = std::move(T), t.P = std::move(P);
    t.dens = t.cp = t.cond = t.visc = t.H = std::move(column);
    return t;
}

// The tables tests/properties/golden/table_lookups.txt names.
std::map<std::string, FluidTable> namedTables() {
    std::map<std::string, FluidTable> t = {
        {"ladder", ladder()},
        {"range", rows({1, 50, 99}, {1, 1, 1}, {1, 1, 1})},
        {"water", readFluidTable(std::string(ZANO_TEST_DATA) + "/Water.dat")},
        {"repeated", rows({0, 10, 0, 10, 0, 10}, {1, 1, 2, 2, 1, 1}, {1, 2, 3, 4, 5, 6})},
        {"split", rows({5, 0, 10}, {1, 3, 3}, {1, 2, 3})},
        {"unordered", rows({0, 10, 5, 20}, {1, 1, 1, 1}, {1, 1, 1, 1})},
        {"doubled", rows({0, 10, 10, 20}, {1, 1, 1, 1}, {1000, 900, 800, 700})},
        {"one", rows({5}, {1}, {1})},
        {"empty", FluidTable{}},
        {"ragged", ladder()}};
    t["ragged"].visc.pop_back();
    return t;
}

std::string columns(const FluidTable& t) {
    std::string out;
    for (const auto* column : {&t.T, &t.H, &t.dens, &t.visc}) {
        for (const double v : *column) out += shown(v) + " ";
        out += column == &t.visc ? "" : "| ";
    }
    return out.substr(0, out.size() - 1);
}

std::string lookup(const FluidTable& t, const std::string& op, const std::vector<double>& a) {
    const float p = a.size() > 1 ? static_cast<float>(a[1]) : 1;
    if (op == "interpola") return shown(interpola(a[0], a[1], a[2], a[3], a[4]));
    if (op == "bracket-T") return std::to_string(t.bracket(t.T, a[0], p));
    if (op == "bracket-H") return std::to_string(t.bracket(t.H, a[0], p));
    if (op == "properties") {
        const FluidProperties f = t.properties(a[0], p);
        return shown(f.dens) + " " + shown(f.cp) + " " + shown(f.cond) + " " + shown(f.visc);
    }
    if (op == "enthalpy") return shown(t.enthalpy(a[0], p));
    if (op == "temperature-at") return shown(t.temperatureAt(a[0], p));
    if (op == "wall-viscosity") return shown(t.wallViscosity(a[0], p));
    if (op == "in-range") return std::string(t.inRange(a[0]) ? "inside" : "outside");
    FluidTable reduced = t;
    reduced.reduceTo(static_cast<float>(a[0]));
    if (op == "reduce") return columns(reduced);
    if (op == "reduced-properties") return shown(reduced.properties(a[1], float(a[0])).dens);
    return "unknown lookup";
}

// Every lookup of tests/properties/golden/table_lookups.txt: "[table] op [arguments]", on the
// ladder when no table is named (on the range table for in-range).
TEST(FluidTableLookup, AnswersTheGoldenTable) {
    const std::map<std::string, FluidTable> tables = namedTables();
    const std::string file = "properties/golden/table_lookups.txt";
    const std::string out =
        golden_text::table(file, [&](const std::string& named, const std::string& argument) {
            const auto space = named.find(' ');
            const std::string op = space == std::string::npos ? named : named.substr(space + 1);
            const std::string table = space != std::string::npos ? named.substr(0, space)
                                      : op == "in-range"         ? "range"
                                                                 : "ladder";
            try {
                return lookup(tables.at(table), op, golden_text::numbers(argument));
            } catch (const CalcError& e) {
                return "Invalid data: " + e.detail();
            }
        });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
}

}  // namespace
}  // namespace zano
