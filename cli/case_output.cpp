#include "cli/case_output.h"

#include <array>
#include <cstdio>

#include "core/results_display.h"
#include "core/results_export.h"

namespace zano::cli {
namespace {

// The output fields of the case's modes: the two sought stream quantities, then the capacity
// or the length.
struct Output {
    const char* name;
    std::string CaseData::*field;
};
std::array<Output, 3> outputsOf(const CaseData& c) {
    const Output last = c.LGiven ? Output{"q", &CaseData::q} : Output{"L", &CaseData::L};
    if (c.intToutGiven)
        return {{{"intPort", &CaseData::intPort}, {"estTout", &CaseData::estTout}, last}};
    if (c.estToutGiven)
        return {{{"estPort", &CaseData::estPort}, {"intTout", &CaseData::intTout}, last}};
    return {{{"intTout", &CaseData::intTout}, {"estTout", &CaseData::estTout}, last}};
}

}  // namespace

Fields outputFields(const CaseData& c) {
    Fields f;
    for (const auto& o : outputsOf(c))
        if (!(c.*o.field).empty()) f.emplace_back(o.name, c.*o.field);
    return f;
}

void clearOutputFields(CaseData& c) {
    for (const auto& o : outputsOf(c)) (c.*o.field).clear();
}

std::string textReport(const std::string& name, const Fields& written, const CalcOutcome& out) {
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
    for (const auto& row : kResultsRows) {
        // "°C" is two bytes of UTF-8 in one column.
        const int unitWidth = std::string(row.unit) == "°C" ? 11 : 10;
        std::snprintf(line, sizeof line, "  %-27s %-*s %-22s %s\n", row.caption, unitWidth,
                      row.unit, boxText(boxes, row.internal).c_str(),
                      boxText(boxes, row.external).c_str());
        s += line;
    }
    return s;
}

std::string jsonReport(const Fields& written, const CalcOutcome& out) {
    std::string o = "{\"ok\":";
    o += out.ok() ? "true" : "false";
    o += ",\"message\":" + (out.ok() ? std::string("null") : jsonString(out.message));
    o += ",\"detail\":" + (out.detail.empty() ? std::string("null") : jsonString(out.detail));
    o += ",\"case\":{";
    for (std::size_t i = 0; i < written.size(); ++i)
        o += (i ? "," : "") + jsonString(written[i].first) + ":" + jsonString(written[i].second);
    o += "}";
    if (out.ok()) {
        o += ",\"results\":" + resultsJson(*out.results) + ",\"display\":{";
        bool first = true;
        for (const auto& b : displayTexts(*out.results)) {
            o += (first ? "" : ",") + jsonString(b.box) + ":" + jsonString(b.text);
            first = false;
        }
        o += "}";
    }
    return o + "}";
}

}  // namespace zano::cli
