// Number texts against tests/base/golden/number_texts.txt: each line an operation on a text or
// value in brackets, then what it gives (make golden rewrites the answers).
#include "base/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "golden_text.h"

namespace zano {
namespace {

template <typename T>
std::string shown(const std::optional<T>& v) {
    if (!v) return "none";
    char text[40];
    std::snprintf(text, sizeof text, sizeof(T) == 4 ? "%.9g" : "%.17g", static_cast<double>(*v));
    return text;
}

// "parse [1,5]" -> the answer of that operation; rounding takes the decimals after the value.
std::string answer(const std::string& op, const std::string& arg) {
    const double value = std::strtod(arg.c_str(), nullptr);
    const int decimals = std::atoi(arg.substr(arg.rfind(' ') + 1).c_str());
    if (op == "parse") return shown(parseDouble(arg));
    if (op == "single") return shown(parseSingle(arg));
    if (op == "format-single") return formatSingle(static_cast<float>(value));
    if (op == "format-double") return formatDouble(value);
    if (op == "round-double") return formatDouble(roundTo(value, decimals));
    if (op == "round-single")
        return formatSingle(roundTo(std::strtof(arg.c_str(), nullptr), decimals));
    return "unknown operation";
}

TEST(NumberText, ReadsWritesAndRoundsAsTheGoldenTableSays) {
    const std::string file = "base/golden/number_texts.txt";
    EXPECT_EQ(golden_text::mismatch(file, golden_text::table(file, answer)), "");
}

TEST(NumberText, RoundTripsThroughTextWhateverTheProcessLocale) {
    // A decimal-comma locale must not change how texts are read or written.
    const bool localeSet =
        std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "it_IT.UTF-8");
    // Seven digits hold any single typed with at most seven: it comes back unchanged.
    for (float v : {0.1f, 12345.68f, 1.5e-5f, 3.4e38f, -7.25f, 999.9999f, 0.3333333f})
        EXPECT_EQ(parseSingle(formatSingle(v)), v) << formatSingle(v);
    for (double v : {0.1, 1.0 / 7.0, 1e-300, 123456789.125, -0.000123})
        EXPECT_NEAR(*parseDouble(formatDouble(v)), v, std::fabs(v) * 1e-14) << formatDouble(v);
    EXPECT_EQ(formatSingle(1.5f, '.'), "1.5");
    EXPECT_EQ(formatDouble(-0.25, '.'), "-0.25");
    EXPECT_EQ(parseDouble("1.5"), 1.5);
    std::setlocale(LC_ALL, "C");
    if (!localeSet) GTEST_SKIP() << "no decimal-comma locale installed";
}

}  // namespace
}  // namespace zano
