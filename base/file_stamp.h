#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace zano {

// What tells one state of a file from another without reading it: the file itself (device and
// inode, so a file saved by renaming a new one over it is new), its size and the times of its
// last change, to the nanosecond. Equal stamps mean the file was not written in between, as far
// as the file system can tell.
struct FileStamp {
    std::uintmax_t device = 0, inode = 0, size = 0;
    std::int64_t modified = 0, changed = 0;  // ns since the epoch
    bool operator==(const FileStamp&) const = default;
};

// nullopt when the file cannot be examined (missing, no permission).
std::optional<FileStamp> fileStamp(const std::filesystem::path& file);

}  // namespace zano
