#include "cli/case_output.h"

#include <cstdio>
#include <string_view>

#include "base/number_text.h"
#include "formats/film_display.h"
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

}  // namespace

std::string textReport(const std::string& name, const CaseRun& run, const ExportParts& parts) {
    const Fields written = outputFields(run);
    const CalcOutcome& out = run.out;
    const OtherSetFigures* other = parts.otherSet && run.otherSet ? &*run.otherSet : nullptr;
    const TemperatureProfile* profile = parts.profile && run.profile ? &*run.profile : nullptr;
    std::string s = name + "\n";
    if (!written.empty()) {
        s += "  written back:";
        for (const auto& [field, text] : written) s += "  " + std::string(field) + " = " + text;
        s += "\n";
    }
    if (!out.ok()) return s;  // the message goes to stderr

    const auto boxes = displayTexts(*out.results);
    char line[256];
    std::snprintf(line, sizeof line, "  %-27s %-10s %-22s %s\n", "", "", "INTERNAL PIPE",
                  "EXTERNAL PIPE");
    s += line;
    // A row of the two pipes' columns.
    const auto addRow = [&](const char* caption, const char* unit, const std::string& internal,
                            const std::string& external) {
        // "°C" is two bytes of UTF-8 in one column.
        const int unitWidth = std::string(unit) == "°C" ? 11 : 10;
        std::snprintf(line, sizeof line, "  %-27s %-*s %-22s %s\n", caption, unitWidth, unit,
                      internal.c_str(), external.c_str());
        s += line;
    };
    for (const auto& row : kResultsRows)
        addRow(row.caption, row.unit, boxText(boxes, row.internal), boxText(boxes, row.external));
    // The design margins a line each; the hairpins with the length they provide.
    const auto extras = extraTexts({out.margins, run.hairpins});
    for (std::size_t i = 0; i < kExtraRows.size(); ++i) {
        const ExtraRow& row = kExtraRows[i];
        if (extras[i].text.empty() || row.box == std::string_view("LengthProvided")) continue;
        std::string text = extras[i].text;
        if (row.box == std::string_view("Hairpins")) text += " (" + extras[i + 1].text + " m)";
        std::snprintf(line, sizeof line, "  %-27s %-10s %s\n", row.caption, row.unit, text.c_str());
        s += line;
    }
    // The hairpins as built, rated.
    if (const auto& h = run.hairpins; h && h->ratedCapacity) {
        const std::string over = h->overSurface ? formatDouble(roundTo(*h->overSurface, 1)) : "";
        std::snprintf(line, sizeof line, "  %-27s %-10s %s\n  %-27s %-10s %s\n", "Over-surface",
                      "%", over.c_str(), "Rated capacity", "kW",
                      formatSingle(*h->ratedCapacity).c_str());
        s += line;
    }
    // Each stream's pressure drop as built, by its parts, beside what it may take.
    if (const auto& h = run.hairpins; h && h->intDrop && h->estDrop) {
        const auto each = [&](const char* caption, const char* unit, auto part) {
            addRow(caption, unit, part(*h->intDrop), part(*h->estDrop));
        };
        const auto figure = [](double BuiltDrop::*part) {
            return [part](const BuiltDrop& d) { return formatDouble(roundTo(d.*part, 3)); };
        };
        each("Straight pipe", "kPa", figure(&BuiltDrop::straight));
        each("Returns", "kPa", figure(&BuiltDrop::returns));
        each("Nozzles", "kPa", figure(&BuiltDrop::nozzles));
        each("Pressure drop as built", "kPa", figure(&BuiltDrop::total));
        each("Allowable pressure drop", "kPa", [](const BuiltDrop& d) {
            return d.allowable ? formatDouble(*d.allowable) : std::string();
        });
        each("Nozzle velocity", "m/s", figure(&BuiltDrop::nozzleVelocity));
    }
    // In branches: each stream's branches and outlet as built, and the mean difference's F.
    if (const auto& h = run.hairpins; h && h->F) {
        addRow("Branches", "", std::to_string(h->intBranches), std::to_string(h->estBranches));
        addRow("Temp out as built", "°C", formatDouble(roundTo(*h->intToutBuilt, 3)),
               formatDouble(roundTo(*h->estToutBuilt, 3)));
        std::snprintf(line, sizeof line, "  %-27s %-10s %s\n  %-27s %-10s %s\n",
                      "Mean temperature difference", "K",
                      formatDouble(roundTo(*h->meanDifference, 3)).c_str(), "F", "",
                      formatDouble(roundTo(*h->F, 4)).c_str());
        s += line;
    }
    if (parts.films && out.films)
        for (const FilmRow& row : filmRows(*out.films))
            addRow(row.caption, row.unit, row.internal, row.external);
    if (other) {
        s += "  " + otherSetLine(*other) + "\n";
        if (const std::string differ = setsDifferLine(*other); !differ.empty())
            s += "  " + differ + "\n";
    }
    if (profile) {
        std::snprintf(line, sizeof line, "  Temperature profile (scale %s)\n  %10s %12s %12s\n",
                      formatDouble(roundTo(profile->scale, 5)).c_str(), "x [m]", "int [°C]",
                      "est [°C]");
        s += line;
        for (const auto& p : profile->points) {
            std::snprintf(line, sizeof line, "  %10.4f %12.4f %12.4f\n", p.x, p.intT, p.estT);
            s += line;
        }
    }
    return s;
}

}  // namespace zano::cli
