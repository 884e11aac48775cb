#include "base/plain_text.h"

namespace zano {

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool isBlankText(std::string_view text) {
    return trimBlanks(text).empty();
}

std::string excerpt(std::string_view text) {
    const auto continues = [&](std::size_t i) {
        return i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    };
    std::size_t end = 0;
    for (std::size_t chars = 0; end < text.size() && chars < kExcerptChars; ++chars) {
        ++end;
        // At most three continuation bytes belong to a character; a longer run is cut anyway.
        for (int k = 0; k < 3 && continues(end); ++k) ++end;
    }
    if (end == text.size()) return std::string(text);
    return std::string(text.substr(0, end)) + "…";
}

std::string pathText(const std::filesystem::path& file) {
    const std::u8string u = file.u8string();
    return std::string(u.begin(), u.end());
}

std::string escapedExcerpt(std::string_view text) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (const char ch : excerpt(text)) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c != 0x7F) {
            out += ch;
            continue;
        }
        out += "\\x";
        out += digits[c >> 4];
        out += digits[c & 0xF];
    }
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::optional<char32_t> nextUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int more;
    char32_t c;
    char32_t min;
    if (b0 < 0x80) {
        ++i;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        more = 1, c = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        more = 2, c = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        more = 3, c = b0 & 0x07, min = 0x10000;
    } else {
        return std::nullopt;
    }
    if (s.size() - i <= static_cast<std::size_t>(more)) return std::nullopt;
    for (int k = 1; k <= more; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    i += more + 1;
    return c;
}

std::string entryKind(const std::filesystem::file_status& status) {
    namespace fs = std::filesystem;
    switch (status.type()) {
        case fs::file_type::directory:
            return "a folder";
        case fs::file_type::fifo:
            return "a pipe (FIFO)";
        case fs::file_type::character:
            return "a device";
        case fs::file_type::block:
            return "a block device (a disk)";
        case fs::file_type::socket:
            return "a socket";
        default:
            return {};
    }
}

}  // namespace zano
