// The manual's table of rules is the declarations' own: the test writes each declaration as the
// manual's row and finds the manual's block the same, row for row. With ZANO_UPDATE_GOLDEN=1 it
// rewrites the block from the declarations.
#include "correlations/correlation_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace zano {
namespace {

const std::string kBegin =
    "<!-- The rules' table, written from correlations/correlation_rules.cpp -->\n";
const std::string kEnd = "<!-- End of the rules' table -->\n";

std::string html(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// "Pr 0.48 to 16700", "L/D &ge; 10", "Re &lt; 2300"; nothing for an open range.
std::string range(const char* group, const GroupRange& r, bool strictTop = false) {
    if (!r.bounded()) return {};
    const std::string g = std::string(group) + " ";
    if (std::isinf(r.low)) return g + (strictTop ? "&lt; " : "&le; ") + number(r.high) + "; ";
    if (std::isinf(r.high)) return g + "&ge; " + number(r.low) + "; ";
    return g + number(r.low) + " to " + number(r.high) + "; ";
}

std::string ground(const RuleDeclaration& d) {
    std::string text = range("Re", d.re, true) + range("Pr", d.pr) + range("L/D", d.lOverD);
    text += d.diameterRatio.roundTubeOnly() ? "round tubes; " : range("a", d.diameterRatio);
    text += range("&mu;/&mu;<sub>w</sub>", d.viscosityRatio);
    if (d.fluids != Fluids::Any) text += d.fluids == Fluids::Liquids ? "liquids; " : "gases; ";
    if (*d.remark) text += html(d.remark) + "; ";
    return text.empty() ? "any" : text.substr(0, text.size() - 2);
}

std::string table() {
    std::string t =
        kBegin +
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n"
        "<tr><th align=\"left\">Rule</th><th align=\"left\">Equation</th>"
        "<th align=\"left\">Ground it holds on</th><th align=\"left\">Source</th></tr>\n";
    for (const RuleDeclaration& d : correlationRules())
        t += "<tr><td>" + html(d.name) + "</td><td><tt>" + html(d.equation) + "</tt></td><td>" +
             ground(d) + "</td><td>" + html(d.source) + "</td></tr>\n";
    return t + "</table>\n" + kEnd;
}

TEST(CorrelationRules, TheManualCarriesTheDeclarations) {
    const std::string path = std::string(ZANO_SOURCE_DIR) + "/docs/manual.html";
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string manual = bytes.str();
    const auto begin = manual.find(kBegin), end = manual.find(kEnd);
    ASSERT_NE(begin, std::string::npos) << "the manual has no table of rules";
    ASSERT_NE(end, std::string::npos);
    const std::string block = manual.substr(begin, end + kEnd.size() - begin);
    if (const char* update = std::getenv("ZANO_UPDATE_GOLDEN"); update && *update == '1') {
        manual.replace(begin, block.size(), table());
        std::ofstream(path, std::ios::binary) << manual;
        return;
    }
    EXPECT_EQ(block, table());
}

}  // namespace
}  // namespace zano
