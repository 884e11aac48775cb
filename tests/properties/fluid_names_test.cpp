// The fluids a data folder offers and the files their names stand for; the shipped tables.
#include "properties/fluid_names.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "base/errors.h"
#include "properties/fluid_table.h"
#include "scratch_files.h"

namespace zano {
namespace {

// Only the names of the fluid lists name a file: a path, "..", a NUL or a control character
// would reach files outside the data folder or cut the name short.
TEST(FluidSides, ANameOutsideTheListsNamesNoFile) {
    const std::string refused[] = {"Mercury",   "water",       " Water",
                                   "",          "../Water",    "..\\Water",
                                   "sub/Water", "/etc/passwd", std::string("Water\0.txt", 10),
                                   "Wa\x01ter", "Water\n",     std::string(10000, 'x')};
    for (const std::string& name : refused) {
        try {
            fluidFile("/opt/zano/data", name);
            ADD_FAILURE() << name;
        } catch (const CalcError& e) {
            EXPECT_EQ(e.detail().rfind("no fluid of that name: \"", 0), 0u) << e.detail();
            EXPECT_LT(e.detail().size(), 100u);
        }
    }
}

// Tables of the user's own follow the sixteen in the lists, alphabetically and once each; one
// in the data folder is taken before one of the same name in the user's folder.
TEST(FluidSides, ListsTheUsersOwnTablesAfterTheSixteen) {
    namespace fs = std::filesystem;
    const testing::ScratchDir root;
    const fs::path data = root.path / "data", user = root.path / "user";
    fs::create_directories(data / "Folder.dat");
    fs::create_directories(user);
    for (const fs::path& f :
         {data / "Oil.dat", data / "condmat.dat", data / ".hidden.dat", data / "Water.dat",
          data / "notes.txt", data / "Brine.dat", user / "Glycerol.dat", user / "Oil.dat"})
        std::ofstream(f) << "0,1,1,1,1,1,0\n";
    std::vector<std::string> expected(std::begin(kFluidNames), std::end(kFluidNames));
    for (const char* own : {"Brine", "Glycerol", "Oil"}) expected.push_back(own);
    EXPECT_EQ(offeredFluids({data, user}), expected);
    EXPECT_EQ(fluidFile(data, "Glycerol", user), user / "Glycerol.dat");
    EXPECT_EQ(fluidFile(data, "Oil", user), data / "Oil.dat");
    // An entry of a table's name that is no file is named for what it is.
    ASSERT_EQ(::mkfifo((user / "Fifo.dat").c_str(), 0600), 0);
    for (const auto& [name, kind] :
         {std::pair<const char*, const char*>{"Folder", "a folder"}, {"Fifo", "a pipe (FIFO)"}}) {
        try {
            fluidFile(data, name, user);
            ADD_FAILURE() << name << " was taken for a table";
        } catch (const CalcError& e) {
            EXPECT_NE(e.detail().find(std::string("is ") + kind + ", not a table"),
                      std::string::npos)
                << e.detail();
        }
    }
    // "User defined" saved in the user's folder comes before the shipped one.
    EXPECT_EQ(fluidFile(data, "User defined", user), data / "User defined.dat");
    std::ofstream(user / "User defined.dat") << "0,1,1,1,1,1,0\n";
    EXPECT_EQ(fluidFile(data, "User defined", user), user / "User defined.dat");
    EXPECT_EQ(fluidFile(data, "User defined"), data / "User defined.dat");
}

// Every fluid of the lists has a file; every pressure block of it reduces to a table whose
// mid temperature gives sound properties, and enthalpy and its inverse agree there.
TEST(ShippedData, EveryFluidAndPressureBlock) {
    for (const char* fluid : kFluidNames) {
        SCOPED_TRACE(fluid);
        const FluidTable full = readFluidTable(fluidFile(ZANO_SOURCE_DIR "/data", fluid));
        ASSERT_LE(full.size(), FluidTable::kMaxRows);
        std::set<float> pressures(full.P.begin(), full.P.end());
        for (const float p : pressures) {
            SCOPED_TRACE("pressure " + std::to_string(p) + " bar");
            FluidTable block = full;
            block.reduceTo(p);
            ASSERT_GE(block.size(), 2u);
            const double mid = (block.T.front() + block.T.back()) / 2;
            EXPECT_TRUE(block.inRange(mid));
            const auto props = block.properties(mid, p);
            for (const double v : {props.dens, props.cp, props.cond, props.visc}) {
                EXPECT_TRUE(std::isfinite(v) && v > 0) << v;
            }
            EXPECT_NEAR(block.temperatureAt(block.enthalpy(mid, p), p), mid, 0.01);
            // The unreduced table answers the same at that pressure.
            EXPECT_EQ(full.properties(mid, p).dens, props.dens);
        }
    }
}

}  // namespace
}  // namespace zano
