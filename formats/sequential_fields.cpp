#include "formats/sequential_fields.h"

#include "base/plain_text.h"

namespace zano {
namespace {

bool endsField(char c) {
    return c == ',' || c == '\r' || c == '\n';
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// A number as a Boolean: its value is zero exactly when every digit of the mantissa is zero,
// so the value itself is never needed. Sign, one decimal separator ('.' or ',') and an
// exponent are accepted.
std::optional<bool> numberAsBoolean(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool digits = false, nonZero = false, separator = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            digits = true;
            nonZero = nonZero || s[i] != '0';
        } else if ((s[i] == '.' || s[i] == ',') && !separator) {
            separator = true;
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (i == s.size()) return std::nullopt;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    }
    if (i != s.size()) return std::nullopt;
    return nonZero;
}

}  // namespace

std::vector<std::string> readFields(std::string_view s, std::size_t maxFields) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (fields.size() < maxFields && s.find_first_not_of(" \t\r\n", pos) != s.npos) {
        while (pos < s.size() && isBlank(s[pos])) ++pos;
        if (pos < s.size() && s[pos] == '"') {
            const std::size_t close = s.find('"', pos + 1);
            const std::size_t end = close == s.npos ? s.size() : close;
            fields.emplace_back(s.substr(pos + 1, end - pos - 1));
            pos = end;
            while (pos < s.size() && !endsField(s[pos])) ++pos;
        } else {
            const std::size_t start = pos;
            while (pos < s.size() && !endsField(s[pos])) ++pos;
            const std::string_view raw = trimBlanks(s.substr(start, pos - start));
            if (equalsNoCase(raw, "#TRUE#"))
                fields.emplace_back("True");
            else if (equalsNoCase(raw, "#FALSE#"))
                fields.emplace_back("False");
            else
                fields.emplace_back(raw);
        }
        if (pos < s.size()) {
            const bool cr = s[pos] == '\r';
            ++pos;
            if (cr && pos < s.size() && s[pos] == '\n') ++pos;
        }
    }
    return fields;
}

std::optional<bool> asBoolean(std::string_view text) {
    const std::string_view t = trimBlanks(text);
    if (equalsNoCase(t, "True") || equalsNoCase(t, "#TRUE#")) return true;
    if (equalsNoCase(t, "False") || equalsNoCase(t, "#FALSE#")) return false;
    return numberAsBoolean(t);
}

const char* booleanToken(bool value) {
    return value ? "#TRUE#" : "#FALSE#";
}

}  // namespace zano
