#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zano {

// Why a file could not be put in place; `reason` is the system's text, empty when it gave none.
struct WriteFailure {
    // NotAFile: the name is a folder, a block device or a socket, never replaced (`reason`
    // names it); NoReader: a pipe that no program reads from.
    enum Stage { ReadOnly, NoTemporaryName, Create, Write, Close, Replace, NotAFile, NoReader };
    Stage stage;
    std::string reason;
};

// Writes the bytes to a fresh temporary file beside `file` (created exclusively, flushed to the
// disk) and renames it over `file`, so that a failed write (full disk, read-only folder) never
// leaves a broken or half-written file; the temporary file is removed again. A symbolic link is
// followed and stays; the replaced file's permission bits, and its owner and group where the
// saver may set them, are kept; a file without write permission is refused (ReadOnly). A
// character device or a pipe (/dev/stdout, a FIFO) is written into as it is, never replaced;
// anything else that is not a regular file is refused (NotAFile). Saves of one file may run at
// once: each holds a lock on its temporary file, and only temporaries that no living save
// holds are cleared away. nullopt when the file is in place.
std::optional<WriteFailure> writeFileAtomically(const std::filesystem::path& file,
                                                std::string_view bytes);

// The failure in the words of the messages, a sentence about the file: "The file is read-only;
// it was left as it was."
std::string writeFailureText(const WriteFailure& failure);

// True when both names lead to one file (links followed); false when either does not exist.
bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace zano
