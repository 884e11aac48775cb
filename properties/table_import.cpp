#include "properties/table_import.h"

#include <cmath>
#include <limits>

#include "base/atomic_write.h"
#include "base/number_text.h"
#include "base/plain_text.h"

namespace zano {
namespace {

const char* const kColumns[] = {"temperature", "density", "specific heat", "conductivity",
                                "viscosity"};

std::vector<std::string_view> split(std::string_view line) {
    const char sep = line.find('\t') != std::string_view::npos  ? '\t'
                     : line.find(';') != std::string_view::npos ? ';'
                                                                : ',';
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(sep, start);
        fields.push_back(trimBlanks(line.substr(start, end - start)));
        if (end == std::string_view::npos) return fields;
        start = end + 1;
    }
}

[[noreturn]] void refuse(std::size_t line, const std::string& why) {
    throw TableImportError("Line " + std::to_string(line) + ": " + why + ".");
}

}  // namespace

std::vector<ImportedRow> parseFluidTable(std::string_view text) {
    std::vector<ImportedRow> rows;
    std::size_t lineNo = 0;
    bool first = true;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (isBlankText(line)) continue;
        const std::vector<std::string_view> fields = split(line);
        const bool header = first && !parseDouble(fields[0]);
        first = false;
        if (header) continue;
        if (fields.size() != 5)
            refuse(lineNo,
                   "a row holds 5 values (temperature, density, specific heat, "
                   "conductivity, viscosity), this one " +
                       std::to_string(fields.size()));
        double v[5];
        for (int k = 0; k < 5; ++k) {
            const auto x = parseDouble(fields[k]);
            if (!x || !std::isfinite(*x))
                refuse(lineNo, std::string("the ") + kColumns[k] + " \"" + excerpt(fields[k]) +
                                   "\" is not a number");
            if (k > 0 && !(*x > 0))
                refuse(lineNo, std::string("the ") + kColumns[k] + " " + excerpt(fields[k]) +
                                   " is not positive");
            if (std::fabs(*x) > std::numeric_limits<float>::max())
                refuse(lineNo, std::string("the ") + kColumns[k] + " is too large");
            v[k] = *x;
        }
        const ImportedRow row{static_cast<float>(v[0]), static_cast<float>(v[1]),
                              static_cast<float>(v[2]), static_cast<float>(v[3]), v[4]};
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
    return text;
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
