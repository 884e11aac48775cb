#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/plain_text.h"
#include "records/case_data.h"

// Every text of the case once: the control that edits it, its line in the case file, and the
// mode in which the calculation finds it. The main window, the case file, the headless
// calculator and the printed report loop over these tables.
namespace zano {

// The mode choice that makes a field an output: found when `mode` reads `foundWhen`.
struct FoundBy {
    bool CaseData::*mode = nullptr;  // nullptr: an input in every mode
    bool foundWhen = false;
};

// What a figure measures, for its unit and the way it is shown; the case's fields use the
// first eight, the results all. Each with a unit has its row in formats/units.h.
enum class Quantity {
    Size,
    Temperature,
    MassFlow,
    Length,
    Capacity,
    Name,
    Fouling,
    Pressure,
    Area,
    Coefficient,
    Velocity,
    PressureDrop,
    Percent,
    Count,
    Number,
    Text,
    TemperatureDifference,
    CapacityRate,
    Density,
    SpecificHeat,
    Conductivity,
    Viscosity
};

struct CaseField {
    const char* name;             // the CaseData member, as the headless calculator names it
    std::string CaseData::*text;  //
    const char* control;          // "Text7", "Combo1": the main window's; see inOptions
    bool inOptions;               // the control is the Options dialog's
    const char* label;            // as the user knows the field, for messages
    Quantity quantity;            // temperatures may be below 0 degC: their boxes take a sign
    int line;                     // in the case file, from 1
    FoundBy found;
};

// The 22 lines of the format; line 23, the hairpin length, is optional: written when its text is
// set or when a setting (kCaseSettings) follows it.
inline constexpr int kCaseFileLines = 22;

// One row a field, kept on one line.
// clang-format off
inline constexpr std::array<CaseField, 20> kCaseFields{{
    {"deti", &CaseData::deti, "Text1", false, "Outside diameter of the internal pipe", Quantity::Size, 1, {}},
    {"spi", &CaseData::spi, "Text2", false, "Wall thickness of the internal pipe", Quantity::Size, 2, {}},
    {"dete", &CaseData::dete, "Text4", false, "Outside diameter of the external pipe", Quantity::Size, 3, {}},
    {"spe", &CaseData::spe, "Text5", false, "Wall thickness of the external pipe", Quantity::Size, 4, {}},
    {"intTin", &CaseData::intTin, "Text6", false, "Inlet temperature of the internal fluid", Quantity::Temperature, 5, {}},
    {"intTout", &CaseData::intTout, "Text7", false, "Outlet temperature of the internal fluid", Quantity::Temperature, 6, {&CaseData::intToutGiven, false}},
    {"intPort", &CaseData::intPort, "Text8", false, "Mass flow of the internal fluid", Quantity::MassFlow, 7, {&CaseData::intToutGiven, true}},
    {"estTin", &CaseData::estTin, "Text9", false, "Inlet temperature of the external fluid", Quantity::Temperature, 8, {}},
    {"estTout", &CaseData::estTout, "Text10", false, "Outlet temperature of the external fluid", Quantity::Temperature, 9, {&CaseData::estToutGiven, false}},
    {"estPort", &CaseData::estPort, "Text11", false, "Mass flow of the external fluid", Quantity::MassFlow, 10, {&CaseData::estToutGiven, true}},
    {"L", &CaseData::L, "Text12", false, "Length", Quantity::Length, 11, {&CaseData::LGiven, false}},
    {"intfluid", &CaseData::intfluid, "Combo1", false, "Internal fluid", Quantity::Name, 12, {}},
    {"estfluid", &CaseData::estfluid, "Combo2", false, "External fluid", Quantity::Name, 13, {}},
    {"mat", &CaseData::mat, "Combo3", false, "Wall material", Quantity::Name, 14, {}},
    {"intSporc", &CaseData::intSporc, "Text1", true, "Internal fouling factor", Quantity::Fouling, 17, {}},
    {"estSporc", &CaseData::estSporc, "Text2", true, "External fouling factor", Quantity::Fouling, 18, {}},
    {"intpress", &CaseData::intpress, "Combo4", false, "Pressure of the internal fluid", Quantity::Pressure, 19, {}},
    {"estpress", &CaseData::estpress, "Combo5", false, "Pressure of the external fluid", Quantity::Pressure, 20, {}},
    {"q", &CaseData::q, "Text3", false, "Capacity", Quantity::Capacity, 21, {&CaseData::LGiven, true}},
    {"hairpinLength", &CaseData::hairpinLength, "HairpinLength", true, "Hairpin length", Quantity::Length, 23, {}},
}};
// clang-format on

// The four option pairs: three on their lines of the 22, the external outlet mode (line 0)
// among the settings below. `option` is chosen when the mode reads true, `partner` when it
// reads false.
struct CaseMode {
    const char* label;  // for messages
    const char* option;
    const char* partner;
    int line;
    bool (*get)(const CaseData&);
    void (*set)(CaseData&, bool);
};

inline constexpr std::array<CaseMode, 4> kCaseModes{{
    {"\"Outlet temp.\" of the internal fluid chosen", "Option3", "Option4", 15,
     [](const CaseData& c) { return c.intToutGiven; },
     [](CaseData& c, bool v) { c.intToutGiven = v; }},
    {"\"Countercurrent\" chosen", "Option1", "Option2", 16,
     [](const CaseData& c) { return c.controequi == Arrangement::Countercurrent; },
     [](CaseData& c, bool v) {
         c.controequi = v ? Arrangement::Countercurrent : Arrangement::Equicurrent;
     }},
    {"\"Lenght [m]\" chosen", "Option5", "Option6", 22, [](const CaseData& c) { return c.LGiven; },
     [](CaseData& c, bool v) { c.LGiven = v; }},
    {"\"Outlet temp.\" of the external fluid chosen", "Option7", "Option8", 0,
     [](const CaseData& c) { return c.estToutGiven; },
     [](CaseData& c, bool v) { c.estToutGiven = v; }},
}};

// Sets the hairpins built from a setting's text; false when it is no count of hairpins.
bool setHairpins(CaseData& c, std::string_view text);
// Sets a stream's branches from a setting's text; false when it is no count of branches.
bool setBranches(std::string& branches, std::string_view text);
// Sets a positive measure up to `most` from a setting's text; false when it is none.
bool setMeasure(std::string& measure, std::string_view text, double most);
// "None", "Internal" or "External": the stream the duty follows from.
std::string dutyFromText(const CaseData& c);
// Sets the stream the duty follows from, with the modes that go with it (that stream's outlet
// given, the capacity and the length found); false when the text names no such stream.
bool setDutyFrom(CaseData& c, std::string_view text);

// The settings a case file holds past its hairpin length (line 23), one a line from line 24 as
// a quoted "Name: value", each written only when it differs from its default. A file without
// them reads with every setting at its default, as files did before they were added.
struct CaseSetting {
    const char* name;          // before the colon
    const char* code;          // as zano-calc --set names it
    const char* defaultValue;  // never written
    std::string (*get)(const CaseData&);
    // The value without regard to letter case; false: a value the setting does not have.
    bool (*set)(CaseData&, std::string_view value);
};

// The largest bend radius and nozzle bore, mm, and allowable pressure drop, kPa, a case takes:
// beyond them a value is a slip of the pen (a unit, an exponent), not a part of an exchanger.
inline constexpr double kMaxFittingSize = 10000, kMaxAllowedDrop = 100000;

inline constexpr std::array<CaseSetting, 12> kCaseSettings{{
    // Which external value is given; the internal outlet temperature given forces the mass flow.
    {"External fluid given", "estGiven", "Mass flow",
     [](const CaseData& c) -> std::string {
         return c.estToutGiven && !c.intToutGiven ? "Outlet temp." : "Mass flow";
     },
     [](CaseData& c, std::string_view v) {
         const bool outlet = equalsIgnoringCase(v, "Outlet temp.");
         if (!outlet && !equalsIgnoringCase(v, "Mass flow")) return false;
         c.estToutGiven = outlet;
         return true;
     }},
    // The Nusselt rules of the calculation.
    {"Correlations", "correlations", "Classic",
     [](const CaseData& c) -> std::string { return correlationSetName(c.correlations); },
     [](CaseData& c, std::string_view v) {
         for (const CorrelationSet set : kCorrelationSets)
             if (equalsIgnoringCase(v, correlationSetName(set))) return c.correlations = set, true;
         return false;
     }},
    // The hairpins built, each two legs of the hairpin length.
    {"Hairpins", "hairpins", "", [](const CaseData& c) { return c.hairpins; },
     [](CaseData& c, std::string_view v) { return setHairpins(c, v); }},
    // Each stream in series through every hairpin (1) or split into parallel branches.
    {"Internal branches", "intBranches", "", [](const CaseData& c) { return c.intBranches; },
     [](CaseData& c, std::string_view v) { return setBranches(c.intBranches, v); }},
    {"External branches", "estBranches", "", [](const CaseData& c) { return c.estBranches; },
     [](CaseData& c, std::string_view v) { return setBranches(c.estBranches, v); }},
    // Where the hairpins as built take their properties.
    {"Properties", "properties", "Mean",
     [](const CaseData& c) -> std::string {
         return c.propertiesPerHairpin ? "Each hairpin" : "Mean";
     },
     [](CaseData& c, std::string_view v) {
         const bool each = equalsIgnoringCase(v, "Each hairpin");
         if (!each && !equalsIgnoringCase(v, "Mean")) return false;
         c.propertiesPerHairpin = each;
         return true;
     }},
    // The fittings: the inner pipe's return bends, each stream's nozzles, and what pressure drop
    // each stream may take.
    {"Bend radius", "bendRadius", "", [](const CaseData& c) { return c.bendRadius; },
     [](CaseData& c, std::string_view v) { return setMeasure(c.bendRadius, v, kMaxFittingSize); }},
    {"Internal nozzle bore", "intNozzle", "", [](const CaseData& c) { return c.intNozzle; },
     [](CaseData& c, std::string_view v) { return setMeasure(c.intNozzle, v, kMaxFittingSize); }},
    {"External nozzle bore", "estNozzle", "", [](const CaseData& c) { return c.estNozzle; },
     [](CaseData& c, std::string_view v) { return setMeasure(c.estNozzle, v, kMaxFittingSize); }},
    {"Internal allowable pressure drop", "intAllowedDp", "",
     [](const CaseData& c) { return c.intAllowedDp; },
     [](CaseData& c, std::string_view v) {
         return setMeasure(c.intAllowedDp, v, kMaxAllowedDrop);
     }},
    {"External allowable pressure drop", "estAllowedDp", "",
     [](const CaseData& c) { return c.estAllowedDp; },
     [](CaseData& c, std::string_view v) {
         return setMeasure(c.estAllowedDp, v, kMaxAllowedDrop);
     }},
    // The capacity from one stream's outlet temperature and both mass flows.
    {"Duty from", "dutyFrom", "None", dutyFromText, setDutyFrom},
}};

// The document texts, stored as settings after those above (each written only when it is not
// empty) and printed at the page's foot. `caption` names the setting, the dialog's box and the
// printed row.
struct DocumentField {
    const char* caption;
    std::string CaseData::*text;
};

inline constexpr std::array<DocumentField, 7> kDocumentFields{{
    {"Project", &CaseData::project},
    {"Item", &CaseData::item},
    {"Service", &CaseData::service},
    {"Revision", &CaseData::revision},
    {"Prepared by", &CaseData::preparedBy},
    {"Checked by", &CaseData::checkedBy},
    {"Notes", &CaseData::notes},
}};

// The field's text is an output of the case's modes, which the calculation writes back.
inline bool isFound(const CaseField& f, const CaseData& c) {
    if (!f.found.mode) return false;
    // The duty from a stream: its mass flow is given beside its outlet, and the capacity found.
    if (c.dutyFrom != DutyFrom::None) {
        if (f.text == &CaseData::q) return true;
        if (f.text == (c.dutyFrom == DutyFrom::Internal ? &CaseData::intPort : &CaseData::estPort))
            return false;
    }
    // Both outlet temperatures are never given: the internal one given forces the external
    // mass flow given.
    const bool mode =
        f.found.mode == &CaseData::estToutGiven && c.intToutGiven ? false : c.*f.found.mode;
    return mode == f.found.foundWhen;
}

// Empties the fields that the case's modes make outputs, so that only what a calculation finds
// stands in them.
void clearFoundFields(CaseData& c);

// A text for one field of the case: what a calculation found for it.
struct FieldText {
    const CaseField* field;
    std::string text;
};
// Sets each field's text in the case.
void applyTexts(CaseData& c, const std::vector<FieldText>& texts);

inline bool takesSign(const CaseField& f) {
    return f.quantity == Quantity::Temperature;
}

// What stands on one line of the case file: a text of the case or a mode choice.
struct CaseLine {
    const CaseField* field = nullptr;
    const CaseMode* mode = nullptr;
};
// The lines in file order up to the hairpin length; the settings follow them.
std::vector<CaseLine> caseFileLayout();

// Sets a field (by its name, "intTin") or a setting (by its code, "hairpins") of the case to
// `value`, as zano-calc --set does; the reason when there is no such name or the setting has
// no such value.
std::optional<std::string> setByName(CaseData& c, std::string_view name, std::string_view value);

// The field edited by a control; nullptr when none is.
const CaseField* caseFieldOf(std::string_view control, bool inOptions = false);
const CaseField* caseFieldOf(std::string CaseData::*text);
// The field of a CaseData member's name ("intTin"); nullptr when none is.
const CaseField* caseFieldNamed(std::string_view name);

}  // namespace zano
