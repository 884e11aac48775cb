#include "formats/results_export.h"

#include <cstdio>
#include <string_view>
#include <tuple>
#include <variant>
#include <vector>

#include "base/number_text.h"
#include "base/plain_text.h"
#include "formats/construction_display.h"
#include "formats/film_display.h"
#include "formats/hand_check_display.h"
#include "formats/results_display.h"

namespace zano {

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

namespace {

// The fold "Construction as built" as the window shows it: its heading, then the rows that have
// figures, an exchanger's figure in the internal column.
std::string constructionTabText(const Hairpins& h, const Units& u) {
    std::string out = "Construction as built\t\t\t\n";
    for (const ConstructionRow& row : constructionRows(h, u))
        if (!row.internal.empty() || !row.external.empty())
            out += std::string(row.caption) + "\t" + row.unit + "\t" + row.internal + "\t" +
                   row.external + "\n";
    return out;
}

// The fold "Hand check" as the window shows it.
std::string handCheckTabText(const HandCheck& h, const Units& u) {
    std::string out = "Hand check\t\t\t\n";
    for (const HandCheckRow& row : handCheckRows(h, u))
        out += std::string(row.caption) + "\t" + row.unit + "\t" + row.internal + "\t" +
               row.external + "\n";
    return out;
}

}  // namespace

std::string resultsTabText(const ResultsData& r, const ResultsExtras& extras, const Units& u) {
    const auto boxes = displayTexts(r, u);
    std::string out = "\t\tINTERNAL PIPE\tEXTERNAL PIPE\n";
    for (const ResultsRow& row : kResultsRows)
        out += std::string(row.caption) + "\t" + shownUnit(row.quantity, row.unit, u.system) +
               "\t" + boxText(boxes, row.internal) + "\t" + boxText(boxes, row.external) + "\n";
    const auto extraBoxes = extraTexts(extras, u);
    for (std::size_t i = 0; i < kExtraRows.size(); ++i)
        if (!extraBoxes[i].text.empty())
            out += std::string(kExtraRows[i].copyCaption) + "\t" +
                   shownUnit(kExtraRows[i].quantity, kExtraRows[i].unit, u.system) + "\t" +
                   extraBoxes[i].text + "\t\n";
    if (extras.hairpins && hasConstructionFigures(*extras.hairpins))
        out += constructionTabText(*extras.hairpins, u);
    if (extras.handCheck) out += handCheckTabText(*extras.handCheck, u);
    if (extras.correlations)
        out +=
            std::string("Correlation set\t\t") + correlationSetName(*extras.correlations) + "\t\n";
    if (extras.films)
        for (const FilmRow& row : filmRows(*extras.films, u))
            out += std::string(row.caption) + "\t" + row.unit + "\t" + row.internal + "\t" +
                   row.external + "\n";
    if (extras.otherSet) {
        out += otherSetLine(*extras.otherSet, u) + "\n";
        if (const std::string differ = setsDifferLine(*extras.otherSet); !differ.empty())
            out += differ + "\n";
    }
    return out;
}

}  // namespace zano
