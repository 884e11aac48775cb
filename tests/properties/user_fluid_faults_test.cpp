// Saving the user fluid while the disk fills up, into a read-only or missing data folder, or
// over a folder: the table that was there still loads as before, no temporary file is left,
// and the user is told which file failed.
#include <gtest/gtest.h>

#if defined(__unix__)

#include <filesystem>
#include <fstream>
#include <set>

#include "fault_injection.h"
#include "properties/fluid_table.h"
#include "properties/user_fluid.h"
#include "temp_files.h"

namespace zano {
namespace {

namespace fs = std::filesystem;
using testing::Fault;
using testing::runWithFault;

// The table as shipped: water-like constants.
const char* kOldTable =
    "-100,1,1000,4.2,0.6,0.001,-420\n0,1,1000,4.2,0.6,0.001,0\n300,1,1000,4.2,0.6,0.001,1260\n";

class UserFluidFaults : public testing::TempDataDir {
  protected:
    void SetUp() override {
        TempDataDir::SetUp();
        fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        file = write("User defined.dat", kOldTable);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        TempDataDir::TearDown();
    }
    std::string contents() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::set<std::string> listing() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.insert(e.path().filename());
        return names;
    }
    // The old table is untouched and still loads as a fluid.
    void expectOldTableIntact() const {
        EXPECT_EQ(contents(), kOldTable);
        EXPECT_EQ(listing(), std::set<std::string>{"User defined.dat"});
        const FluidTable t = readFluidTable(file);
        ASSERT_EQ(t.size(), 3u);
        EXPECT_EQ(t.H[2], 1260);
    }
    static UserFluid glycol() { return userFluidFromTexts("1040", "3,8", "0,48", "0,0035"); }

    fs::path file;
};

TEST_F(UserFluidFaults, DiskFullAtAnyPointOfTheWrite) {
    const std::size_t size = userFluidText(glycol()).size();
    for (const rlim_t limit : {rlim_t{0}, rlim_t{1}, rlim_t{size / 2}, rlim_t{size - 1}}) {
        SCOPED_TRACE("file size limit " + std::to_string(limit));
        const auto out = runWithFault({limit, false}, [&] { writeUserFluid(file, glycol()); });
        ASSERT_TRUE(out.ran);
        EXPECT_TRUE(out.threw);
        EXPECT_NE(out.message.find("Cannot save the user fluid to \"" + file.string() + "\""),
                  std::string::npos)
            << out.message;
        expectOldTableIntact();
    }
    const auto out = runWithFault({size, false}, [&] { writeUserFluid(file, glycol()); });
    EXPECT_FALSE(out.threw) << out.message;
    EXPECT_EQ(contents(), userFluidText(glycol()));
}

TEST_F(UserFluidFaults, ReadOnlyDataFolderEvenForRoot) {
    fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto out = runWithFault({std::nullopt, true}, [&] { writeUserFluid(file, glycol()); });
    ASSERT_TRUE(out.ran) << "an unprivileged user could not be taken";
    EXPECT_TRUE(out.threw);
    EXPECT_NE(out.message.find(file.string()), std::string::npos) << out.message;
    EXPECT_NE(out.message.find("Permission denied"), std::string::npos) << out.message;
    expectOldTableIntact();
}

TEST_F(UserFluidFaults, MissingDataFolderAndAFolderInThePlaceOfTheTable) {
    // The data folder gone: nothing is created, not even the folder.
    const fs::path gone = dir_ / "data";
    EXPECT_THROW(writeUserFluid(gone / "User defined.dat", glycol()), UserFluidError);
    EXPECT_FALSE(fs::exists(gone));
    expectOldTableIntact();

    // A folder where the table should be: the new table cannot take its place.
    fs::create_directories(dir_ / "sub" / "User defined.dat");
    try {
        writeUserFluid(dir_ / "sub" / "User defined.dat", glycol());
        ADD_FAILURE() << "a table was written over a folder";
    } catch (const UserFluidError& e) {
        EXPECT_NE(std::string(e.what()).find("sub/User defined.dat"), std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(fs::is_empty(dir_ / "sub" / "User defined.dat"));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_ / "sub")) ++entries;
    EXPECT_EQ(entries, 1u);  // no temporary file left beside it
}

}  // namespace
}  // namespace zano

#endif
