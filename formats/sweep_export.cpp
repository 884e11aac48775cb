#include "formats/sweep_export.h"

#include "base/number_text.h"
#include "formats/result_schema.h"
#include "formats/results_display.h"
#include "formats/results_export.h"

namespace zano {

std::string runMessage(const CaseRun& run) {
    return run.out.detail.empty() ? run.out.message : run.out.message + ": " + run.out.detail;
}

std::string inputHeading(const SweepInput& input, UnitSystem system) {
    const std::string unit(unitText(input.quantity, system));
    return input.caption() + (unit.empty() ? "" : " [" + unit + "]");
}

namespace {

// Each line after the first indented by `blanks`, to nest a document in another.
std::string indented(const std::string& json, std::size_t blanks) {
    std::string out;
    for (char ch : json) out += ch == '\n' ? "\n" + std::string(blanks, ' ') : std::string(1, ch);
    return out;
}

std::string valueText(const SweepInput& input, double si, UnitSystem system) {
    return shortestNumber(sweptShown(input, si, system));
}

}  // namespace

double sweptShown(const SweepInput& input, double si, UnitSystem s) {
    if (s == UnitSystem::SI || !unitRow(input.quantity)) return si;
    const double shown = toShown(input.quantity, si, s);
    const double digits = parseDouble(formatDigits(shown, 12, ',')).value_or(shown);
    return digits == 0 ? 0.0 : digits;
}

std::string sweepCsv(const SweepRange& s, const std::vector<SweepPoint>& points, const Units& u) {
    const std::vector<std::string> headings = caseCsvHeadings(u);
    std::string out = csvField(inputHeading(s.input, u.system));
    for (const std::string& h : headings) out += "," + csvField(h);
    out += ",Message\r\n";
    for (const SweepPoint& p : points) {
        out += valueText(s.input, p.value, u.system) + ",";
        if (p.run.ok()) {
            const std::string row = caseCsv(p.run, {}, false, u);
            out += row.substr(0, row.size() - 2) + ",";  // without its line end
        } else {
            out += std::string(headings.size(), ',') + csvField(runMessage(p.run));
        }
        out += "\r\n";
    }
    return out;
}

std::string sweepJson(const SweepRange& s, const std::vector<SweepPoint>& points, const Units& u) {
    const std::string unit(unitText(s.input.quantity, u.system));
    std::string out = "{\n  \"input\": {\"name\": " + jsonString(s.input.name()) +
                      ", \"caption\": " + jsonString(s.input.caption()) +
                      ", \"unit\": " + jsonString(unit) + "},\n";
    out += "  \"from\": " + valueText(s.input, s.from, u.system) +
           ",\n  \"to\": " + valueText(s.input, s.to, u.system) +
           ",\n  \"steps\": " + std::to_string(s.steps) + ",\n  \"points\": [";
    for (std::size_t i = 0; i < points.size(); ++i) {
        // The case's document with the value as its first member.
        std::string doc = caseJson(points[i].run, {}, u);
        doc.pop_back();  // its line end
        doc = "{\n  \"value\": " + valueText(s.input, points[i].value, u.system) + "," +
              doc.substr(1);
        out += (i ? ",\n    " : "\n    ") + indented(doc, 4);
    }
    return out + (points.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace zano
