// The one way files are saved, under the faults a user meets: a disk that fills up at any
// point of the write, a folder the user may only read (also when the tests run as root), a
// missing folder, a folder where the file should be. The old file stays byte-identical and no
// temporary file is left beside it.
#include "base/atomic_write.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>
#include <vector>

#include "base/faults.h"
#include "fault_injection.h"
#include "scratch_files.h"

#if defined(__unix__)

namespace zano {
namespace {

namespace fs = std::filesystem;
using testing::fileBytes;
using testing::listing;

TEST(AtomicWrite, AFailureAtAnyStepLeavesTheOldFileAndNoTemporaryFile) {
    const testing::ScratchDir scratch;
    const fs::path& dir = scratch.path;
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
        EXPECT_EQ(fileBytes(dir / "old.zan"), r.fails ? oldBytes : newBytes);
        fs::remove_all(dir);
    }
}

// An exception at the last step, the temporary file written (memory exhausted, say), reaches
// the caller and leaves the old file and no temporary file.
TEST(AtomicWrite, AnExceptionBeforeTheReplaceLeavesTheOldFileAndNoTemporaryFile) {
    const testing::ScratchDir dir;
    dir.write("case.zan", "old");
    fileFaultHook() = [](const fs::path&) { throw 42; };
    EXPECT_THROW(writeFileAtomically(dir.path / "case.zan", "new"), int);
    fileFaultHook() = nullptr;
    EXPECT_EQ(listing(dir.path), std::set<std::string>{"case.zan"});
    EXPECT_EQ(fileBytes(dir.path / "case.zan"), "old");
}

// What a save does to the file it replaces: a symbolic link is followed and stays, the mode
// bits are kept, a read-only file is refused, a hard link keeps the old contents (the rename
// gives the name a new file, as every atomic save does), and the temporary file of a save that
// was killed before its rename is cleared away by the next save.
TEST(AtomicWrite, KeepsLinksAndPermissionsAndRefusesReadOnlyFiles) {
    const testing::ScratchDir scratch;
    const fs::path dir = scratch.path / "case";
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
        EXPECT_EQ(fileBytes(dir / "case.zan"), kind == ReadOnly ? oldBytes : newBytes);
        if (kind == Symlink) {
            EXPECT_TRUE(fs::is_symlink(saved));
        }
        if (kind == Private) {
            EXPECT_EQ(fs::status(saved).permissions(),
                      fs::perms::owner_read | fs::perms::owner_write);
        }
        if (kind == HardLink) {
            EXPECT_EQ(fileBytes(dir / "hard.zan"), oldBytes);
        }
        const std::set<std::string> expected =
            kind == Symlink    ? std::set<std::string>{"case.zan", "link.zan"}
            : kind == HardLink ? std::set<std::string>{"case.zan", "hard.zan"}
                               : std::set<std::string>{"case.zan"};
        EXPECT_EQ(listing(dir), expected);
        fs::remove_all(dir);
    }
}

// A name that is no regular file is never replaced by one: a character device and a pipe with
// a reader take the bytes as a stream (so that --report /dev/stdout works), a link is followed
// to them, a pipe without a reader is refused at once instead of hanging, and a folder or a
// socket is refused naming what it is. The nodes are made in a scratch folder; the character
// device is the null device (1, 3), made only where the tests may (as root).
TEST(AtomicWrite, WritesIntoDevicesAndPipesAndNeverReplacesThem) {
    const testing::ScratchDir scratch;
    const fs::path dir = scratch.path / "nodes";
    enum Kind { Device, LinkToDevice, PipeRead, PipeUnread, Folder, Socket };
    const struct {
        const char* name;
        Kind kind;
        std::optional<WriteFailure::Stage> fails;
        fs::file_type stays;
    } rows[] = {
        {"a character device", Device, std::nullopt, fs::file_type::character},
        {"a link to a character device", LinkToDevice, std::nullopt, fs::file_type::character},
        {"a pipe that a program reads", PipeRead, std::nullopt, fs::file_type::fifo},
        {"a pipe that nothing reads", PipeUnread, WriteFailure::NoReader, fs::file_type::fifo},
        {"a folder", Folder, WriteFailure::NotAFile, fs::file_type::directory},
        {"a socket", Socket, WriteFailure::NotAFile, fs::file_type::socket},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        fs::remove_all(dir);
        fs::create_directories(dir);
        const fs::path node = dir / "node", name = r.kind == LinkToDevice ? dir / "link" : node;
        if (r.kind == Device || r.kind == LinkToDevice) {
            if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
                std::printf("skipped %s: mknod needs privilege\n", r.name);
                continue;
            }
            if (r.kind == LinkToDevice) fs::create_symlink(node, name);
        }
        if (r.kind == PipeRead || r.kind == PipeUnread) {
            ASSERT_EQ(::mkfifo(node.c_str(), 0600), 0);
        }
        if (r.kind == Folder) fs::create_directories(node);
        const int sock = r.kind == Socket ? ::socket(AF_UNIX, SOCK_STREAM, 0) : -1;
        if (r.kind == Socket) {
            sockaddr_un a{};
            a.sun_family = AF_UNIX;
            std::snprintf(a.sun_path, sizeof a.sun_path, "%s", node.c_str());
            ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        }
        // The reading end held open without waiting; the bytes fit in the pipe's buffer.
        const int readEnd = r.kind == PipeRead ? ::open(node.c_str(), O_RDONLY | O_NONBLOCK) : -1;
        const auto failure = writeFileAtomically(name, "%PDF-1.4 page");
        if (sock >= 0) ::close(sock);
        EXPECT_EQ(failure ? std::optional(failure->stage) : std::nullopt, r.fails);
        if (readEnd >= 0) {
            char received[64] = {};
            EXPECT_EQ(::read(readEnd, received, sizeof received - 1), 13);
            EXPECT_STREQ(received, "%PDF-1.4 page");
            ::close(readEnd);
        }
        EXPECT_EQ(fs::symlink_status(node).type(), r.stays);
        if (failure) {
            EXPECT_NE(writeFailureText(*failure).find(r.kind == Folder   ? "a folder"
                                                      : r.kind == Socket ? "a socket"
                                                                         : "pipe"),
                      std::string::npos)
                << writeFailureText(*failure);
        }
    }
}

// Three saves of one file at once, each many times over: none may clear away another's
// temporary file, every save succeeds, and the file is always one of the saves, whole.
TEST(AtomicWrite, ConcurrentSavesOfOneFileNeverFailEachOther) {
    const testing::ScratchDir dir;
    const fs::path file = dir.path / "case.zan";
    std::atomic<int> failures{0};
    std::string firstFailure;
    std::vector<std::thread> savers;
    for (int k = 0; k < 3; ++k)
        savers.emplace_back([&, k] {
            const std::string bytes(1000 + k, static_cast<char>('a' + k));
            for (int i = 0; i < 300; ++i)
                if (const auto f = writeFileAtomically(file, bytes); f && failures++ == 0)
                    firstFailure = writeFailureText(*f);
        });
    for (auto& t : savers) t.join();
    EXPECT_EQ(failures, 0) << firstFailure;
    const std::string last = fileBytes(file);
    EXPECT_TRUE(last == std::string(1000, 'a') || last == std::string(1001, 'b') ||
                last == std::string(1002, 'c'));
    EXPECT_EQ(listing(dir.path), std::set<std::string>{"case.zan"});
}

// Root saving another user's file leaves it theirs, owner and group.
TEST(AtomicWrite, KeepsTheOwnerAndGroupWhereTheSaverMay) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    const testing::ScratchDir dir;
    const fs::path file = dir.write("case.zan", "old");
    ASSERT_EQ(::chown(file.c_str(), 12345, 23456), 0);
    ASSERT_FALSE(writeFileAtomically(file, "new"));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 12345u);
    EXPECT_EQ(st.st_gid, 23456u);
    EXPECT_EQ(fileBytes(file), "new");
}

}  // namespace
}  // namespace zano

#endif
