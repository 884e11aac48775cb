#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zano {

// Why a file could not be put in place; `reason` is the system's text, empty when it gave none.
struct WriteFailure {
    enum Stage { ReadOnly, NoTemporaryName, Create, Write, Close, Replace };
    Stage stage;
    std::string reason;
};

// Writes the bytes to a fresh temporary file beside `file` (created exclusively, flushed to the
// disk) and renames it over `file`, so that a failed write (full disk, read-only folder) never
// leaves a broken or half-written file; the temporary file is removed again. A symbolic link is
// followed and stays; the replaced file's permission bits are kept; a file without write
// permission is refused (ReadOnly). nullopt when the file is in place.
std::optional<WriteFailure> writeFileAtomically(const std::filesystem::path& file,
                                                std::string_view bytes);

// The failure in the words of the messages, a sentence about the file: "The file is read-only;
// it was left as it was."
std::string writeFailureText(const WriteFailure& failure);

}  // namespace zano
