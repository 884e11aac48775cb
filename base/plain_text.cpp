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

std::string pathText(const std::filesystem::path& file) {
    const std::u8string u = file.u8string();
    return std::string(u.begin(), u.end());
}

}  // namespace zano
