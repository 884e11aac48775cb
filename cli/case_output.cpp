#include "cli/case_output.h"

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
Fields outputFields(const CaseRun& run) {
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
                out.emplace_back(f.name, run.solved.*f.text);
    return out;
}

// A row of the two pipes' columns.
std::string row(const char* caption, const char* unit, const std::string& internal,
                const std::string& external) {
    char line[256];
    // "°C" is two bytes of UTF-8 in one column.
    const int unitWidth = std::string(unit) == "°C" ? 11 : 10;
    std::snprintf(line, sizeof line, "  %-27s %-*s %-22s %s\n", caption, unitWidth, unit,
                  internal.c_str(), external.c_str());
    return line;
}

// A row of one figure, for the exchanger as a whole.
std::string row(const char* caption, const char* unit, const std::string& value) {
    char line[256];
    std::snprintf(line, sizeof line, "  %-27s %-10s %s\n", caption, unit, value.c_str());
    return line;
}

std::string decimals(double v, int n) {
    return formatDouble(roundTo(v, n));
}

// The hairpins as built, as the results window's fold shows them: the rows with a figure.
std::string constructionText(const Hairpins& h) {
    std::string s;
    for (const ConstructionRow& r : zano::constructionRows(h))
        if (!r.internal.empty() || !r.external.empty())
            s += r.eachStream ? row(r.caption, r.unit, r.internal, r.external)
                              : row(r.caption, r.unit, r.internal);
    return s;
}

// The figures of a hand check, as the results window's fold shows them.
std::string handCheckText(const HandCheck& h) {
    std::string s;
    for (const HandCheckRow& r : handCheckRows(h))
        s += r.eachStream ? row(r.caption, r.unit, r.internal, r.external)
                          : row(r.caption, r.unit, r.internal);
    return s;
}

std::string profileRows(const TemperatureProfile& profile) {
    char line[256];
    std::snprintf(line, sizeof line, "  Temperature profile (scale %s)\n  %10s %12s %12s\n",
                  decimals(profile.scale, 5).c_str(), "x [m]", "int [°C]", "est [°C]");
    std::string s = line;
    for (const auto& p : profile.points) {
        std::snprintf(line, sizeof line, "  %10.4f %12.4f %12.4f\n", p.x, p.intT, p.estT);
        s += line;
    }
    return s;
}

// The results window's rows, then the design margins a line each and the hairpins with the
// length they provide.
std::string resultRows(const CaseRun& run) {
    const auto boxes = displayTexts(*run.out.results);
    std::string s = row("", "", "INTERNAL PIPE", "EXTERNAL PIPE");
    for (const auto& r : kResultsRows)
        s += row(r.caption, r.unit, boxText(boxes, r.internal), boxText(boxes, r.external));
    const auto extras = extraTexts({run.out.margins, run.hairpins});
    for (std::size_t i = 0; i < kExtraRows.size(); ++i) {
        const ExtraRow& r = kExtraRows[i];
        if (extras[i].text.empty() || r.box == std::string_view("LengthProvided")) continue;
        std::string text = extras[i].text;
        if (r.box == std::string_view("Hairpins")) text += " (" + extras[i + 1].text + " m)";
        s += row(r.caption, r.unit, text);
    }
    return s;
}

}  // namespace

std::string textReport(const std::string& name, const CaseRun& run, const ExportParts& parts) {
    std::string s = name + "\n";
    if (const Fields written = outputFields(run); !written.empty()) {
        s += "  written back:";
        for (const auto& [field, text] : written) s += "  " + std::string(field) + " = " + text;
        s += "\n";
    }
    if (!run.ok()) return s;  // the message goes to stderr
    s += resultRows(run);
    if (run.hairpins && run.hairpins->ratedCapacity) s += constructionText(*run.hairpins);
    if (run.handCheck) s += handCheckText(*run.handCheck);
    if (parts.films && run.out.films)
        for (const FilmRow& r : filmRows(*run.out.films))
            s += row(r.caption, r.unit, r.internal, r.external);
    if (parts.otherSet && run.otherSet) {
        s += "  " + otherSetLine(*run.otherSet) + "\n";
        if (const std::string differ = setsDifferLine(*run.otherSet); !differ.empty())
            s += "  " + differ + "\n";
    }
    if (parts.profile && run.profile) s += profileRows(*run.profile);
    return s;
}

}  // namespace zano::cli
