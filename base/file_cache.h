#pragma once

#include <filesystem>
#include <map>
#include <memory>
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
        if (pinned_) {
            const std::lock_guard lock(mutex_);
            if (const auto it = entries_.find(file); it != entries_.end()) return it->second.value;
        }
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

    // True for a pinned copy: its entries never change once read.
    bool pinned() const { return pinned_; }

    // A cache that starts with what this one holds and takes each of its entries as it is,
    // without looking at the file again: for a batch of calculations that must all see the same
    // tables, and need not ask the file system thousands of times whether they changed.
    std::shared_ptr<FileCache> pinnedCopy() const {
        auto copy = std::make_shared<FileCache>();
        const std::lock_guard lock(mutex_);
        copy->entries_ = entries_;
        copy->pinned_ = true;
        return copy;
    }

  private:
    struct Entry {
        FileStamp stamp;
        T value;
    };
    mutable std::mutex mutex_;
    std::map<std::filesystem::path, Entry> entries_;
    bool pinned_ = false;
};

}  // namespace zano
