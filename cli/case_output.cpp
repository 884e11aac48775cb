#include "cli/case_output.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "base/number_text.h"
#include "formats/construction_display.h"
#include "formats/film_display.h"
#include "formats/hand_check_display.h"
#include "formats/results_display.h"
#include "formats/results_export.h"
#include "records/case_fields.h"

namespace zano::cli {
namespace {

// The fields the run wrote back, as a user reads them: the sought mass flow, the sought outlet
// temperatures, then the length (found, or given by the hairpins set) or the capacity.
Fields outputFields(const CaseRun& run, const Units& u) {
    const auto wrote = [&](const CaseField& f) {
        for (const FieldText& w : run.out.written)
            if (w.field == &f) return true;
        return false;
    };
    Fields out;
    for (Quantity q :
         {Quantity::MassFlow, Quantity::Temperature, Quantity::Length, Quantity::Capacity})
        for (const CaseField& f : kCaseFields)
            if (f.quantity == q && !f.inOptions && (isFound(f, run.solved) || wrote(f)) &&
                !(run.solved.*f.text).empty())
                out.emplace_back(f.name, shownText(q, run.solved.*f.text, u));
    return out;
}

// The unit column's width: the SI units' ten, the longer US ones' sixteen ("Btu/(h ft^2 °F)").
int unitWidth(const char* unit, const Units& u) {
    int width = u.system == UnitSystem::US ? 16 : 10;
    // A character of more than one byte of UTF-8 ("°") takes one column.
    for (const char* c = unit; *c; ++c) width += (static_cast<unsigned char>(*c) & 0xC0) == 0x80;
    return width;
}

// A row of the two pipes' columns.
std::string row(const char* caption, const char* unit, const std::string& internal,
                const std::string& external, const Units& u) {
    char line[256];
    std::snprintf(line, sizeof line, "  %-27s %-*s %-22s %s\n", caption, unitWidth(unit, u), unit,
                  internal.c_str(), external.c_str());
    return line;
}

// A row of one figure, for the exchanger as a whole.
std::string row(const char* caption, const char* unit, const std::string& value, const Units& u) {
    char line[256];
    // As the SI text has always written it: "°C" in ten bytes here.
    const int width = u.system == UnitSystem::US ? unitWidth(unit, u) : 10;
    std::snprintf(line, sizeof line, "  %-27s %-*s %s\n", caption, width, unit, value.c_str());
    return line;
}

const char* unit(Quantity q, const char* si, const Units& u) {
    return shownUnit(q, si, u.system);
}

// The hairpins as built, as the results window's fold shows them: the rows with a figure.
std::string constructionText(const Hairpins& h, const Units& u) {
    std::string s;
    for (const ConstructionRow& r : zano::constructionRows(h, u))
        if (!r.internal.empty() || !r.external.empty())
            s += r.eachStream ? row(r.caption, r.unit, r.internal, r.external, u)
                              : row(r.caption, r.unit, r.internal, u);
    return s;
}

// The figures of a hand check, as the results window's fold shows them.
std::string handCheckText(const HandCheck& h, const Units& u) {
    std::string s;
    for (const HandCheckRow& r : handCheckRows(h, u))
        s += r.eachStream ? row(r.caption, r.unit, r.internal, r.external, u)
                          : row(r.caption, r.unit, r.internal, u);
    return s;
}

// The profile's table, as it has always been written in the case's units: with a decimal
// point; in other units with their separator.
std::string profileRows(const TemperatureProfile& profile, const Units& u) {
    const auto unit = [&u](Quantity q, const char* si) { return shownUnit(q, si, u.system); };
    const std::string x = std::string("x [") + unit(Quantity::Length, "m") + "]",
                      in = std::string("int [") + unit(Quantity::Temperature, "°C") + "]",
                      est = std::string("est [") + unit(Quantity::Temperature, "°C") + "]";
    char line[256];
    std::snprintf(line, sizeof line, "  Temperature profile (scale %s)\n  %10s %12s %12s\n",
                  formatDouble(roundTo(profile.scale, 5), u.decimal).c_str(), x.c_str(), in.c_str(),
                  est.c_str());
    std::string s = line;
    for (const auto& p : profile.points) {
        std::snprintf(line, sizeof line, "  %10.4f %12.4f %12.4f\n",
                      toShown(Quantity::Length, p.x, u.system),
                      toShown(Quantity::Temperature, p.intT, u.system),
                      toShown(Quantity::Temperature, p.estT, u.system));
        std::string text = line;
        if (!u.asCase()) std::replace(text.begin(), text.end(), '.', u.decimal);
        s += text;
    }
    return s;
}

// The results window's rows, then the design margins a line each and the hairpins with the
// length they provide.
std::string resultRows(const CaseRun& run, const Units& u) {
    const auto boxes = displayTexts(*run.out.results, u);
    std::string s = row("", "", "INTERNAL PIPE", "EXTERNAL PIPE", u);
    for (const auto& r : kResultsRows)
        s += row(r.caption, shownUnit(r.quantity, r.unit, u.system), boxText(boxes, r.internal),
                 boxText(boxes, r.external), u);
    const auto extras = extraTexts({run.out.margins, run.hairpins}, u);
    for (std::size_t i = 0; i < kExtraRows.size(); ++i) {
        const ExtraRow& r = kExtraRows[i];
        if (extras[i].text.empty() || r.box == std::string_view("LengthProvided")) continue;
        std::string text = extras[i].text;
        if (r.box == std::string_view("Hairpins"))
            text += " (" + extras[i + 1].text + " " + unit(Quantity::Length, "m", u) + ")";
        s += row(r.caption, shownUnit(r.quantity, r.unit, u.system), text, u);
    }
    return s;
}

}  // namespace

std::string textReport(const std::string& name, const CaseRun& run, const ExportParts& parts,
                       const Units& u) {
    std::string s = name + "\n";
    if (u.system != UnitSystem::SI)
        s += "  units: " + std::string(systemName(u.system)) + " (NIST SP 811)\n";
    if (const Fields written = outputFields(run, u); !written.empty()) {
        s += "  written back:";
        for (const auto& [field, text] : written) s += "  " + std::string(field) + " = " + text;
        s += "\n";
    }
    if (!run.ok()) return s;  // the message goes to stderr
    s += resultRows(run, u);
    if (run.hairpins && run.hairpins->ratedCapacity) s += constructionText(*run.hairpins, u);
    if (run.handCheck) s += handCheckText(*run.handCheck, u);
    if (parts.films && run.out.films)
        for (const FilmRow& r : filmRows(*run.out.films, u))
            s += row(r.caption, r.unit, r.internal, r.external, u);
    if (parts.otherSet && run.otherSet) {
        s += "  " + otherSetLine(*run.otherSet, u) + "\n";
        if (const std::string differ = setsDifferLine(*run.otherSet); !differ.empty())
            s += "  " + differ + "\n";
    }
    if (parts.profile && run.profile) s += profileRows(*run.profile, u);
    return s;
}

}  // namespace zano::cli
