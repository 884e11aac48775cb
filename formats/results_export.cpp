#include "formats/results_export.h"

#include <cstdio>
#include <vector>

#include "base/number_text.h"
#include "formats/results_display.h"

namespace zano {
namespace {

std::string digits(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}
std::string digits(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// One exported quantity: its name, its unit and its value as JSON (a number or a string).
struct Column {
    std::string name, unit, json;
    bool text = false;
};

std::vector<Column> columns(const ResultsData& r, const ResultsExtras& x) {
    auto num = [](const char* n, const char* u, auto v) { return Column{n, u, digits(v)}; };
    auto txt = [](const char* n, const std::string& v) { return Column{n, "", v, true}; };
    std::vector<Column> c = {
        num("q", "kW", r.q),
        num("a", "m^2", r.a),
        num("L", "m", r.L),
        num("U", "W/(m^2 K)", r.U),
        txt("controequi", r.controequi),
        num("deti", "mm", r.deti),
        num("spi", "mm", r.spi),
        num("dete", "mm", r.dete),
        num("spe", "mm", r.spe),
        txt("mat", r.mat),
        txt("intfluid", r.intfluid),
        txt("estfluid", r.estfluid),
        num("intpress", "bar", r.intpress),
        num("estpress", "bar", r.estpress),
        num("intTin", "degC", r.intTin),
        num("intTout", "degC", r.intTout),
        num("estTin", "degC", r.estTin),
        num("estTout", "degC", r.estTout),
        num("intPort", "kg/s", r.intPort),
        num("estPort", "kg/s", r.estPort),
        num("intVel", "m/s", r.intVel),
        num("estVel", "m/s", r.estVel),
        num("intDeltaP", "kPa", r.intDeltaP),
        num("estDeltaP", "kPa", r.estDeltaP),
        num("intSporc", "(m^2 K)/W", r.intSporc),
        num("estSporc", "(m^2 K)/W", r.estSporc),
        num("Rei", "", r.Rei),
        num("Ree", "", r.Ree),
    };
    if (x.margins) {
        c.push_back(num("Uclean", "W/(m^2 K)", x.margins->Uclean));
        c.push_back(num("foulingAllowance", "%", x.margins->foulingAllowance));
    }
    if (x.hairpins) {
        c.push_back(Column{"hairpins", "", std::to_string(x.hairpins->count)});
        c.push_back(num("hairpinLength", "m", x.hairpins->providedLength));
    }
    return c;
}

std::string csvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char ch : s) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return out + "\"";
}

}  // namespace

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

std::string resultsJson(const ResultsData& r, const ResultsExtras& extras) {
    std::string o = "{";
    for (const Column& c : columns(r, extras)) {
        if (o.size() > 1) o += ",";
        o += jsonString(c.name) + ":" + (c.text ? jsonString(c.json) : c.json);
    }
    return o + "}";
}

std::string resultsCsv(const ResultsData& r, const ResultsExtras& extras) {
    std::string header, values;
    for (const Column& c : columns(r, extras)) {
        if (!header.empty()) header += ",", values += ",";
        header += csvField(c.unit.empty() ? c.name : c.name + " [" + c.unit + "]");
        values += csvField(c.json);
    }
    return header + "\r\n" + values + "\r\n";
}

std::string resultsTabText(const ResultsData& r, const ResultsExtras& extras) {
    const auto boxes = displayTexts(r);
    std::string out = "\t\tINTERNAL PIPE\tEXTERNAL PIPE\n";
    for (const ResultsRow& row : kResultsRows)
        out += std::string(row.caption) + "\t" + row.unit + "\t" + boxText(boxes, row.internal) +
               "\t" + boxText(boxes, row.external) + "\n";
    if (extras.margins) {
        out += "Clean coefficient\tW/(m^2 K)\t" + formatDouble(roundTo(extras.margins->Uclean, 0)) +
               "\t\n";
        out += "Fouling allowance\t%\t" +
               formatDouble(roundTo(extras.margins->foulingAllowance, 1)) + "\t\n";
    }
    if (extras.hairpins) {
        out += "Hairpins\t\t" + std::to_string(extras.hairpins->count) + "\t\n";
        out += "Hairpin length provided\tm\t" +
               formatDouble(roundTo(extras.hairpins->providedLength, 3)) + "\t\n";
    }
    return out;
}

}  // namespace zano
