#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Sequential text: comma-separated fields, quoted texts and the Boolean tokens #TRUE# and
// #FALSE#, byte for byte (the code page is the reader's business).
namespace zano {

// Reads at most maxFields fields: separated by commas and line ends (CR LF, LF or CR); a quoted
// field runs to the next double quote and what follows it up to the separator is skipped; an
// unquoted field loses its surrounding blanks, and the tokens #TRUE# and #FALSE# read as the
// texts True and False. Blank lines and blanks at the end of the data hold no further field.
std::vector<std::string> readFields(std::string_view s, std::size_t maxFields);

// A field as a Boolean: True, False or the tokens (any letter case), or a number (zero is
// false); nullopt for anything else.
std::optional<bool> asBoolean(std::string_view text);

const char* booleanToken(bool value);

}  // namespace zano
