#include "properties/table_import.h"

#include <cerrno>
#include <cmath>
#include <fstream>
#include <limits>
#include <optional>
#include <system_error>

#include "base/atomic_write.h"
#include "base/errors.h"
#include "base/faults.h"
#include "base/number_text.h"
#include "base/plain_text.h"
#include "properties/fluid_table.h"
#include "properties/property_bounds.h"

namespace zano {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

const char* const kColumns[] = {"temperature", "density", "specific heat", "conductivity",
                                "viscosity"};
const FluidProperty kProperties[] = {FluidProperty::Temperature, FluidProperty::Density,
                                     FluidProperty::SpecificHeat, FluidProperty::Conductivity,
                                     FluidProperty::Viscosity};

[[noreturn]] void refuse(std::size_t line, const std::string& why) {
    throw TableImportError("Line " + std::to_string(line) + ": " + why + ".");
}

// The separator of a line: a tab where there is one outside quotes, else a semicolon, else a
// comma.
char separatorOf(std::string_view line) {
    bool quoted = false, semicolon = false;
    for (const char c : line) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\t') return '\t';
        semicolon = semicolon || c == ';';
    }
    return semicolon ? ';' : ',';
}

// The fields of a line, blanks around them removed; a field in double quotes may hold the
// separator, and "" stands for one quote inside it.
std::vector<std::string> split(std::string_view line, char sep, std::size_t lineNo) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (;;) {
        while (at < line.size() && line[at] != sep && isBlank(line[at])) ++at;
        std::string field;
        if (at < line.size() && line[at] == '"') {
            for (++at;; ++at) {
                if (at == line.size()) refuse(lineNo, "a quoted value is not closed");
                if (line[at] != '"') {
                    field += line[at];
                } else if (at + 1 < line.size() && line[at + 1] == '"') {
                    field += '"';
                    ++at;
                } else {
                    break;
                }
            }
            ++at;  // past the closing quote
            while (at < line.size() && line[at] != sep && isBlank(line[at])) ++at;
            if (at < line.size() && line[at] != sep)
                refuse(lineNo, "text follows a quoted value before the next separator");
            field = std::string(trimBlanks(field));
        } else {
            const std::size_t end = std::min(line.find(sep, at), line.size());
            field = std::string(trimBlanks(line.substr(at, end - at)));
            at = end;
        }
        fields.push_back(std::move(field));
        if (at >= line.size()) return fields;
        ++at;  // past the separator
    }
}

std::string sentence(std::string cause) {
    if (!cause.empty() && cause[0] >= 'a' && cause[0] <= 'z') cause[0] = cause[0] - 'a' + 'A';
    return cause + ".";
}

// The name the saved text is checked under; its reader's messages begin with it.
const std::string kCheckedName = "imported table";

// The first `lines` lines of `text`.
std::string firstLines(const std::string& text, std::size_t lines) {
    std::size_t end = 0;
    for (std::size_t k = 0; k < lines && end < text.size(); ++k) end = text.find('\n', end) + 1;
    return text.substr(0, end);
}

// Why the table's first `lines` rows, as saved, would not load; nullopt when they would.
std::optional<std::string> savedRefusal(const std::string& text, std::size_t lines) {
    try {
        readFluidTableText(kCheckedName, firstLines(text, lines));
        return std::nullopt;
    } catch (const CalcError& e) {
        return e.detail();
    }
}

// Refuses a table whose text, as saved, the calculation would refuse, naming the first row at
// fault. A record is refused for itself and the rows before it only, so the shortest failing
// run of first rows ends at that row.
void checkReadsBack(const std::vector<ImportedRow>& rows, const std::string& text) {
    if (!savedRefusal(text, rows.size())) return;
    std::size_t passes = 0, fails = rows.size();
    while (fails - passes > 1) {
        const std::size_t mid = passes + (fails - passes) / 2;
        (savedRefusal(text, mid) ? fails : passes) = mid;
    }
    std::string cause = *savedRefusal(text, fails);
    const std::string prefix =
        "data file \"" + kCheckedName + "\", line " + std::to_string(fails) + ": ";
    if (cause.starts_with(prefix)) cause.erase(0, prefix.size());
    const ImportedRow& row = rows[fails - 1];
    std::string saved = firstLines(text, fails).substr(firstLines(text, fails - 1).size());
    if (!saved.empty() && saved.back() == '\n') saved.pop_back();
    throw TableImportError(
        (row.line > 0 ? "Line " + std::to_string(row.line) : "Row " + std::to_string(fails)) +
        ": saved with the 7 significant digits of a table, the row would read \"" + saved +
        "\", which a calculation refuses: " + cause + ".");
}

}  // namespace

std::string readTableFile(const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    const auto fail = [](const std::string& cause) { throw TableFileError(sentence(cause)); };
    fileFaultPoint(file);
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (!fs::exists(status)) fail(ec ? ec.message() : std::generic_category().message(ENOENT));
    if (const std::string kind = entryKind(status); !kind.empty())
        fail("it is " + kind + (kind == "a folder" ? ", not a file" : ", not a regular file"));
    if (!fs::is_regular_file(status)) fail("it is not a regular file");
    const std::string tooLarge =
        "it is larger than " + std::to_string(kMaxTableFileBytes / 1024 / 1024) +
        " MiB, far more than a table of " + std::to_string(kMaxImportedRows) + " rows takes";
    if (const auto size = fs::file_size(file, ec); !ec && size > kMaxTableFileBytes) fail(tooLarge);
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) fail(errno != 0 ? std::generic_category().message(errno) : "it cannot be opened");
    std::string bytes;
    char buffer[4096];
    while (in) {  // ends at the end of the file or at a read error
        in.read(buffer, sizeof buffer);
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        // The file may have grown since its size was looked at.
        if (bytes.size() > kMaxTableFileBytes) fail(tooLarge);
    }
    if (in.bad()) fail("reading it failed");
    return bytes;
}

std::vector<ImportedRow> parseFluidTable(std::string_view text) {
    // Spreadsheets' "Unicode text" is UTF-16: every other byte a NUL, no field a number.
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"))
        throw TableImportError(
            "The file is UTF-16 text; save it as CSV (UTF-8) or as tab-separated text.");
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::vector<ImportedRow> rows;
    std::size_t lineNo = 0;
    bool first = true;
    while (!text.empty()) {
        // A line ends in LF, CR LF or a lone CR (older spreadsheets' exports).
        const std::size_t eol = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, eol);
        const bool crlf = eol != std::string_view::npos && text[eol] == '\r' &&
                          eol + 1 < text.size() && text[eol + 1] == '\n';
        const std::size_t next = eol == std::string_view::npos ? text.size() : eol + (crlf ? 2 : 1);
        text.remove_prefix(next);
        ++lineNo;
        if (isBlankText(line)) continue;
        const char sep = separatorOf(line);
        std::vector<std::string> fields = split(line, sep, lineNo);
        // Spreadsheets write the empty cells right of a table as separators, and an empty row
        // as separators only.
        while (!fields.empty() && fields.back().empty()) fields.pop_back();
        if (fields.empty()) continue;
        // Only a line without any number is a header: a typo in the first row ("2O") is not.
        bool anyNumber = false;
        for (const auto& f : fields) anyNumber = anyNumber || parseDouble(f).has_value();
        const bool header = first && !anyNumber;
        first = false;
        if (header) continue;
        if (fields.size() != 5)
            refuse(lineNo,
                   "a row holds 5 values (temperature, density, specific heat, "
                   "conductivity, viscosity), this one " +
                       std::to_string(fields.size()));
        // A bound is told in the decimal separator that the line uses.
        bool decimalComma = false;
        for (const auto& f : fields)
            decimalComma = decimalComma || f.find(',') != std::string::npos;
        double v[5];
        for (int k = 0; k < 5; ++k) {
            const auto x = parseDouble(fields[k]);
            if (!x || !std::isfinite(*x))
                refuse(lineNo, std::string("the ") + kColumns[k] + " \"" + excerpt(fields[k]) +
                                   "\" is not a number");
            if (k > 0 && !(*x > 0))
                refuse(lineNo, std::string("the ") + kColumns[k] + " " + excerpt(fields[k]) +
                                   " is not positive");
            if (const std::string why =
                    propertyBoundRefusal(kProperties[k], *x, decimalComma ? ',' : '.');
                !why.empty())
                refuse(lineNo, why);
            v[k] = *x;
        }
        const ImportedRow row{static_cast<float>(v[0]),
                              static_cast<float>(v[1]),
                              static_cast<float>(v[2]),
                              static_cast<float>(v[3]),
                              v[4],
                              lineNo};
        if (!rows.empty() && !(row.T > rows.back().T))
            refuse(lineNo, "the temperature " + formatSingle(row.T) +
                               " does not rise above the row before (" +
                               formatSingle(rows.back().T) + ")");
        if (rows.size() == kMaxImportedRows)
            refuse(lineNo, "a table holds at most " + std::to_string(kMaxImportedRows) + " rows");
        rows.push_back(row);
    }
    if (rows.size() < 2)
        throw TableImportError("A table needs at least 2 rows; this one has " +
                               std::to_string(rows.size()) + ".");
    return rows;
}

std::string importedTableText(const std::vector<ImportedRow>& rows) {
    std::string text;
    double h = 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const ImportedRow& r = rows[k];
        if (k > 0) {
            const ImportedRow& p = rows[k - 1];
            // With a constant cp the sum is cp (T_k - T_0) to the rounding of a double.
            h += (static_cast<double>(p.cp) + r.cp) / 2 * (static_cast<double>(r.T) - p.T);
            if (h > std::numeric_limits<float>::max())
                throw TableImportError(
                    "The enthalpy integrated from the specific heat is too "
                    "large at " +
                    formatSingle(r.T) + " °C.");
        }
        text += formatSingle(r.T, '.') + ",1," + formatSingle(r.dens, '.') + ',' +
                formatSingle(r.cp, '.') + ',' + formatSingle(r.cond, '.') + ',' +
                formatDouble(r.visc, '.') + ',' + formatSingle(static_cast<float>(h), '.') + '\n';
    }
    checkReadsBack(rows, text);
    return text;
}

std::filesystem::path ownTableFile(const std::filesystem::path& folder, const std::string& name) {
    // Appended as text after a separator, so that no name can replace the folder.
    auto file = folder / "";
    file += name + ".dat";
    return file;
}

std::string makeFolderFor(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    return ec ? "the folder cannot be created: " + ec.message() : std::string();
}

void writeImportedTable(const std::filesystem::path& file, const std::vector<ImportedRow>& rows) {
    writeImportedTable(file, importedTableText(rows));
}

void writeImportedTable(const std::filesystem::path& file, const std::string& table) {
    const auto failure = writeFileAtomically(file, table);
    if (!failure) return;
    throw TableImportError("Cannot save the table to \"" + pathText(file) + "\". " +
                           writeFailureText(*failure));
}

}  // namespace zano
