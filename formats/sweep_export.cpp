#include "formats/sweep_export.h"

#include "formats/result_schema.h"
#include "formats/results_export.h"

namespace zano {

std::string runMessage(const CaseRun& run) {
    return run.out.detail.empty() ? run.out.message : run.out.message + ": " + run.out.detail;
}

namespace {

std::string inputHeading(const SweepInput& input) {
    const std::string unit = input.unit();
    return input.caption() + (unit.empty() ? "" : " [" + unit + "]");
}

// Each line after the first indented by `blanks`, to nest a document in another.
std::string indented(const std::string& json, std::size_t blanks) {
    std::string out;
    for (char ch : json) out += ch == '\n' ? "\n" + std::string(blanks, ' ') : std::string(1, ch);
    return out;
}

}  // namespace

std::string sweepCsv(const SweepRange& s, const std::vector<SweepPoint>& points) {
    const std::vector<std::string> headings = caseCsvHeadings();
    std::string out = csvField(inputHeading(s.input));
    for (const std::string& h : headings) out += "," + csvField(h);
    out += ",Message\r\n";
    for (const SweepPoint& p : points) {
        out += shortestNumber(p.value) + ",";
        if (p.run.ok()) {
            const std::string row = caseCsv(p.run, {}, false);
            out += row.substr(0, row.size() - 2) + ",";  // without its line end
        } else {
            out += std::string(headings.size(), ',') + csvField(runMessage(p.run));
        }
        out += "\r\n";
    }
    return out;
}

std::string sweepJson(const SweepRange& s, const std::vector<SweepPoint>& points) {
    std::string out = "{\n  \"input\": {\"name\": " + jsonString(s.input.name()) +
                      ", \"caption\": " + jsonString(s.input.caption()) +
                      ", \"unit\": " + jsonString(s.input.unit()) + "},\n";
    out += "  \"from\": " + shortestNumber(s.from) + ",\n  \"to\": " + shortestNumber(s.to) +
           ",\n  \"steps\": " + std::to_string(s.steps) + ",\n  \"points\": [";
    for (std::size_t i = 0; i < points.size(); ++i) {
        // The case's document with the value as its first member.
        std::string doc = caseJson(points[i].run, {});
        doc.pop_back();  // its line end
        doc = "{\n  \"value\": " + shortestNumber(points[i].value) + "," + doc.substr(1);
        out += (i ? ",\n    " : "\n    ") + indented(doc, 4);
    }
    return out + (points.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace zano
