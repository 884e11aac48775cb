#include "properties/user_fluid.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "golden_text.h"
#include "properties/fluid_table.h"
#include "temp_files.h"

namespace zano {
namespace {

using UserFluidFile = testing::TempDataDir;

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The table written for each set of texts, or the refusal naming the property, set down in
// tests/properties/golden/user_fluid.txt (make golden rewrites it).
TEST(UserFluidText, ThreeRecordsOrARefusalNamingTheProperty) {
    const struct {
        const char* name;
        const char *dens, *cp, *cond, *visc;
    } rows[] = {
        {"water-like: h = 4.2 T", "1000", "4,2", "0,6", "0,001"},
        // 2.3644f * 300 = 709.31998...: the single nearest is 709.3199, where the double product
        // would read 709.32; the viscosity is a double and keeps its 12 digits.
        {"enthalpy as a single product", "1,2", "2,3644", "0,025", "0,0000181234567891"},
        {"empty density", "", "4,2", "0,6", "0,001"},
        {"letters in Cp", "1000", "abc", "0,6", "0,001"},
        {"zero conductivity", "1000", "4,2", "0", "0,001"},
        {"negative viscosity", "1000", "4,2", "0,6", "-0,001"},
        {"density beyond a single", "1E39", "4,2", "0,6", "0,001"},
        {"Cp beyond any fluid", "1000", "2E36", "0,6", "0,001"},
        {"two commas", "1000", "4,2,1", "0,6", "0,001"},
        // Magnitudes no fluid has: a unit off by 1000, a misplaced exponent.
        {"density in g/m^3", "998000", "4,2", "0,6", "0,001"},
        {"density below any gas", "0,001", "4,2", "0,6", "0,001"},
        {"Cp in J/(kg K)", "1000", "4200", "0,6", "0,001"},
        {"Cp below any fluid", "1000", "0,05", "0,6", "0,001"},
        {"conductivity in mW/(m K)", "1000", "4,2", "600", "0,001"},
        {"conductivity below any gas", "1000", "4,2", "0,0005", "0,001"},
        {"viscosity in mPa s, far beyond", "1000", "4,2", "0,6", "20000"},
        {"viscosity below any gas", "1000", "4,2", "0,6", "1E-9"},
        {"every bound itself", "0,01", "100", "0,001", "10000"},
    };
    std::string out;
    for (const auto& r : rows) {
        out += std::string("== ") + r.name + "\n";
        try {
            out += userFluidText(userFluidFromTexts(r.dens, r.cp, r.cond, r.visc));
        } catch (const UserFluidError& e) {
            out += std::string("error: ") + e.what() + "\n";
        }
    }
    EXPECT_EQ(golden_text::mismatch("properties/golden/user_fluid.txt", out), "");
}

TEST_F(UserFluidFile, WrittenTableLoadsAsAFluidAndItsFirstRecordReadsBack) {
    const auto file = dir_ / "User defined.dat";
    write("User defined.dat", "old table\n");
    const auto fluid = userFluidFromTexts("998,2", "4,18", "0,6", "0,001");
    writeUserFluid(file, fluid);
    EXPECT_EQ(contents(file), userFluidText(fluid));

    // Only the table remains: the temporary file was renamed over the old one.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_),
                            std::filesystem::directory_iterator()),
              1);
    const FluidTable t = readFluidTable(file);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t.T[0], -100);
    EXPECT_EQ(t.T[2], 300);
    EXPECT_EQ(t.P[1], 1.0f);
    EXPECT_DOUBLE_EQ(t.H[2], 1254);  // 4.18 * 300

    const UserFluidRecord r = readUserFluidRecord(file);
    EXPECT_EQ(r.T, -100.0f);
    EXPECT_EQ(r.P, 1.0f);
    EXPECT_EQ(r.dens, 998.2f);
    EXPECT_EQ(r.cp, 4.18f);
    EXPECT_EQ(r.cond, 0.6f);
    EXPECT_EQ(r.visc, 0.001f);
    EXPECT_EQ(r.H, -418.0f);
}

// "User defined" is saved where the calculation will read it: the user's own where there is
// one, else beside the shipped tables where this user may write there, else in the user's
// folder, which then comes first for that one name.
TEST_F(UserFluidFile, SavedWhereTheCalculationReadsItAndTheUserCanWrite) {
    namespace fs = std::filesystem;
    const fs::path data = dir_ / "data", user = dir_ / "user";
    fs::create_directories(data);
    const struct {
        const char* name;
        bool dataWritable, userHasOne;
        fs::path userDir;
        fs::path file;
        bool inUserDir;
    } rows[] = {
        {"data folder writable", true, false, user, data / "User defined.dat", false},
        {"data folder read-only", false, false, user, user / "User defined.dat", true},
        {"the user's own, data writable", true, true, user, user / "User defined.dat", true},
        {"the user's own, data read-only", false, true, user, user / "User defined.dat", true},
        {"no user's folder", false, false, fs::path(), data / "User defined.dat", false},
    };
    for (const auto& r : rows) {
        fs::remove_all(user);
        if (r.userHasOne) {
            fs::create_directories(user);
            write("user/User defined.dat", userFluidText(userFluidFromTexts("1", "2", "0,1", "1")));
        }
        std::vector<fs::path> asked;
        const UserFluidPlace place = userFluidPlace(data, r.userDir, [&](const fs::path& folder) {
            asked.push_back(folder);
            return r.dataWritable;
        });
        EXPECT_EQ(place.file, r.file) << r.name;
        EXPECT_EQ(place.inUserDir, r.inUserDir) << r.name;
        // What is saved there is what the calculation reads.
        fs::create_directories(place.file.parent_path());
        writeUserFluid(place.file, userFluidFromTexts("3", "4", "0,5", "6"));
        EXPECT_EQ(fluidFile(data, kUserFluidName, r.userDir), place.file) << r.name;
        fs::remove(data / "User defined.dat");
        for (const fs::path& folder : asked) EXPECT_EQ(folder, data) << r.name;
    }
}

// The real test of a folder: a read-only one cannot be written, unless by root, who can write
// everywhere.
TEST_F(UserFluidFile, AReadOnlyDataFolderSendsTheUserFluidToTheUsersFolder) {
    namespace fs = std::filesystem;
    if (geteuid() == 0) GTEST_SKIP() << "root writes into a read-only folder";
    const fs::path data = dir_ / "data", user = dir_ / "user";
    fs::create_directories(data);
    EXPECT_EQ(userFluidPlace(data, user).file, data / "User defined.dat");
    fs::permissions(data, fs::perms::owner_read | fs::perms::owner_exec);
    const UserFluidPlace place = userFluidPlace(data, user);
    fs::permissions(data, fs::perms::owner_all);
    EXPECT_EQ(place.file, user / "User defined.dat");
    EXPECT_TRUE(place.inUserDir);
}

TEST_F(UserFluidFile, FailedWriteLeavesNothingAndSaysWhere) {
    const auto file = dir_ / "missing folder" / "User defined.dat";
    try {
        writeUserFluid(file, userFluidFromTexts("1000", "4,2", "0,6", "0,001"));
        ADD_FAILURE() << "a file was written into a missing folder";
    } catch (const UserFluidError& e) {
        EXPECT_NE(std::string(e.what()).find("missing folder/User defined.dat"), std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST_F(UserFluidFile, UnreadableFirstRecordIsReported) {
    struct Row {
        const char* name;
        const char* content;
    };
    const Row rows[] = {{"record cut short", "-100,1,1000\n"},
                        {"text for a number", "-100,1,water,4.2,0.6,0.001,-420\n"},
                        {"empty file", ""}};
    for (const auto& r : rows) {
        const auto file = write("User defined.dat", r.content);
        EXPECT_THROW(readUserFluidRecord(file), UserFluidError) << r.name;
    }
    EXPECT_THROW(readUserFluidRecord(dir_ / "none.dat"), UserFluidError);
}

}  // namespace
}  // namespace zano
