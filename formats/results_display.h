#pragma once

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "formats/units.h"
#include "records/case_outcome.h"
#include "records/design_margins.h"
#include "records/film_breakdown.h"
#include "records/results_data.h"

// The results as the results window shows them: one table of the record's fields, one of the
// window's rows, one of the rows below them. The window, its tab-separated copy, the exports
// and the headless calculator loop over these tables.
namespace zano {

// The results beyond the 28 fields of the record, when known.
struct ResultsExtras {
    std::optional<DesignMargins> margins;
    std::optional<Hairpins> hairpins;
    // What makes up U, the set of rules that found it, and the other set's figures.
    std::optional<FilmBreakdown> films = {};
    std::optional<CorrelationSet> correlations = {};
    std::optional<OtherSetFigures> otherSet = {};
    // What the user should know of the results beyond their figures (a stream's pressure drop
    // as built above what it may take, say), a sentence each.
    std::vector<std::string> notes = {};
    std::optional<HandCheck> handCheck = {};  // the figures a hand check starts from
};

// What a case run gives beyond its results record, as the results window and the page show it.
ResultsExtras extrasOf(const CaseRun& run);

// How a box shows its field: as entered (general format), rounded to 3 or 0 decimals, the text
// as it is, or the configuration's name.
enum class Shown { General, Rounded3, Rounded0, AsIs, Configuration };

using ResultMember = std::variant<float ResultsData::*, double ResultsData::*,
                                  std::string ResultsData::*, Arrangement ResultsData::*>;

struct ResultField {
    const char* name;  // the ResultsData member, as the exports name it
    ResultMember member;
    const char* box;  // the results window's box that shows it
    Shown shown;
    Quantity quantity;  // its unit, converted where the user reads another system
};

// The fields of the record, in its order.
inline constexpr std::size_t kResultFieldCount = 28;
extern const std::array<ResultField, kResultFieldCount> kResultFields;

// A row of the results window: its caption and unit captions (nullptr: no unit caption) and
// the boxes of the internal and the external column (nullptr: none).
struct ResultsRow {
    const char* label;
    const char* caption;
    const char* unitLabel;
    const char* unit;
    const char* internal;
    const char* external;
    Quantity quantity;
};
extern const std::array<ResultsRow, 17> kResultsRows;

// The rows below the window's own: the design margins and the hairpins, each a number shown
// rounded to `decimals`.
struct ExtraRow {
    const char* box;
    const char* caption;
    const char* unit;
    const char* copyCaption;  // in the tab-separated copy
    const char* name;         // in the exports
    int decimals;             // of the SI unit; more in a larger unit, so that no step is coarser
    std::optional<double> (*value)(const ResultsExtras&);
    Quantity quantity;
};
inline constexpr std::size_t kExtraRowCount = 4;
extern const std::array<ExtraRow, kExtraRowCount> kExtraRows;

// One box and the text it shows.
struct DisplayBox {
    const char* box;
    std::string text;
};

// The boxes in the order they are written: row by row, internal before external.
using DisplayBoxes = std::array<DisplayBox, kResultFieldCount>;
// In the units and with the separator chosen; with Units{} as the case holds them.
DisplayBoxes displayTexts(const ResultsData& r, const Units& units = {});
// The four boxes below them; empty where the extra is not known.
std::array<DisplayBox, kExtraRowCount> extraTexts(const ResultsExtras& x, const Units& units = {});

// A unit caption in a system: `si` as the tables write it in SI (exactly as it stands, "%"
// too), the quantity's US unit in US; `si` for a quantity that has no unit of its own.
const char* shownUnit(Quantity q, const char* si, UnitSystem s);

// The text of one box among the 28.
std::string boxText(const DisplayBoxes& boxes, const char* box);

// "Contercurrent" or "Equicurrent", as the results window names the arrangement.
const char* configurationText(Arrangement controequi);
// "contro" or "equi", as the case file and the exports write it.
const char* arrangementWord(Arrangement controequi);

}  // namespace zano
