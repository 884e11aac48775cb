#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A fluid of the user's own that varies with temperature: rows of temperature, density,
// specific heat, conductivity and viscosity from a CSV or tab-separated text (a spreadsheet's
// copy), written in the fluid file format as one block at 1 bar, the enthalpy integrated from
// the specific heat.
namespace zano {

inline constexpr std::size_t kMaxImportedRows = 451;  // as many as a shipped table holds

struct ImportedRow {
    float T = 0;      // degC
    float dens = 0;   // kg/m^3
    float cp = 0;     // kJ/(kg K)
    float cond = 0;   // W/(m K)
    double visc = 0;  // Pa s
};

// A table that cannot be taken; what() names the line and the reason.
class TableImportError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The rows of `text`: five fields a line, separated by tabs, semicolons or commas (with commas,
// the decimal separator must be the point; otherwise the point or the comma). A first line
// that does not start with a number is a header; blank lines are skipped. At least 2 and at
// most 451 rows, temperatures strictly rising, every value a positive number.
std::vector<ImportedRow> parseFluidTable(std::string_view text);

// The rows in the fluid file format at 1 bar, the enthalpy from 0 at the first row by the
// trapezoidal rule on the specific heat: h_k = h_(k-1) + (cp_(k-1) + cp_k)/2 (T_k - T_(k-1)).
std::string importedTableText(const std::vector<ImportedRow>& rows);

// Writes the table through a temporary file renamed over `file`; a failure leaves the old file
// as it was and is reported naming the file.
void writeImportedTable(const std::filesystem::path& file, const std::vector<ImportedRow>& rows);
// The same with the table's text already made by importedTableText.
void writeImportedTable(const std::filesystem::path& file, const std::string& table);

}  // namespace zano
