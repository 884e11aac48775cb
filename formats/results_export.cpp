#include "formats/results_export.h"

#include <cstdio>
#include <string_view>
#include <tuple>
#include <variant>
#include <vector>

#include "base/number_text.h"
#include "base/plain_text.h"
#include "formats/film_display.h"
#include "formats/results_display.h"

namespace zano {

std::string jsonNumber(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

namespace {

// Enough digits to read back the same value: 9 significant for a single, 17 for a double.
std::string digits(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}
std::string digits(double v) {
    return jsonNumber(v);
}

// One exported quantity: its name (the JSON key), its heading as the user reads it in a
// spreadsheet and its value as JSON (a number or a string).
struct Column {
    std::string name, heading, json;
    bool text = false;
};

std::string withUnit(std::string caption, const std::string& unit) {
    return unit.empty() ? caption : caption + " [" + unit + "]";
}

// The caption of the results window's row that shows the field, with the pipe when the row
// has two columns, and the row's unit: "Temp in (internal pipe) [°C]".
std::string heading(const ResultField& f) {
    for (const ResultsRow& row : kResultsRows) {
        const bool internal = row.internal && std::string_view(row.internal) == f.box;
        const bool external = row.external && std::string_view(row.external) == f.box;
        if (!internal && !external) continue;
        std::string caption = row.caption;
        if (row.external) caption += internal ? " (internal pipe)" : " (external pipe)";
        return withUnit(caption, row.unit);
    }
    return f.name;  // every field has its row
}

std::vector<Column> columns(const ResultsData& r, const ResultsExtras& x) {
    std::vector<Column> c;
    for (const ResultField& f : kResultFields)
        std::visit(
            [&](auto member) {
                const auto& v = r.*member;
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<V, Arrangement>)
                    c.push_back({f.name, heading(f), arrangementWord(v), true});
                else if constexpr (std::is_same_v<V, std::string>)
                    c.push_back({f.name, heading(f), v, true});
                else
                    c.push_back({f.name, heading(f), digits(v)});
            },
            f.member);
    for (const ExtraRow& row : kExtraRows)
        if (const auto v = row.value(x))
            c.push_back({row.name, withUnit(row.copyCaption, row.unit), digits(*v)});
    if (x.correlations) {
        const std::string set = correlationSetName(*x.correlations);
        c.push_back({"correlations", "Correlation set", set, true});
    }
    if (x.films) {
        const FilmBreakdown& f = *x.films;
        for (const auto& [side, s, pipe] : {std::tuple{"int", &f.internal, " (internal pipe)"},
                                            std::tuple{"est", &f.external, " (external pipe)"}}) {
            const std::string key = side;
            c.push_back({key + "Regime", std::string("Flow regime") + pipe, s->regime, true});
            c.push_back(
                {key + "FilmRe", std::string("Film Reynolds number") + pipe, digits(s->re)});
            c.push_back({key + "Pr", std::string("Prandtl number") + pipe, digits(s->pr)});
            c.push_back({key + "Nu", std::string("Nusselt number") + pipe, digits(s->nu)});
            c.push_back({key + "FilmCoefficient",
                         withUnit(std::string("Film coefficient") + pipe, "W/(m^2 K)"),
                         digits(s->h)});
        }
        c.push_back(
            {"wallTemperature", withUnit("Wall temperature", "°C"), digits(f.wallTemperature)});
        const std::tuple<const char*, const char*, double> resistances[] = {
            {"internalFilm", "Film resistance (internal pipe)", f.internalFilm},
            {"internalFouling", "Fouling resistance (internal pipe)", f.internalFouling},
            {"wall", "Wall resistance", f.wall},
            {"externalFouling", "Fouling resistance (external pipe)", f.externalFouling},
            {"externalFilm", "Film resistance (external pipe)", f.externalFilm}};
        for (const auto& [name, heading, r] : resistances)
            c.push_back(
                {std::string(name) + "Resistance", withUnit(heading, "(m^2 K)/W"), digits(r)});
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
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t start = i;
        const auto c = nextUtf8(s, i);
        if (!c) {
            // JSON is UTF-8: a byte of a data file or a path that is not stands as U+FFFD.
            out += "\xEF\xBF\xBD";
            ++i;
        } else if (*c == '"' || *c == '\\') {
            out += '\\';
            out += static_cast<char>(*c);
        } else if (*c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(*c));
            out += buf;
        } else {
            out.append(s, start, i - start);
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
        header += csvField(c.heading);
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
    const auto extraBoxes = extraTexts(extras);
    for (std::size_t i = 0; i < kExtraRows.size(); ++i)
        if (!extraBoxes[i].text.empty())
            out += std::string(kExtraRows[i].copyCaption) + "\t" + kExtraRows[i].unit + "\t" +
                   extraBoxes[i].text + "\t\n";
    if (extras.correlations)
        out +=
            std::string("Correlation set\t\t") + correlationSetName(*extras.correlations) + "\t\n";
    if (extras.films)
        for (const FilmRow& row : filmRows(*extras.films))
            out += std::string(row.caption) + "\t" + row.unit + "\t" + row.internal + "\t" +
                   row.external + "\n";
    if (extras.otherSet) {
        out += otherSetLine(*extras.otherSet) + "\n";
        if (const std::string differ = setsDifferLine(*extras.otherSet); !differ.empty())
            out += differ + "\n";
    }
    return out;
}

}  // namespace zano
