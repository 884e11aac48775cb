#pragma once

#include <cstdint>
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

// 451 rows of five numbers take a few dozen KiB even written at full precision with a blank
// column or two; a larger file is no table and is refused before it is read into memory.
inline constexpr std::uintmax_t kMaxTableFileBytes = 1 << 20;

struct ImportedRow {
    float T = 0;           // degC
    float dens = 0;        // kg/m^3
    float cp = 0;          // kJ/(kg K)
    float cond = 0;        // W/(m K)
    double visc = 0;       // Pa s
    std::size_t line = 0;  // of the text it was read from; 0 when it was not read from one
};

// A table that cannot be taken; what() names the line and the reason.
class TableImportError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A table file that cannot be read at all; what() is the cause as a sentence ("It is a pipe
// (FIFO), not a regular file.").
class TableFileError : public TableImportError {
  public:
    using TableImportError::TableImportError;
};

// The bytes of a table file. Only a regular file of at most kMaxTableFileBytes is read, so that
// a pipe (which would wait for a writer for ever) or a device such as /dev/zero (which never
// ends) is refused; the read stops at the bound should the file grow meanwhile.
std::string readTableFile(const std::filesystem::path& file);

// The rows of `text`: five fields a line, separated by tabs, semicolons or commas (with commas,
// the decimal separator must be the point unless the field is quoted; otherwise the point or
// the comma). A field may be enclosed in double quotes. Lines end in LF, CR LF or a lone CR; a
// UTF-8 byte-order mark is skipped; blank lines are skipped. The first line is a header when
// none of its fields is a number; any other line that is no row of five numbers is refused with
// its number. At least 2 and at most 451 rows, temperatures strictly rising, every value within
// the magnitudes a fluid can have (property_bounds.h), all but the temperature positive.
std::vector<ImportedRow> parseFluidTable(std::string_view text);

// The rows in the fluid file format at 1 bar, the enthalpy from 0 at the first row by the
// trapezoidal rule on the specific heat: h_k = h_(k-1) + (cp_(k-1) + cp_k)/2 (T_k - T_(k-1)).
// The text is read back as a calculation reads a table, and refused naming the row's line when
// it would not load: rows that differ beyond the 7 significant digits a table keeps are saved
// as equal.
std::string importedTableText(const std::vector<ImportedRow>& rows);

// The file a table saved under a name of the user's own goes to: "NAME.dat" in `folder`.
std::filesystem::path ownTableFile(const std::filesystem::path& folder, const std::string& name);

// Makes the folder `file` goes into, with its parents, where it is missing; why it cannot be
// ("the folder cannot be created: Not a directory"), empty when it is there.
std::string makeFolderFor(const std::filesystem::path& file);

// Writes the table through a temporary file renamed over `file`; a failure leaves the old file
// as it was and is reported naming the file.
void writeImportedTable(const std::filesystem::path& file, const std::vector<ImportedRow>& rows);
// The same with the table's text already made by importedTableText.
void writeImportedTable(const std::filesystem::path& file, const std::string& table);

}  // namespace zano
