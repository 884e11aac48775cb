#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>

#include "base/file_stamp.h"

namespace zano {

// What a reader makes of a file, kept and reused while the file stays as it was read: a file
// edited or saved again between two reads is read again, one that no save touched is not.
// Parsing a data file is most of a calculation's time. Safe to share between threads.
template <typename T>
class FileCache {
  public:
    // `read`'s result for `file` (and its failure, never kept).
    T get(const std::filesystem::path& file, T (*read)(const std::filesystem::path&)) {
        // Stamped before it is read: a file written while it is being read gets a stamp that the
        // next look finds changed, and is read again then.
        const std::optional<FileStamp> stamp = fileStamp(file);
        if (!stamp) return read(file);  // its reader names why it cannot be read
        {
            const std::lock_guard lock(mutex_);
            const auto it = entries_.find(file);
            if (it != entries_.end() && it->second.stamp == *stamp) return it->second.value;
        }
        T value = read(file);
        const std::lock_guard lock(mutex_);
        entries_.insert_or_assign(file, Entry{*stamp, value});
        return value;
    }

  private:
    struct Entry {
        FileStamp stamp;
        T value;
    };
    std::mutex mutex_;
    std::map<std::filesystem::path, Entry> entries_;
};

}  // namespace zano
