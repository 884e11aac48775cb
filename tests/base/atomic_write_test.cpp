// The one way files are saved, under the faults a user meets: a disk that fills up at any
// point of the write, a folder the user may only read (also when the tests run as root), a
// missing folder, a folder where the file should be. The old file stays byte-identical and no
// temporary file is left beside it.
#include "base/atomic_write.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>

#include "base/faults.h"
#include "fault_injection.h"

#if defined(__unix__)

namespace zano {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::set<std::string> listing(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        names.insert(e.path().lexically_relative(dir).string());
    return names;
}

TEST(AtomicWrite, AFailureAtAnyStepLeavesTheOldFileAndNoTemporaryFile) {
    const fs::path dir =
        fs::temp_directory_path() / ("zano_atomic_" + std::to_string(std::random_device{}()));
    const std::string oldBytes = "old case\r\n", newBytes(400, 'n');
    const struct {
        const char* name;
        testing::Fault fault;
        const char* target;  // relative to dir
        bool fails;
    } rows[] = {
        {"disk full at the first byte", {rlim_t{0}, false}, "old.zan", true},
        {"disk full after one byte", {rlim_t{1}, false}, "old.zan", true},
        {"disk full halfway", {rlim_t{200}, false}, "old.zan", true},
        {"disk full at the last byte", {rlim_t{399}, false}, "old.zan", true},
        {"read-only folder, even for root", {std::nullopt, true}, "old.zan", true},
        {"missing folder", {}, "gone/new.zan", true},
        {"a folder in the place of the file", {}, "sub", true},
        {"room for the whole file", {rlim_t{400}, false}, "old.zan", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        fs::create_directories(dir / "sub");
        std::ofstream(dir / "sub" / "keep") << "x";
        std::ofstream(dir / "old.zan", std::ios::binary) << oldBytes;
        // Readable by the unprivileged child, as a user's folder is, but not writable by it.
        fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
        const auto before = listing(dir);
        const auto out = testing::runWithFault(r.fault, [&] {
            if (const auto failure = writeFileAtomically(dir / r.target, newBytes))
                throw std::runtime_error("stage " + std::to_string(failure->stage) + ": " +
                                         failure->reason);
        });
        ASSERT_TRUE(out.ran) << "the fault could not be set up";
        EXPECT_EQ(out.threw, r.fails) << out.message;
        EXPECT_EQ(listing(dir), before);
        EXPECT_EQ(readBytes(dir / "old.zan"), r.fails ? oldBytes : newBytes);
        fs::remove_all(dir);
    }
}

// An exception at the last step, the temporary file written (memory exhausted, say), reaches
// the caller and leaves the old file and no temporary file.
TEST(AtomicWrite, AnExceptionBeforeTheReplaceLeavesTheOldFileAndNoTemporaryFile) {
    const fs::path dir =
        fs::temp_directory_path() / ("zano_atomic_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    std::ofstream(dir / "case.zan", std::ios::binary) << "old";
    fileFaultHook() = [](const fs::path&) { throw 42; };
    EXPECT_THROW(writeFileAtomically(dir / "case.zan", "new"), int);
    fileFaultHook() = nullptr;
    EXPECT_EQ(listing(dir), std::set<std::string>{"case.zan"});
    EXPECT_EQ(readBytes(dir / "case.zan"), "old");
    fs::remove_all(dir);
}

// What a save does to the file it replaces: a symbolic link is followed and stays, the mode
// bits are kept, a read-only file is refused, a hard link keeps the old contents (the rename
// gives the name a new file, as every atomic save does), and the temporary file of a save that
// was killed before its rename is cleared away by the next save.
TEST(AtomicWrite, KeepsLinksAndPermissionsAndRefusesReadOnlyFiles) {
    const fs::path dir =
        fs::temp_directory_path() / ("zano_atomic_" + std::to_string(std::random_device{}()));
    const std::string oldBytes = "old", newBytes = "new";
    enum Kind { Symlink, Private, ReadOnly, HardLink, StaleTemporary };
    for (const Kind kind : {Symlink, Private, ReadOnly, HardLink, StaleTemporary}) {
        SCOPED_TRACE(kind);
        fs::create_directories(dir);
        std::ofstream(dir / "case.zan", std::ios::binary) << oldBytes;
        fs::path saved = dir / "case.zan";
        if (kind == Symlink) fs::create_symlink("case.zan", saved = dir / "link.zan");
        if (kind == Private) fs::permissions(saved, fs::perms::owner_read | fs::perms::owner_write);
        if (kind == ReadOnly) fs::permissions(saved, fs::perms::owner_read | fs::perms::group_read);
        if (kind == HardLink) fs::create_hard_link(saved, dir / "hard.zan");
        if (kind == StaleTemporary) std::ofstream(dir / "case.zan.~123456.tmp") << "cut off";

        const auto failure = writeFileAtomically(saved, newBytes);
        EXPECT_EQ(failure.has_value(), kind == ReadOnly);
        if (failure) {
            EXPECT_EQ(failure->stage, WriteFailure::ReadOnly);
        }
        EXPECT_EQ(readBytes(dir / "case.zan"), kind == ReadOnly ? oldBytes : newBytes);
        if (kind == Symlink) {
            EXPECT_TRUE(fs::is_symlink(saved));
        }
        if (kind == Private) {
            EXPECT_EQ(fs::status(saved).permissions(),
                      fs::perms::owner_read | fs::perms::owner_write);
        }
        if (kind == HardLink) {
            EXPECT_EQ(readBytes(dir / "hard.zan"), oldBytes);
        }
        const std::set<std::string> expected =
            kind == Symlink    ? std::set<std::string>{"case.zan", "link.zan"}
            : kind == HardLink ? std::set<std::string>{"case.zan", "hard.zan"}
                               : std::set<std::string>{"case.zan"};
        EXPECT_EQ(listing(dir), expected);
        fs::remove_all(dir);
    }
}

}  // namespace
}  // namespace zano

#endif
