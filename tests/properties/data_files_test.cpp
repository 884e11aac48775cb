// Fluid tables and material files read from tests/properties/reads, each result set down in
// tests/properties/golden/data_files.txt (make golden rewrites it); the reduction to one
// pressure and the lookups on tables that are not reduced yet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "base/errors.h"
#include "golden_text.h"
#include "hostile_files.h"
#include "properties/calc_state.h"
#include "properties/data_file_reader.h"
#include "temp_files.h"

namespace zano {
namespace {

namespace fs = std::filesystem;

std::string row(const FluidTable& t, std::size_t i) {
    char line[256];
    std::snprintf(line, sizeof line, "%.17g %.9g %.17g %.17g %.17g %.17g %.17g\n", t.T[i],
                  static_cast<double>(t.P[i]), t.dens[i], t.cp[i], t.cond[i], t.visc[i], t.H[i]);
    return line;
}

std::string describeFluid(const FluidTable& t) {
    std::string out = std::to_string(t.size()) + " rows\n";
    for (std::size_t i = 0; i < t.size(); ++i)
        if (i < 2 || i + 1 == t.size()) out += row(t, i);
    return out;
}

// The records, then what proptubo selects for names that differ in case, blanks or words
// (a name that matches nothing leaves the sentinel values 7 and 0.5).
std::string describeMaterials(const std::vector<WallMaterial>& materials) {
    std::string out;
    char line[256];
    for (const WallMaterial& m : materials) {
        std::snprintf(line, sizeof line, "%s | %.9g | %.17g\n", m.name.c_str(),
                      static_cast<double>(m.cond), m.rug);
        out += line;
    }
    CalcState s;
    s.data.materials = materials;
    for (const char* name : {"Carbon steel", "Steel, galvanised", "Copper", "copper", "COPPER",
                             "Copper ", "", "Steel", "Brass", "PVC"}) {
        s.condTubo = 7, s.rugTubo = 0.5;
        proptubo(s, name);
        std::snprintf(line, sizeof line, "proptubo(\"%s\"): %.9g %.17g\n", name,
                      static_cast<double>(s.condTubo), s.rugTubo);
        out += line;
    }
    return out;
}

TEST(DataFiles, ReadsEveryLayoutAndNamesFileAndLineOfAFault) {
    std::vector<fs::path> files;
    for (const auto& e :
         fs::directory_iterator(fs::path(ZANO_SOURCE_DIR) / "tests/properties/reads"))
        files.push_back(e.path());
    std::sort(files.begin(), files.end());
    std::string out;
    for (const fs::path& file : files) {
        const bool materials = file.filename().string().rfind("condmat", 0) == 0;
        out += "== " + file.filename().string() + "\n";
        try {
            out += materials ? describeMaterials(readMaterialFile(file))
                             : describeFluid(readFluidTable(file));
        } catch (const CalcError& e) {
            out += "error: " + e.detail() + "\n";
        }
    }
    EXPECT_EQ(golden_text::mismatch("properties/golden/data_files.txt", out), "");
}

using HostileDataFile = testing::TempDataDir;

TEST_F(HostileDataFile, IsRefusedAtOnceUnlessARegularFileWithinTheCap) {
    std::ifstream table(fs::path(ZANO_SOURCE_DIR) / "tests/properties/reads/fluid-451-records.dat");
    const std::string content{std::istreambuf_iterator<char>(table), {}};
    const std::vector<std::string> expected = {
        "451 rows",
        "data file \"over-cap.dat\" is larger than 512 KiB, more than a table of 451 records "
        "takes",
        "data file \"fifo.dat\" is not a regular file",
        "data file \"zero\" is not a regular file",
        "data file \"folder.dat\" is missing or unreadable",
    };
    const auto files = testing::hostileFiles(dir_, kMaxDataFileBytes, content);
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(testing::answerWithin5s([&]() -> std::string {
                      try {
                          return std::to_string(readFluidTable(files[i].path).size()) + " rows";
                      } catch (const CalcError& e) {
                          return e.detail();
                      }
                  }),
                  expected[i])
            << files[i].name;
    }
}

TEST(FluidTableReduce, KeepsTheFirstBlockOfThePressure) {
    const FluidTable full = readFluidTable(std::string(ZANO_TEST_DATA) + "/Water.dat");
    ASSERT_EQ(full.size(), 7u);
    FluidTable first = full, last = full, absent = full;
    first.reduceTo(1);
    EXPECT_EQ(first.T, (std::vector<double>{10, 20, 40}));
    EXPECT_EQ(first.H, (std::vector<double>{40, 80.5, 164.5}));
    last.reduceTo(5);  // the block that ends at the last record keeps its last row
    EXPECT_EQ(last.T, (std::vector<double>{0, 20, 30, 50}));
    EXPECT_EQ(last.visc, (std::vector<double>{0.0030, 0.0020, 0.0016, 0.0011}));
    EXPECT_THROW(absent.reduceTo(7), CalcError);

    FluidTable repeated;
    repeated.T = {0, 10, 0, 10, 0, 10};
    repeated.P = {1, 1, 2, 2, 1, 1};
    repeated.dens = {1, 2, 3, 4, 5, 6};
    repeated.cp = repeated.cond = repeated.visc = repeated.H = repeated.dens;
    repeated.reduceTo(1);
    EXPECT_EQ(repeated.dens, (std::vector<double>{1, 2}));
    // A block of one row: the unreduced table still interpolates (rows 0 and 1), the reduced
    // one has nothing to interpolate in.
    FluidTable oneRow;
    oneRow.T = {5, 0, 10};
    oneRow.P = {1, 3, 3};
    oneRow.dens = oneRow.cp = oneRow.cond = oneRow.visc = oneRow.H = {1, 2, 3};
    EXPECT_NO_THROW(oneRow.properties(5, 1));
    oneRow.reduceTo(1);
    EXPECT_THROW(oneRow.properties(5, 1), CalcError);
}

TEST(FluidTableReduce, LookupsOnTheUnreducedTableMatchTheirPressure) {
    const FluidTable t = readFluidTable(std::string(ZANO_TEST_DATA) + "/Water.dat");
    const struct {
        const char* name;
        double value, expected;
    } rows[] = {
        {"5 bar density inside its block", t.properties(25, 5).dens, 992.5000005960464},
        {"absent pressure: rows 0 and 1, no failure", t.enthalpy(15, 7), 60.249998569488525},
        {"5 bar above its block: its last interval", t.enthalpy(60, 5), 252.49999713897705},
        {"1 bar at its last row: its last interval", t.enthalpy(40, 1), 164.49999618530273},
        {"1 bar wall viscosity past its block, below the table's last row", t.wallViscosity(45, 1),
         0.000875000015788828},
        {"wall viscosity holds the last row of the whole table", t.wallViscosity(50, 1), 0.0011},
    };
    for (const auto& r : rows) EXPECT_DOUBLE_EQ(r.value, r.expected) << r.name;
}

}  // namespace
}  // namespace zano
