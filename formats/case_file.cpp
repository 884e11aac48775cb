#include "formats/case_file.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <optional>
#include <random>
#include <system_error>
#include <vector>

namespace zano {
namespace {

// What a line of the file holds: a text of the case or one of the three mode choices.
enum class Kind { Text, IntToutGiven, Countercurrent, LGiven };

struct Line {
    const char* label;  // as the user knows the field in the windows
    Kind kind;
    std::string CaseData::*text;  // Kind::Text only
};

constexpr int kLines = 22;
constexpr const char* kHairpinLabel = "Hairpin length";

const std::array<Line, kLines> kLayout{{
    {"Outside diameter of the internal pipe", Kind::Text, &CaseData::deti},
    {"Wall thickness of the internal pipe", Kind::Text, &CaseData::spi},
    {"Outside diameter of the external pipe", Kind::Text, &CaseData::dete},
    {"Wall thickness of the external pipe", Kind::Text, &CaseData::spe},
    {"Inlet temperature of the internal fluid", Kind::Text, &CaseData::intTin},
    {"Outlet temperature of the internal fluid", Kind::Text, &CaseData::intTout},
    {"Mass flow of the internal fluid", Kind::Text, &CaseData::intPort},
    {"Inlet temperature of the external fluid", Kind::Text, &CaseData::estTin},
    {"Outlet temperature of the external fluid", Kind::Text, &CaseData::estTout},
    {"Mass flow of the external fluid", Kind::Text, &CaseData::estPort},
    {"Length", Kind::Text, &CaseData::L},
    {"Internal fluid", Kind::Text, &CaseData::intfluid},
    {"External fluid", Kind::Text, &CaseData::estfluid},
    {"Wall material", Kind::Text, &CaseData::mat},
    {"\"Outlet temp.\" of the internal fluid chosen", Kind::IntToutGiven, nullptr},
    {"\"Countercurrent\" chosen", Kind::Countercurrent, nullptr},
    {"Internal fouling factor", Kind::Text, &CaseData::intSporc},
    {"External fouling factor", Kind::Text, &CaseData::estSporc},
    {"Pressure of the internal fluid", Kind::Text, &CaseData::intpress},
    {"Pressure of the external fluid", Kind::Text, &CaseData::estpress},
    {"Capacity", Kind::Text, &CaseData::q},
    {"\"Lenght [m]\" chosen", Kind::LGiven, nullptr},
}};

// ---- Windows-1252 <-> UTF-8 -------------------------------------------------------------

// Code points of the bytes 0x80-0x9F. The five bytes Windows leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as Windows itself converts them,
// so that every byte of a file survives a round trip.
constexpr char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<unsigned char> toCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {  // Windows-1252 reaches no further than the Basic Multilingual Plane
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        appendUtf8(out, b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char32_t{b});
    }
    return out;
}

// Next code point of UTF-8 text at i (advanced past it); nullopt for a malformed sequence
// (stray continuation byte, truncation, overlong form, surrogate, beyond U+10FFFF).
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

std::string hex4(char32_t c) {
    static const char* digits = "0123456789ABCDEF";
    std::string h;
    for (int shift = c > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4) h += digits[(c >> shift) & 0xF];
    return h;
}

// The text as a quoted field in Windows-1252; refused when the format cannot carry it back.
std::string quotedField(const std::string& text, const char* label) {
    const std::string field = std::string("The field \"") + label + "\" ";
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const auto c = nextUtf8(text, i);
        if (!c) throw CaseFileError(field + "holds bytes that are not valid UTF-8 text.");
        if (*c == '"')
            throw CaseFileError(field + "contains a double quote, which a case file cannot hold.");
        if (*c == '\r' || *c == '\n')
            throw CaseFileError(field + "contains a line break, which a case file cannot hold.");
        const auto b = toCp1252(*c);
        if (!b)
            throw CaseFileError(field + "contains \"" + text.substr(start, i - start) + "\" (U+" +
                                hex4(*c) +
                                "), a character that the Windows-1252 code page of case files "
                                "lacks.");
        out += static_cast<char>(*b);
    }
    return out + "\"";
}

// ---- Sequential reading ------------------------------------------------------------------

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool endsField(char c) {
    return c == ',' || c == '\r' || c == '\n';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// Reads at most maxFields fields, as sequential text input does: separated by commas and line
// ends (CR LF, LF or CR); a quoted field runs to the next double quote and what follows it up
// to the separator is skipped; an unquoted field loses its surrounding blanks, and the tokens
// #TRUE# and #FALSE# read as the texts True and False. Blank lines and blanks at the end of
// the file hold no further field.
std::vector<std::string> readFields(std::string_view s, std::size_t maxFields) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (fields.size() < maxFields && s.find_first_not_of(" \t\r\n", pos) != s.npos) {
        while (pos < s.size() && isBlank(s[pos])) ++pos;
        if (pos < s.size() && s[pos] == '"') {
            const std::size_t close = s.find('"', pos + 1);
            const std::size_t end = close == s.npos ? s.size() : close;
            fields.push_back(cp1252ToUtf8(s.substr(pos + 1, end - pos - 1)));
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
                fields.push_back(cp1252ToUtf8(raw));
        }
        if (pos < s.size()) {
            const bool cr = s[pos] == '\r';
            ++pos;
            if (cr && pos < s.size() && s[pos] == '\n') ++pos;
        }
    }
    return fields;
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

std::optional<bool> asBoolean(std::string_view text) {
    const std::string_view t = trimBlanks(text);
    if (equalsNoCase(t, "True") || equalsNoCase(t, "#TRUE#")) return true;
    if (equalsNoCase(t, "False") || equalsNoCase(t, "#FALSE#")) return false;
    return numberAsBoolean(t);
}

// The text shown in a message, cut at a character boundary when it is long.
std::string shown(const std::string& text) {
    constexpr std::size_t kMax = 40;
    if (text.size() <= kMax) return text;
    std::size_t cut = kMax;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return text.substr(0, cut) + "...";
}

// The file's name for a message, as UTF-8 whatever the platform's path encoding.
std::string nameOf(const std::filesystem::path& file) {
    const std::u8string u = file.u8string();
    return std::string(u.begin(), u.end());
}

std::string reason(int err, const char* fallback) {
    return err != 0 ? std::generic_category().message(err) : fallback;
}

}  // namespace

std::string caseFileText(const CaseData& c) {
    std::string out;
    for (const Line& line : kLayout) {
        bool flag = false;
        switch (line.kind) {
            case Kind::Text:
                out += quotedField(c.*line.text, line.label);
                break;
            case Kind::IntToutGiven:
                flag = c.intToutGiven;
                break;
            case Kind::Countercurrent:
                flag = c.controequi == "contro";
                break;
            case Kind::LGiven:
                flag = c.LGiven;
                break;
        }
        if (line.kind != Kind::Text) out += flag ? "#TRUE#" : "#FALSE#";
        out += "\r\n";
    }
    // An optional 23rd line: readers of the 22-line format ignore it, and a case without a
    // hairpin length saves exactly as before.
    if (!c.hairpinLength.empty()) out += quotedField(c.hairpinLength, kHairpinLabel) + "\r\n";
    return out;
}

CaseData parseCaseFile(std::string_view bytes) {
    const std::vector<std::string> fields = readFields(bytes, kLines + 1);
    if (fields.size() < kLines)
        throw CaseFileError("The file ends after " + std::to_string(fields.size()) +
                            (fields.size() == 1 ? " field" : " fields") + "; a case file has " +
                            std::to_string(kLines) + ".");
    CaseData c;
    std::string errors;
    for (int i = 0; i < kLines; ++i) {
        const Line& line = kLayout[i];
        if (line.kind == Kind::Text) {
            c.*line.text = fields[i];
            continue;
        }
        const auto flag = asBoolean(fields[i]);
        if (!flag) {
            if (!errors.empty()) errors += ' ';
            errors += "Line " + std::to_string(i + 1) + " (" + line.label + ") reads \"" +
                      shown(fields[i]) + "\", which is not #TRUE# or #FALSE#.";
            continue;
        }
        if (line.kind == Kind::IntToutGiven) c.intToutGiven = *flag;
        if (line.kind == Kind::Countercurrent) c.controequi = *flag ? "contro" : "equi";
        if (line.kind == Kind::LGiven) c.LGiven = *flag;
    }
    if (!errors.empty()) throw CaseFileError(errors);
    if (fields.size() > kLines) c.hairpinLength = fields[kLines];
    c.estToutGiven = false;
    return c;
}

void saveCaseFile(const std::filesystem::path& file, const CaseData& c) {
    const auto fail = [&](const std::string& why) {
        throw CaseFileError("Cannot save \"" + nameOf(file) + "\". " + why);
    };
    std::string bytes;
    try {
        bytes = caseFileText(c);
    } catch (const CaseFileError& e) {
        fail(e.what());
    }
    if (file.filename().empty()) fail("The name is that of a folder, not of a file.");

    // A fresh name beside the target, so that the rename below stays within one file system.
    std::mt19937 pick(std::random_device{}());
    std::filesystem::path temp;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = file;
        temp += ".~" + std::to_string(pick() % 1000000) + ".tmp";
        std::error_code ec;  // an unreadable folder is reported by the creation below
        if (!std::filesystem::exists(temp, ec) || ec) break;
        if (attempt == 99) fail("No free name for a temporary file was found beside it.");
    }

    std::string why;
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            fail("The file cannot be created in its folder (" + reason(errno, "unknown error") +
                 ").");
        errno = 0;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (out) {
            out.close();
            if (!out) why = "Closing the file failed (" + reason(errno, "unknown error") + ").";
        } else {
            why = "Writing the file failed (" + reason(errno, "unknown error") + ").";
        }
    }
    std::error_code ec;
    if (why.empty()) {
        std::filesystem::rename(temp, file, ec);
        if (!ec) return;
        why = "The new file cannot take the place of the old one (" + ec.message() + ").";
    }
    std::filesystem::remove(temp, ec);
    fail(why);
}

CaseData loadCaseFile(const std::filesystem::path& file) {
    const auto fail = [&](const std::string& why) {
        throw CaseFileError("Cannot open \"" + nameOf(file) + "\". " + why);
    };
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) fail("It is a folder, not a file.");
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) fail("The file cannot be read (" + reason(errno, "unknown error") + ").");
    std::string bytes;
    char buffer[4096];
    while (in) {  // ends at the end of the file or at a read error
        in.read(buffer, sizeof buffer);
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) fail("Reading the file failed.");
    try {
        return parseCaseFile(bytes);
    } catch (const CaseFileError& e) {
        fail(e.what());
    }
    return {};  // not reached: fail() throws
}

}  // namespace zano
