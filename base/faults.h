#pragma once

#include <filesystem>
#include <functional>
#include <string>

// Faults outside the program's own checks: memory exhausted, a library's exception of its own,
// anything thrown that is not one of the program's errors.
namespace zano {

// The cause of the exception being handled, for a message: "not enough memory" when memory ran
// out, what any other std::exception says (an excerpt), "an unknown fault" for anything else.
// Only inside a catch block.
std::string faultText();

// When set, called with the file at one step of every file operation, where it may throw
// anything, so that a test can make the operation fail as such a fault would: before a data or
// case file is read, and once a save's temporary file is written, before it replaces the file.
// Never set in the programs.
std::function<void(const std::filesystem::path& file)>& fileFaultHook();

inline void fileFaultPoint(const std::filesystem::path& file) {
    if (fileFaultHook()) fileFaultHook()(file);
}

}  // namespace zano
