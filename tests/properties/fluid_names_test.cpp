// The fluids a data folder offers and the files their names stand for.
#include "properties/fluid_names.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/errors.h"
#include "golden_text.h"
#include "properties/fluid_table.h"
#include "scratch_files.h"

namespace zano {
namespace {

// Only the names of the fluid lists name a file: a path, "..", a NUL or a control character
// would reach files outside the data folder or cut the name short. The names and what they
// give are set down in tests/properties/golden/fluid_names.txt.
TEST(FluidSides, ANameOutsideTheListsNamesNoFile) {
    const std::string file = "properties/golden/fluid_names.txt";
    const std::string out = golden_text::table(file, [](const std::string&, const std::string& s) {
        try {
            return fluidFile("/opt/zano/data", golden_text::expanded(s)).string();
        } catch (const CalcError& e) {
            return golden_text::escaped(e.detail());
        }
    });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
}

// The further shipped tables follow the sixteen in their order (a glycol before an oil), then the
// user's own tables, alphabetically and once each; one in the data folder is taken before one of
// the same name in the user's folder.
TEST(FluidSides, ListsTheUsersOwnTablesAfterTheSixteen) {
    namespace fs = std::filesystem;
    const testing::ScratchDir root;
    const fs::path data = root.path / "data", user = root.path / "user";
    fs::create_directories(data / "Folder.dat");
    fs::create_directories(user);
    for (const fs::path& f :
         {data / "Oil.dat", data / "condmat.dat", data / ".hidden.dat", data / "Water.dat",
          data / "notes.txt", data / "Brine.dat", user / "Glycerol.dat", user / "Oil.dat",
          data / "Dowtherm J.dat", user / "Ethylene Glycol 50%.dat"})
        std::ofstream(f) << "0,1,1,1,1,1,0\n";
    std::vector<std::string> expected(std::begin(kFluidNames), std::end(kFluidNames));
    for (const char* own : {"Ethylene Glycol 50%", "Dowtherm J", "Brine", "Glycerol", "Oil"})
        expected.push_back(own);
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

}  // namespace
}  // namespace zano
