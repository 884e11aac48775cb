#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "records/case_data.h"

namespace zano {

// A case file that cannot be read, parsed or written; what() says which file, line or field.
class CaseFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The 22 CR LF lines of a case, in the 8-bit code page (Windows-1252), then the optional hairpin
// length, the settings that differ from their defaults and the document texts that are not empty
// (records/case_fields.h), a document text escaped so that any text comes back. A text that
// holds a double quote or a line break, or a character the code page lacks, cannot be stored:
// refused naming the field.
std::string caseFileText(const CaseData& c);

// Why a case file could not hold the text as one of its fields ("contains a double quote, ..."),
// or nothing: for names chosen before any case is saved with them.
std::string caseTextRefusal(const std::string& text);

// A case takes a few hundred bytes; a file larger than this is no case and is refused before
// it is read into memory.
inline constexpr std::uintmax_t kMaxCaseFileBytes = 1024 * 1024;

// Reads the 22 fields, the hairpin length and the settings from the bytes of a case file; every
// field is checked before anything is returned. A setting this version does not know is
// refused; other texts past the hairpin length are ignored, and so is a UTF-8 byte-order mark.
CaseData parseCaseFile(std::string_view bytes);

// Writes the case through a temporary file renamed over `file`, so that a failed save leaves
// any existing case intact.
void saveCaseFile(const std::filesystem::path& file, const CaseData& c);
// Only a regular file up to kMaxCaseFileBytes is opened: a pipe would block the open.
CaseData loadCaseFile(const std::filesystem::path& file);

// The message for a fault outside the checks above (memory exhausted, say) that ended saving or
// opening `file`, with its cause; only inside a catch block.
std::string caseFileFaultMessage(const std::filesystem::path& file, bool saving);

}  // namespace zano
