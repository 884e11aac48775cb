#include "properties/user_fluid.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "golden_text.h"
#include "properties/fluid_table.h"
#include "scratch_files.h"

namespace zano {
namespace {

using UserFluidFile = testing::ScratchTest;

// The table written for each set of texts, or the refusal naming the property, set down in
// tests/properties/golden/user_fluid_texts.txt (make golden rewrites it).
TEST(UserFluidText, ThreeRecordsOrARefusalNamingTheProperty) {
    const std::string file = "properties/golden/user_fluid_texts.txt";
    const std::string out = golden_text::table(file, [](const std::string&, std::string texts) {
        std::vector<std::string> t;
        for (std::size_t end; (end = texts.find("; ")) != std::string::npos;)
            t.push_back(texts.substr(0, end)), texts.erase(0, end + 2);
        t.push_back(texts);
        try {
            std::string records =
                userFluidText(userFluidFromTexts(t.at(0), t.at(1), t.at(2), t.at(3)));
            for (std::size_t at; (at = records.find('\n')) + 1 < records.size();)
                records.replace(at, 1, " | ");
            return records.substr(0, records.size() - 1);
        } catch (const UserFluidError& e) {
            return std::string("error: ") + e.what();
        }
    });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
}

TEST_F(UserFluidFile, WrittenTableLoadsAsAFluidAndItsFirstRecordReadsBack) {
    const auto file = dir_ / "User defined.dat";
    write("User defined.dat", "old table\n");
    const auto fluid = userFluidFromTexts("998,2", "4,18", "0,6", "0,001");
    writeUserFluid(file, fluid);
    EXPECT_EQ(testing::fileBytes(file), userFluidText(fluid));

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
    EXPECT_EQ((std::vector<float>{r.T, r.P, r.dens, r.cp, r.cond, r.visc, r.H}),
              (std::vector<float>{-100, 1, 998.2f, 4.18f, 0.6f, 0.001f, -418}));
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

// A table that cannot be written leaves nothing and says where; a first record that cannot be
// read is reported.
TEST_F(UserFluidFile, FailedWriteAndUnreadableFirstRecordAreReported) {
    const auto file = dir_ / "missing folder" / "User defined.dat";
    try {
        writeUserFluid(file, userFluidFromTexts("1000", "4,2", "0,6", "0,001"));
        ADD_FAILURE() << "a file was written into a missing folder";
    } catch (const UserFluidError& e) {
        EXPECT_NE(std::string(e.what()).find("missing folder/User defined.dat"), std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
    // Cut short, text for a number, empty, missing.
    for (const char* content : std::initializer_list<const char*>{
             "-100,1,1000\n", "-100,1,water,4.2,0.6,0.001,-420\n", "", nullptr})
        EXPECT_THROW(readUserFluidRecord(content ? write("User defined.dat", content) : file),
                     UserFluidError)
            << (content ? content : "missing");
}

}  // namespace
}  // namespace zano
