#pragma once

#include <array>
#include <string>
#include <variant>
#include <vector>

#include "formats/units.h"
#include "records/case_fields.h"
#include "records/case_outcome.h"

namespace zano {

// Where a figure belongs: to the exchanger as a whole, or to each pipe (one figure for the
// internal pipe and one for the annulus).
enum class Part { Exchanger, EachPipe };
enum class Pipe { Internal, External };

// A figure as the exports write it: a single, a double, a count or a text; nothing where the
// calculation gave none (no hairpin length set).
using Figure = std::variant<std::monostate, float, double, int, std::string>;

// Which groups of figures an export holds beside the results and the design margins: the
// hairpins as built where the case has them, what makes up U where asked for, the figures of a
// hand check always.
enum class Group { Results, Construction, Films, HandCheck };

// Every figure of a calculated case, once. The JSON export writes it under `key` (within its
// part's object: "internal": {"inletTemperature_C": ...}, the unit's token in the key); the CSV
// export heads its column with the caption and the unit ("Temp in (internal pipe) [°C]"). The
// caption is the results window's where it shows the figure.
struct SchemaRow {
    const char* key;
    const char* caption;
    const char* unit;  // empty for a number without unit and for a text
    Quantity quantity;
    Part part;
    Group group;
    Figure (*get)(const CaseRun& run, Pipe pipe);
};

inline constexpr std::size_t kSchemaRowCount = 55;
extern const std::array<SchemaRow, kSchemaRowCount> kResultSchema;

// What an export holds beyond the results, the margins and the hairpins.
struct ExportParts {
    bool films = false;     // what makes up U
    bool otherSet = false;  // the other correlation set's figures
    bool profile = false;   // the temperature profile, where the run has one
};

// One case as a JSON document, pretty-printed, one value a line: ok, message, detail, notes,
// the values found for the case's fields (by their labels), then with results the exchanger's
// figures and each pipe's, and the parts asked for. Numbers at the shortest width that reads
// back as the same single or double, with a decimal point whatever the separator chosen (JSON
// has no other). In US customary units the document begins with "units": "US customary", each
// key carries its US unit ("inletTemperature_F") and the values found are written converted,
// with a point; in SI it is the case's document as ever.
std::string caseJson(const CaseRun& run, const ExportParts& parts, const Units& units = {});

// The figures as CSV: a header row (when asked) and one row of values, comma-separated,
// decimal point (a comma would part the columns) whatever the separator chosen; empty when the
// case has no results. The headings carry the units of the system chosen.
std::string caseCsv(const CaseRun& run, const ExportParts& parts, bool header,
                    const Units& units = {});
// The headings of caseCsv's columns without what makes up U, the same for every run: for a
// table whose rows may hold cases that failed.
std::vector<std::string> caseCsvHeadings(const Units& units = {});
// A figure's heading: "Temp in (internal pipe) [°C]", "[°F]" in US customary units.
std::string heading(const SchemaRow& row, Pipe pipe, const Units& units = {});
// A figure in a system's unit: a single stays a single, a double a double; a count or a text
// as it is.
Figure inUnits(const Figure& f, Quantity q, UnitSystem s);
// A CSV field, quoted where it holds a comma, a quote or a line break.
std::string csvField(const std::string& s);

// A number at the shortest width that reads back as the same value.
std::string shortestNumber(float v);
std::string shortestNumber(double v);

}  // namespace zano
