#include "cli/case_output.h"

#include <array>
#include <cstdio>

#include "core/results_display.h"

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

std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char ch : s) {
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", ch);
            out += buf;
        } else {
            out += static_cast<char>(ch);
        }
    }
    return out + "\"";
}

// Enough digits to read back the same number: 9 for a single, 17 for a double.
std::string num(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}
std::string num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

std::string resultsJson(const ResultsData& r) {
    std::string o = "{";
    auto add = [&](const char* name, const std::string& value) {
        if (o.size() > 1) o += ",";
        o += jsonString(name) + ":" + value;
    };
    add("q", num(r.q));
    add("a", num(r.a));
    add("L", num(r.L));
    add("U", num(r.U));
    add("controequi", jsonString(r.controequi));
    add("deti", num(r.deti));
    add("spi", num(r.spi));
    add("dete", num(r.dete));
    add("spe", num(r.spe));
    add("mat", jsonString(r.mat));
    add("intfluid", jsonString(r.intfluid));
    add("estfluid", jsonString(r.estfluid));
    add("intpress", num(r.intpress));
    add("estpress", num(r.estpress));
    add("intTin", num(r.intTin));
    add("intTout", num(r.intTout));
    add("estTin", num(r.estTin));
    add("estTout", num(r.estTout));
    add("intPort", num(r.intPort));
    add("estPort", num(r.estPort));
    add("intVel", num(r.intVel));
    add("estVel", num(r.estVel));
    add("intDeltaP", num(r.intDeltaP));
    add("estDeltaP", num(r.estDeltaP));
    add("intSporc", num(r.intSporc));
    add("estSporc", num(r.estSporc));
    add("Rei", num(r.Rei));
    add("Ree", num(r.Ree));
    return o + "}";
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
    auto text = [&](const char* box) {
        for (const auto& b : boxes)
            if (std::string(b.box) == box) return b.text;
        return std::string();
    };
    struct Row {
        const char* caption;
        const char* unit;
        const char* internal;
        const char* external;
    };
    const Row rows[] = {
        {"Outside diameter", "mm", "Text1", "Text2"},
        {"Thickness", "mm", "Text3", "Text4"},
        {"Material", "", "Text5", nullptr},
        {"Fluid", "", "Text7", "Text8"},
        {"Pressure", "bar", "Text9", "Text10"},
        {"Temp in", "°C", "Text11", "Text12"},
        {"Temp out", "°C", "Text13", "Text14"},
        {"Mass flow", "kg/s", "Text15", "Text16"},
        {"Velocity", "m/s", "Text17", "Text18"},
        {"Pressure drop", "kPa", "Text19", "Text20"},
        {"Fouling factor", "(m^2 K)/W", "Text21", "Text22"},
        {"Reynolds number", "", "Text28", "Text6"},
        {"Capacity", "kW", "Text23", nullptr},
        {"Surface", "m^2", "Text24", nullptr},
        {"Lenght", "m", "Text25", nullptr},
        {"Heat transfer coefficient", "W/(m^2 K)", "Text26", nullptr},
        {"Configuration", "", "Text27", nullptr},
    };
    char line[256];
    std::snprintf(line, sizeof line, "  %-27s %-10s %-22s %s\n", "", "", "INTERNAL PIPE",
                  "EXTERNAL PIPE");
    s += line;
    for (const auto& row : rows) {
        // "°C" is two bytes of UTF-8 in one column.
        const int unitWidth = std::string(row.unit) == "°C" ? 11 : 10;
        std::snprintf(line, sizeof line, "  %-27s %-*s %-22s %s\n", row.caption, unitWidth,
                      row.unit, text(row.internal).c_str(),
                      row.external ? text(row.external).c_str() : "");
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
