#include "formats/case_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "base/atomic_write.h"
#include "base/errors.h"
#include "base/faults.h"
#include "base/number_text.h"
#include "base/plain_text.h"
#include "formats/code_page.h"
#include "formats/sequential_fields.h"
#include "records/case_fields.h"
#include "records/design_margins.h"

namespace zano {
namespace {

std::string hex4(char32_t c) {
    static const char* digits = "0123456789ABCDEF";
    std::string h;
    for (int shift = c > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4) h += digits[(c >> shift) & 0xF];
    return h;
}

// Why a case file cannot hold the text (it comes after "The field ... "), or nothing; `out`
// receives the text in Windows-1252.
std::string caseTextFault(const std::string& text, std::string* out) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const auto c = nextUtf8(text, i);
        if (!c) return "holds bytes that are not valid UTF-8 text.";
        if (*c == '"') return "contains a double quote, which a case file cannot hold.";
        if (*c == '\r' || *c == '\n')
            return "contains a line break, which a case file cannot hold.";
        const auto b = toCp1252(*c);
        if (!b)
            return "contains \"" + text.substr(start, i - start) + "\" (U+" + hex4(*c) +
                   "), a character that the Windows-1252 code page of case files lacks.";
        if (out) *out += static_cast<char>(*b);
    }
    return {};
}

// The text as a quoted field in Windows-1252; refused when the format cannot carry it back.
std::string quotedField(const std::string& text, const char* label) {
    std::string out = "\"";
    if (const std::string fault = caseTextFault(text, &out); !fault.empty())
        throw CaseFileError(std::string("The field \"") + label + "\" " + fault);
    return out + "\"";
}

// A document text as its setting's value. A case file's line holds no line break or double
// quote, its reader trims the value's blanks and reads the Windows-1252 code page: so a backslash
// is written "\\", a line break "\n", and a double quote, another control character, a
// character the code page lacks and a blank at either end "\u{HEX}". Text that is not UTF-8
// stays as it is, for quotedField to refuse.
std::string settingValue(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const auto c = nextUtf8(text, i);
        if (!c) return text;
        const bool edge = *c == ' ' && (start == 0 || i == text.size());
        if (*c == '\\' || *c == '\n') {
            out += *c == '\n' ? "\\n" : "\\\\";
        } else if (edge || *c == '"' || *c < 0x20 || (*c >= 0x7F && *c < 0xA0) || !toCp1252(*c)) {
            out += "\\u{" + hex4(*c) + "}";
        } else {
            out += text.substr(start, i - start);
        }
    }
    return out;
}

// A "\u{HEX}" escape (one to six digits) at v[i] read into `out`, i moved to its brace; false when
// there is none.
bool readCodeEscape(std::string_view v, std::size_t& i, std::string& out) {
    const std::size_t close = v.find('}', i);
    if (v.substr(i, 3) != "\\u{" || close == std::string_view::npos || close - i < 4 ||
        close - i > 9)
        return false;
    unsigned long c = 0;
    const char* last = v.data() + close;
    const auto [end, ec] = std::from_chars(v.data() + i + 3, last, c, 16);
    if (ec != std::errc() || end != last) return false;
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    appendUtf8(out, static_cast<char32_t>(c));
    i = close;
    return true;
}

// The document text that a setting's value holds: "\\", "\n" and "\u{HEX}" read back; any
// other backslash stays as written (a hand-written "C:\temp"). Nullopt for a control character
// written as it is, which no editor of the text puts there.
std::optional<std::string> documentText(std::string_view v) {
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const auto b = static_cast<unsigned char>(v[i]);
        const bool c1 = b == 0xC2 && i + 1 < v.size() &&
                        static_cast<unsigned char>(v[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(v[i + 1]) < 0xA0;
        if (b < 0x20 || b == 0x7F || c1) return std::nullopt;
        if (b == '\\' && i + 1 < v.size() && (v[i + 1] == '\\' || v[i + 1] == 'n')) {
            out += v[++i] == 'n' ? '\n' : '\\';
        } else if (b != '\\' || !readCodeEscape(v, i, out)) {
            out += v[i];
        }
    }
    return out;
}

}  // namespace

std::string caseTextRefusal(const std::string& text) {
    return caseTextFault(text, nullptr);
}

namespace {

// A line past the hairpin length is a setting when it holds a colon: "Name: value", blanks
// around the colon and the value ignored, the name and a setting's value without regard to letter
// case; a document text keeps its letters, its escapes read back. A known setting is applied once;
// an unknown one, a value the setting does not have, or a second line for a setting already read is
// refused, since calculating without it, or with one of two values, would give another case. A line
// without a colon is ignored, as readers of the 22-line format ignore what follows. The reason for
// a refusal, to follow the line's text.
std::optional<std::string> readSetting(CaseData& c, const std::string& text,
                                       std::vector<std::size_t>& seenOn, std::size_t lineNo) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return std::nullopt;
    const std::string_view name = trimBlanks(std::string_view(text).substr(0, colon));
    const std::string_view value = trimBlanks(std::string_view(text).substr(colon + 1));
    // Settings first, then the document texts; both counted in seenOn.
    const auto secondValue = [&](std::size_t k, const char* setting) -> std::optional<std::string> {
        if (seenOn[k] == 0) {
            seenOn[k] = lineNo;
            return std::nullopt;
        }
        return "a second value of the setting \"" + std::string(setting) + "\", which line " +
               std::to_string(seenOn[k]) + " sets already.";
    };
    for (std::size_t k = 0; k < kCaseSettings.size(); ++k) {
        const CaseSetting& s = kCaseSettings[k];
        if (!equalsIgnoringCase(name, s.name)) continue;
        if (auto why = secondValue(k, s.name)) return why;
        if (s.set(c, value)) return std::nullopt;
        return "a value that the setting \"" + std::string(s.name) + "\" does not have.";
    }
    for (std::size_t k = 0; k < kDocumentFields.size(); ++k) {
        const DocumentField& d = kDocumentFields[k];
        if (!equalsIgnoringCase(name, d.caption)) continue;
        if (auto why = secondValue(kCaseSettings.size() + k, d.caption)) return why;
        const auto read = documentText(value);
        if (!read) return std::string("a control character, which a document text never holds.");
        c.*d.text = *read;
        return std::nullopt;
    }
    return std::string("a setting that this version of ZANO does not know.");
}

// Why a hairpin length read from a case file is none (too short, too long, not a number), or
// nothing when it is one or is not set.
std::optional<std::string> hairpinRefusal(const std::string& text) {
    if (isBlankText(text)) return std::nullopt;
    try {
        hairpinLeg(text);
    } catch (const CalcError& e) {
        return e.detail();
    }
    return std::nullopt;
}

std::string orUnknown(const std::string& reason) {
    return reason.empty() ? "unknown error" : reason;
}

}  // namespace

std::string caseFileText(const CaseData& c) {
    std::string settings;
    for (const CaseSetting& s : kCaseSettings)
        if (s.get(c) != s.defaultValue)
            settings += quotedField(std::string(s.name) + ": " + s.get(c), s.name) + "\r\n";
    for (const DocumentField& d : kDocumentFields)
        if (!(c.*d.text).empty())
            settings +=
                quotedField(std::string(d.caption) + ": " + settingValue(c.*d.text), d.caption) +
                "\r\n";
    std::string out;
    for (const CaseLine& line : caseFileLayout()) {
        // Readers of the 22-line format ignore further lines, and a case that sets nothing
        // beyond them saves exactly as before; a setting keeps line 23 for the hairpin length.
        if (line.field && line.field->line > kCaseFileLines && (c.*line.field->text).empty() &&
            settings.empty())
            continue;
        out += line.field ? quotedField(c.*line.field->text, line.field->label)
                          : booleanToken(line.mode->get(c));
        out += "\r\n";
    }
    // Long document texts could make a file that no reader opens again.
    if (out.size() + settings.size() > kMaxCaseFileBytes)
        throw CaseFileError("The case's texts take more than " +
                            std::to_string(kMaxCaseFileBytes / 1024 / 1024) +
                            " MB, more than a case file holds.");
    return out + settings;
}

CaseData parseCaseFile(std::string_view bytes) {
    // A byte-order mark left by a text editor is no part of the first field.
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    const std::vector<CaseLine> lines = caseFileLayout();
    std::vector<std::string> fields = readFields(bytes, kMaxCaseFileBytes);
    for (std::string& field : fields) field = cp1252ToUtf8(field);
    if (fields.size() < kCaseFileLines)
        throw CaseFileError("The file ends after " + std::to_string(fields.size()) +
                            (fields.size() == 1 ? " field" : " fields") + "; a case file has " +
                            std::to_string(kCaseFileLines) + ".");
    CaseData c;
    std::string errors;
    const auto refuse = [&](const std::string& why) {
        if (!errors.empty()) errors += ' ';
        errors += why;
    };
    const auto quoted = [&](std::size_t i) { return "\"" + escapedExcerpt(fields[i]) + "\""; };
    // The hairpin length's line holds a number or nothing. A setting written there (by a file
    // that never had a length) is read as the setting it is, and any other text is ignored, as
    // readers of the 22-line format ignore what follows; a number is checked below.
    const std::size_t hairpinIndex = kCaseFileLines;
    const bool settingOnHairpinLine =
        fields.size() > hairpinIndex && fields[hairpinIndex].find(':') != std::string::npos;
    const bool hairpinIgnored = settingOnHairpinLine || (fields.size() > hairpinIndex &&
                                                         !isBlankText(fields[hairpinIndex]) &&
                                                         !parseDouble(fields[hairpinIndex]));
    for (std::size_t i = 0; i < std::min(fields.size(), lines.size()); ++i) {
        const CaseLine& line = lines[i];
        if (line.field) {
            if (i == hairpinIndex && hairpinIgnored) continue;
            c.*line.field->text = fields[i];
            continue;
        }
        if (const auto flag = asBoolean(fields[i]))
            line.mode->set(c, *flag);
        else
            refuse("Line " + std::to_string(i + 1) + " (" + line.mode->label + ") reads " +
                   quoted(i) + ", which is not #TRUE# or #FALSE#.");
    }
    if (const auto why = hairpinRefusal(c.hairpinLength))
        refuse("Line " + std::to_string(hairpinIndex + 1) + ": " + *why + ".");
    std::vector<std::size_t> seenOn(kCaseSettings.size() + kDocumentFields.size(), 0);
    for (std::size_t i = settingOnHairpinLine ? hairpinIndex : lines.size(); i < fields.size(); ++i)
        if (const auto why = readSetting(c, fields[i], seenOn, i + 1))
            refuse("Line " + std::to_string(i + 1) + " reads " + quoted(i) + ", " + *why);
    if (!errors.empty()) throw CaseFileError(errors);
    if (c.intToutGiven) c.estToutGiven = false;  // both outlet temperatures are never given
    return c;
}

void saveCaseFile(const std::filesystem::path& file, const CaseData& c) {
    const auto fail = [&](const std::string& why) {
        throw CaseFileError("Cannot save \"" + pathText(file) + "\". " + why);
    };
    std::string bytes;
    try {
        bytes = caseFileText(c);
    } catch (const CaseFileError& e) {
        fail(e.what());
    }
    if (file.filename().empty()) fail("The name is that of a folder, not of a file.");
    const auto failure = writeFileAtomically(file, bytes);
    if (failure) fail(writeFailureText(*failure));
}

CaseData loadCaseFile(const std::filesystem::path& file) {
    const auto fail = [&](const std::string& why) {
        throw CaseFileError("Cannot open \"" + pathText(file) + "\". " + why);
    };
    namespace fs = std::filesystem;
    fileFaultPoint(file);
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (fs::is_directory(status)) fail("It is a folder, not a file.");
    if (fs::exists(status) && !fs::is_regular_file(status))
        fail("It is not a regular file but a pipe, a device or a socket.");
    const auto tooLarge = [&] {
        fail("It is larger than " + std::to_string(kMaxCaseFileBytes / 1024 / 1024) +
             " MB, far more than a case takes.");
    };
    if (fs::is_regular_file(status)) {
        const auto size = fs::file_size(file, ec);
        if (!ec && size > kMaxCaseFileBytes) tooLarge();
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        fail("The file cannot be read (" +
             orUnknown(errno != 0 ? std::generic_category().message(errno) : "") + ").");
    std::string bytes;
    char buffer[4096];
    while (in) {  // ends at the end of the file or at a read error
        in.read(buffer, sizeof buffer);
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        // The file may have grown since its size was checked.
        if (bytes.size() > kMaxCaseFileBytes) tooLarge();
    }
    if (in.bad()) fail("Reading the file failed.");
    try {
        return parseCaseFile(bytes);
    } catch (const CaseFileError& e) {
        fail(e.what());
    }
    return {};  // not reached: fail() throws
}

std::string caseFileFaultMessage(const std::filesystem::path& file, bool saving) {
    return (saving ? "Cannot save \"" : "Cannot open \"") + pathText(file) + "\". " +
           (saving ? "Saving" : "Reading") + " it failed unexpectedly (" + faultText() + ").";
}

}  // namespace zano
