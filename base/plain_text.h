#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Blanks around typed texts, and file names as texts for messages.
namespace zano {

// Spaces and tabs: what a user leaves around a number or a name. Inline: the data-file reader
// asks it of every character.
inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
std::string_view trimBlanks(std::string_view text);
// Nothing but blanks (or nothing at all).
bool isBlankText(std::string_view text);

// The part of a user's or a file's text that a message quotes: at most kExcerptChars characters,
// then "…", so that a field of megabytes gives a message of a line. The cut falls between UTF-8
// characters; a byte that starts none counts as one.
inline constexpr std::size_t kExcerptChars = 40;
std::string excerpt(std::string_view text);
// The excerpt with every control character (below U+0020, and DEL) shown as \xNN, so that a
// message never carries an escape sequence or a line break that a file smuggled in.
std::string escapedExcerpt(std::string_view text);

// The same ASCII letters, without regard to their case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The next character of UTF-8 text at i (advanced past it); nullopt for a malformed sequence
// (stray continuation byte, truncation, overlong form, surrogate, beyond U+10FFFF).
std::optional<char32_t> nextUtf8(std::string_view s, std::size_t& i);

// What stands at a name that is no regular file, for messages: "a folder", "a pipe (FIFO)", "a
// device", "a block device (a disk)", "a socket"; empty for a regular file or nothing at all.
std::string entryKind(const std::filesystem::file_status& status);

// The name as UTF-8 whatever the platform's path encoding, so that a message never fails on
// an odd character.
std::string pathText(const std::filesystem::path& file);

}  // namespace zano
