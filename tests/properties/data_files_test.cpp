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
#include "scratch_files.h"

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

using HostileDataFile = testing::ScratchTest;

// Refused at once unless a regular file within the cap; the answers set down in
// tests/properties/golden/hostile_files.txt.
TEST_F(HostileDataFile, IsRefusedAtOnceUnlessARegularFileWithinTheCap) {
    const std::string content =
        testing::fileBytes(ZANO_SOURCE_DIR "/tests/properties/reads/fluid-451-records.dat");
    const std::string out = testing::hostileAnswers(
        dir_, kMaxDataFileBytes, content, [](const fs::path& file) -> std::string {
            try {
                return std::to_string(readFluidTable(file).size()) + " rows";
            } catch (const CalcError& e) {
                return e.detail();
            }
        });
    EXPECT_EQ(golden_text::mismatch("properties/golden/hostile_data_files.txt", out), "");
}

}  // namespace
}  // namespace zano
