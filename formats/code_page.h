#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/plain_text.h"  // nextUtf8

// Windows-1252, the 8-bit code page of case files, against UTF-8, the program's own text.
namespace zano {

// Every byte maps to a character, so any file reads and survives a round trip.
std::string cp1252ToUtf8(std::string_view bytes);

// The byte of a character; nullopt when the code page lacks it.
std::optional<unsigned char> toCp1252(char32_t c);

// The character (up to U+10FFFF, no surrogate) appended as UTF-8.
void appendUtf8(std::string& out, char32_t c);

}  // namespace zano
