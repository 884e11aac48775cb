#include "base/atomic_write.h"

#include <cerrno>
#include <fstream>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#define ZANO_POSIX_SAVE 1
#endif

#include "base/faults.h"
#include "base/plain_text.h"

namespace zano {
namespace {

namespace fs = std::filesystem;

std::string errnoText() {
    return errno != 0 ? std::generic_category().message(errno) : std::string();
}

// The file a save replaces: a symbolic link is followed, so that the file it points to is
// replaced and the link stays. Links of links are followed a bounded number of times, as the
// system does; a loop is left for the rename to report.
fs::path target(const fs::path& file) {
    fs::path t = file;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(t, ec))) return t;
        const fs::path link = fs::read_symlink(t, ec);
        if (ec) return t;
        t = link.is_absolute() ? link : t.parent_path() / link;
    }
    return t;
}

// Temporary files are named <file>.~NNNNNN.tmp beside it.
constexpr const char* kTempPrefix = ".~";
constexpr const char* kTempSuffix = ".tmp";

fs::path temporaryName(const fs::path& file, std::mt19937& pick) {
    fs::path temp = file;
    temp += kTempPrefix + std::to_string(pick() % 1000000) + kTempSuffix;
    return temp;
}

// A save that was cut off (the program killed between write and rename) leaves its temporary
// file behind; the next save of the same file clears them away. Another save of the same file
// may be writing its temporary at this moment: each save holds an exclusive lock on its
// temporary until it has taken the file's place, and the system drops the lock of a killed
// process, so a temporary that can be locked belongs to no living save. It is removed only if
// its name still leads to the file locked, which a rename may have moved meanwhile.
void removeStaleTemporaries(const fs::path& file) {
    std::error_code ec;
    const std::string prefix = file.filename().string() + kTempPrefix;
    for (fs::directory_iterator it(file.parent_path().empty() ? "." : file.parent_path(), ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - 4, 4, kTempSuffix) != 0)
            continue;
#ifdef ZANO_POSIX_SAVE
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat held {
        }, named{};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 &&
            ::lstat(it->path().c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino)
            ::unlink(it->path().c_str());
        ::close(fd);
#else
        std::error_code ignored;
        fs::remove(it->path(), ignored);
#endif
    }
}

// The temporary file of a save goes again unless it took the file's place, however the save
// ends: with a failure returned or with an exception (memory exhausted, say).
struct TemporaryFile {
    fs::path path;
    int fd = -1;  // still open
    bool placed = false;
    ~TemporaryFile() {
#ifdef ZANO_POSIX_SAVE
        if (fd >= 0) ::close(fd);
#endif
        std::error_code ignored;
        if (!placed) fs::remove(path, ignored);
    }
};

#ifdef ZANO_POSIX_SAVE

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The folder's entry for the renamed file reaches the disk too, so that a power cut after the
// save cannot bring the old file back.
void syncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A terminal, /dev/null, /dev/stdout or a pipe takes the bytes as a stream: it is written into,
// never renamed over, which would put a regular file in the place of the device for everyone.
// A pipe that no program reads from is refused at once instead of waiting for a reader.
std::optional<WriteFailure> writeIntoStream(const fs::path& dest, std::string_view bytes) {
    const int fd = ::open(dest.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENXIO) return WriteFailure{WriteFailure::NoReader, {}};
        return WriteFailure{WriteFailure::Create, errnoText()};
    }
    std::optional<WriteFailure> failure;
    // Opened without waiting; written with waiting, as a slow reader asks.
    const int flags = ::fcntl(fd, F_GETFL);
    errno = 0;
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 || !writeAll(fd, bytes))
        failure = WriteFailure{WriteFailure::Write, errnoText()};
    if (::close(fd) != 0 && !failure) failure = WriteFailure{WriteFailure::Close, errnoText()};
    return failure;
}

#endif

// What stands at a name that is no regular file, for the message.
std::string kindOf(const fs::path& file) {
    std::error_code ec;
    const std::string kind = entryKind(fs::status(file, ec));
    return kind.empty() ? "not a regular file" : kind;
}

std::string orUnknown(const std::string& reason) {
    return reason.empty() ? "unknown error" : reason;
}

}  // namespace

std::string writeFailureText(const WriteFailure& failure) {
    switch (failure.stage) {
        case WriteFailure::ReadOnly:
            return "The file is read-only; it was left as it was.";
        case WriteFailure::NoTemporaryName:
            return "No free name for a temporary file was found beside it.";
        case WriteFailure::Create:
            return "The file cannot be created in its folder (" + orUnknown(failure.reason) + ").";
        case WriteFailure::Write:
            return "Writing the file failed (" + orUnknown(failure.reason) + ").";
        case WriteFailure::Close:
            return "Closing the file failed (" + orUnknown(failure.reason) + ").";
        case WriteFailure::NotAFile:
            return "It is " + failure.reason + ", not a file; it was left as it was.";
        case WriteFailure::NoReader:
            return "It is a pipe (FIFO) that no program reads from.";
        case WriteFailure::Replace:
            break;
    }
    return "The new file cannot take the place of the old one (" + failure.reason + ").";
}

bool isSameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

std::optional<WriteFailure> writeFileAtomically(const fs::path& file, std::string_view bytes) {
#ifdef ZANO_POSIX_SAVE
    // Asked of the name itself, which the system resolves: /dev/stdout leads through
    // /proc/self/fd/1 to a pipe that no path names.
    struct stat named {};
    if (::stat(file.c_str(), &named) == 0 && !S_ISREG(named.st_mode)) {
        if (S_ISCHR(named.st_mode) || S_ISFIFO(named.st_mode)) return writeIntoStream(file, bytes);
        return WriteFailure{WriteFailure::NotAFile, kindOf(file)};
    }
    const fs::path dest = target(file);
    struct stat old {};
    const bool replacing = ::stat(dest.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode))  // changed since the look above
        return WriteFailure{WriteFailure::NotAFile, kindOf(dest)};
    // A file the user made read-only is not replaced behind their back (as root, too, for whom
    // the system would allow it); its permission bits pass to the new file, so that a private
    // case stays private.
    if (replacing && (old.st_mode & S_IWUSR) == 0) return WriteFailure{WriteFailure::ReadOnly, {}};
    const mode_t mode = replacing ? (old.st_mode & 07777) : 0666;

    // A fresh name beside the target, created exclusively, so that the rename below stays within
    // one file system and no other file is ever written through. Locked at once; a clean-up by
    // another save that took the lock first, and may have removed the name, leaves it to a new one.
    std::mt19937 pick(std::random_device{}());
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        if (attempt == 100) return WriteFailure{WriteFailure::NoTemporaryName, {}};
        temp = temporaryName(dest, pick);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : mode);
        if (fd < 0 && errno != EEXIST) return WriteFailure{WriteFailure::Create, errnoText()};
        struct stat own {};
        if (fd >= 0 &&
            (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &own) != 0 || own.st_nlink == 0)) {
            ::close(fd);
            fd = -1;
        }
    }
    TemporaryFile guard{temp, fd};
    std::optional<WriteFailure> failure;
    errno = 0;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        failure = WriteFailure{WriteFailure::Write, errnoText()};
    else if (replacing) {
        // Root saving a user's case leaves it the user's; a user may give it back at least its
        // group where they belong to it. Otherwise the file becomes the saver's, as any new
        // file does. Before the mode: a change of owner clears the set-id bits.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd, old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        if (::fchmod(fd, mode) != 0) failure = WriteFailure{WriteFailure::Write, errnoText()};
    }
#else
    const fs::path dest = target(file);
    std::mt19937 pick(std::random_device{}());
    fs::path temp;
    for (int attempt = 0;; ++attempt) {
        if (attempt == 100) return WriteFailure{WriteFailure::NoTemporaryName, {}};
        temp = temporaryName(dest, pick);
        std::error_code ec;  // an unreadable folder is reported by the creation below
        if (!fs::exists(temp, ec) || ec) break;
    }
    TemporaryFile guard{temp};
    std::optional<WriteFailure> failure;
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return WriteFailure{WriteFailure::Create, errnoText()};
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) failure = WriteFailure{WriteFailure::Write, errnoText()};
        out.close();
        if (!out && !failure) failure = WriteFailure{WriteFailure::Close, errnoText()};
    }
#endif
    if (failure) return failure;
    fileFaultPoint(temp);
    // The rename replaces the folder's entry: another hard link to the old file keeps the old
    // contents, as with every atomic save. The temporary stays locked until it has taken the
    // file's place, so that no clean-up removes it first.
    std::error_code ec;
    fs::rename(temp, dest, ec);
    if (ec) return WriteFailure{WriteFailure::Replace, ec.message()};
    guard.placed = true;
#ifdef ZANO_POSIX_SAVE
    // The bytes reached the disk with fsync above; closing only drops the lock.
    guard.fd = -1;
    ::close(fd);
    syncFolder(dest.parent_path());
#endif
    removeStaleTemporaries(dest);
    return std::nullopt;
}

}  // namespace zano
