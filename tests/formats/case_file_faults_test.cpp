// Saving a case while the disk fills up or the folder is read-only: the case file that was there
// stays as it was, no temporary file is left, and the user is told which file failed.
#include <gtest/gtest.h>

#if defined(__unix__)

#include <filesystem>
#include <fstream>
#include <random>
#include <set>

#include "fault_injection.h"
#include "formats/case_file.h"

namespace zano {
namespace {

namespace fs = std::filesystem;
using testing::Fault;
using testing::runWithFault;

CaseData newCase() {
    CaseData c;
    c.deti = "25,4", c.spi = "1,65", c.dete = "48,3", c.spe = "2,6", c.intTin = "80";
    c.intTout = "60,5", c.estTin = "15", c.estPort = "0,8", c.L = "3,75", c.intfluid = "Water";
    c.estfluid = "Ethylene Glycol 30%", c.mat = "Copper", c.intpress = "1", c.estpress = "2";
    return c;
}

class CaseFileFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zano_case_faults_" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
        // Readable by the unprivileged child, as a user's folder is.
        fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
        CaseData old;
        old.intfluid = "Water";
        oldBytes = caseFileText(old);
        std::ofstream(dir / "old.zan", std::ios::binary) << oldBytes;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }
    std::string bytes(const fs::path& p) const {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::set<std::string> listing() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename());
        return names;
    }
    fs::path dir;
    std::string oldBytes;
};

TEST_F(CaseFileFaults, DiskFullAtAnyPointOfTheWrite) {
    const std::size_t size = caseFileText(newCase()).size();
    ASSERT_GT(size, oldBytes.size());
    // No byte, the first bytes, the middle, all but the last byte.
    for (const rlim_t limit : {rlim_t{0}, rlim_t{1}, rlim_t{size / 2}, rlim_t{size - 1}}) {
        SCOPED_TRACE("file size limit " + std::to_string(limit));
        const auto out =
            runWithFault({limit, false}, [&] { saveCaseFile(dir / "old.zan", newCase()); });
        ASSERT_TRUE(out.ran);
        EXPECT_TRUE(out.threw);
        EXPECT_NE(out.message.find("Cannot save \"" + (dir / "old.zan").string() + "\""),
                  std::string::npos)
            << out.message;
        EXPECT_NE(out.message.find("failed"), std::string::npos) << out.message;
        EXPECT_EQ(bytes(dir / "old.zan"), oldBytes);
        EXPECT_EQ(listing(), std::set<std::string>{"old.zan"});
    }
    // The limit just fits the file: the save goes through.
    const auto out = runWithFault({size, false}, [&] { saveCaseFile(dir / "old.zan", newCase()); });
    EXPECT_FALSE(out.threw) << out.message;
    EXPECT_EQ(bytes(dir / "old.zan"), caseFileText(newCase()));
}

// Also when the tests run as root, for whom permissions are no obstacle: the save runs as an
// unprivileged user in a folder it may only read.
TEST_F(CaseFileFaults, ReadOnlyFolderEvenForRoot) {
    fs::permissions(dir, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    for (const char* name : {"old.zan", "new.zan"}) {
        SCOPED_TRACE(name);
        const auto out =
            runWithFault({std::nullopt, true}, [&] { saveCaseFile(dir / name, newCase()); });
        ASSERT_TRUE(out.ran) << "an unprivileged user could not be taken";
        EXPECT_TRUE(out.threw);
        EXPECT_NE(out.message.find(std::string(name) + "\". The file cannot be created"),
                  std::string::npos)
            << out.message;
        EXPECT_NE(out.message.find("Permission denied"), std::string::npos) << out.message;
        EXPECT_EQ(bytes(dir / "old.zan"), oldBytes);
        EXPECT_EQ(listing(), std::set<std::string>{"old.zan"});
    }
    // The case that could not be saved can still be opened.
    EXPECT_EQ(loadCaseFile(dir / "old.zan").intfluid, "Water");
}

}  // namespace
}  // namespace zano

#endif
