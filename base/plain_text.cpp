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

}  // namespace zano
