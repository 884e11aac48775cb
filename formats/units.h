#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "records/case_fields.h"

// The units a user reads and types in, and the decimal separator: a preference of the user,
// never part of a case. The case file, the calculation and its records stay in SI with a decimal
// comma; every window, page and export converts at its boundary through this one table.
namespace zano {

enum class UnitSystem { SI, US };

struct Units {
    UnitSystem system = UnitSystem::SI;
    char decimal = ',';  // ',' or '.'
    bool operator==(const Units&) const = default;
    // The case's own units and separator: every text shows exactly as the case holds it.
    bool asCase() const { return system == UnitSystem::SI && decimal == ','; }
};

// A quantity's unit in each system: shown = si * factor + offset (an offset for temperatures
// only).
struct UnitRow {
    Quantity quantity;
    const char* si;       // as the windows write it: "mm", "(m^2 K)/W"
    const char* us;       // "in", "(h ft^2 °F)/Btu"
    const char* siToken;  // as JSON keys end: "mm", "m2K_W"
    const char* usToken;  // "in", "hft2F_Btu"
    double factor;
    double offset;
    const char* source;  // the definition the factor follows from
};

inline constexpr std::size_t kUnitCount = 17;
extern const std::array<UnitRow, kUnitCount> kUnits;

// The row of a quantity; nullptr for one without unit (counts, numbers, texts, names).
const UnitRow* unitRow(Quantity q);
// The unit caption in a system; empty for a quantity without unit.
std::string_view unitText(Quantity q, UnitSystem s);
double toShown(Quantity q, double si, UnitSystem s);
double toSi(Quantity q, double shown, UnitSystem s);

// A case text (SI, decimal comma) as its box shows it. In SI the text stands as it is, with the
// separator chosen; in US a number is converted and written at 7 significant digits. A text
// that is no number (empty, malformed) is shown as it stands.
std::string shownText(Quantity q, std::string_view caseText, const Units& u);
// A text typed into a box as the case stores it: in SI the text as typed with a decimal comma;
// in US the number converted to SI at 15 significant digits, so that it shows again as typed.
std::string caseText(Quantity q, std::string_view shown, const Units& u);

// A figure as a window shows it rounded to `decimals` of its SI unit (ties to even) and as the
// general format shows it (at most 7 significant digits for a single, 15 for a double). In SI
// the figure keeps its width (single or double) and the case's rounding exactly; in US it is
// rounded to as many decimals as keep its step no coarser than the SI one, and no finer (U to
// 0,1 Btu/(h ft^2 °F), a capacity to 1 Btu/h), and the general format has 7 significant digits.
std::string shownRounded(Quantity q, float si, int decimals, const Units& u);
std::string shownRounded(Quantity q, double si, int decimals, const Units& u);
std::string shownGeneral(Quantity q, float si, const Units& u);
std::string shownGeneral(Quantity q, double si, const Units& u);

// A JSON key with its unit token in a system: "inletTemperature_C" -> "inletTemperature_F".
std::string unitKey(std::string_view key, Quantity q, UnitSystem s);
// A caption's unit in brackets, as the boxes' labels carry it: "Outside diameter [mm]" ->
// "Outside diameter [in]"; a caption without that unit stands as it is.
std::string unitCaption(std::string_view caption, Quantity q, UnitSystem s);

// "SI" or "US customary", as the View menu and the page name them.
std::string_view systemName(UnitSystem s);
// "si" or "us", as zano-calc's --units takes them.
std::optional<UnitSystem> systemNamed(std::string_view token);

}  // namespace zano
