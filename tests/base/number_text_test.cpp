#include "base/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace zano {
namespace {

struct ParseRow {
    const char* text;
    std::optional<double> value;
};

TEST(NumberText, ReadsDecimalCommaPointSignsAndExponents) {
    const ParseRow rows[] = {
        {"1,5", 1.5},
        {"1.5", 1.5},  // a point is a decimal point too, never a thousands mark
        {"  2 ", 2.0},
        {"\t-3,25", -3.25},
        {"+4", 4.0},
        {",5", 0.5},
        {"5,", 5.0},
        {"-,5", -0.5},
        {"2E-4", 2e-4},
        {"2e-4", 2e-4},
        {"1,5E+3", 1500.0},
        {"1E3", 1000.0},
        {"0", 0.0},
        {"007", 7.0},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"1,5,2", std::nullopt},
        {"1.5,2", std::nullopt},
        {"1.000.000", std::nullopt},
        {"abc", std::nullopt},
        {"1 5", std::nullopt},
        {"E5", std::nullopt},
        {",", std::nullopt},
        {"-", std::nullopt},
        {"1E", std::nullopt},
        {"1E+", std::nullopt},
        {"0x10", std::nullopt},
        {"12a", std::nullopt},
        {"--1", std::nullopt},
        {"1,5E2,5", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("text \"") + row.text + "\"");
        const auto got = parseDouble(row.text);
        ASSERT_EQ(got.has_value(), row.value.has_value());
        if (row.value) {
            EXPECT_EQ(*got, *row.value);
        }
    }
}

TEST(NumberText, ReadsSingleInOneRoundingAndRefusesWhatDoesNotFit) {
    EXPECT_EQ(parseSingle("0,1"), 0.1f);
    EXPECT_EQ(parseSingle("3,141593"), 3.141593f);
    EXPECT_EQ(parseSingle("16777217"), 16777216.0f);  // ties to even at 2^24
    EXPECT_EQ(parseSingle("3,4E38"), 3.4e38f);
    EXPECT_FALSE(parseSingle("1E39").has_value());  // beyond the single range
    EXPECT_FALSE(parseSingle("-1E39").has_value());
    EXPECT_EQ(parseSingle("1E-50"), 0.0f);  // underflow reads as zero
    EXPECT_FALSE(parseDouble("1E400").has_value());
    EXPECT_EQ(parseDouble("1E-400"), 0.0);
    EXPECT_FALSE(parseSingle("x").has_value());
}

struct FormatRow {
    double value;
    bool single;
    const char* text;
};

TEST(NumberText, WritesTheGeneralFormat) {
    const FormatRow rows[] = {
        {0.1, true, "0,1"},
        {1.0 / 3.0, true, "0,3333333"},
        {-2.5, true, "-2,5"},
        {100, true, "100"},
        {0, true, "0"},
        {9999999, true, "9999999"},
        {12345678, true, "1,234568E+07"},
        {1e7, true, "1E+07"},
        {9999999.6, true, "1E+07"},  // rounds up past the limit: exponent form
        {1.5e-5, true, "1,5E-05"},
        {0.0001, true, "0,0001"},
        {0.00012345678, true, "0,0001234568"},
        {0.000099999, true, "9,9999E-05"},
        {-4.5e20, true, "-4,5E+20"},
        {0.001731024, true, "0,001731024"},
        {0.1, false, "0,1"},
        {1.0 / 3.0, false, "0,333333333333333"},
        {999999999999999, false, "999999999999999"},
        {1e15, false, "1E+15"},
        {123456.789, false, "123456,789"},
        {2.5e-300, false, "2,5E-300"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const std::string got =
            row.single ? formatSingle(static_cast<float>(row.value)) : formatDouble(row.value);
        EXPECT_EQ(got, row.text);
    }
    EXPECT_EQ(formatSingle(1.5f, '.'), "1.5");
    EXPECT_EQ(formatDouble(-0.25, '.'), "-0.25");
}

TEST(NumberText, RoundsTheExactValueTiesToEven) {
    struct Row {
        double value;
        int decimals;
        const char* text;
    };
    const Row doubles[] = {
        {12.5, 1, "12,5"},      {2300.5, 0, "2300"}, {2301.5, 0, "2302"},
        {-1.5, 0, "-2"},        {0.125, 2, "0,12"},  // an exact tie: even digit
        {0.375, 2, "0,38"},     {2.675, 2, "2,67"},  // held as 2.67499999...: not a tie
        {1.00005, 4, "1,0001"}, {-0.00001, 4, "0"},  {1234.56789, 3, "1234,568"},
    };
    for (const auto& row : doubles) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(formatDouble(roundTo(row.value, row.decimals)), row.text);
    }
    EXPECT_EQ(formatSingle(roundTo(0.125f, 4)), "0,125");
    EXPECT_EQ(formatSingle(roundTo(12345.678f, 3)), "12345,68");  // seven significant digits
    EXPECT_EQ(formatSingle(roundTo(2300.5f, 0)), "2300");
    EXPECT_EQ(formatSingle(roundTo(1.0f / 3.0f, 4)), "0,3333");
}

TEST(NumberText, RoundTripsThroughText) {
    // Seven digits hold any single typed with at most seven: it comes back unchanged.
    const float singles[] = {0.1f, 12345.68f, 1.5e-5f, 3.4e38f, -7.25f, 999.9999f, 0.3333333f};
    for (float v : singles) EXPECT_EQ(parseSingle(formatSingle(v)), v) << formatSingle(v);
    const double doubles[] = {0.1, 1.0 / 7.0, 1e-300, 123456789.125, -0.000123};
    for (double v : doubles) {
        const double back = *parseDouble(formatDouble(v));
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << formatDouble(v);
    }
}

TEST(NumberText, IgnoresTheDecimalSeparatorOfTheProcessLocale) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "it_IT.UTF-8"))
        GTEST_SKIP() << "no decimal-comma locale installed";
    EXPECT_EQ(formatSingle(1.5f, '.'), "1.5");
    EXPECT_EQ(formatSingle(roundTo(0.125f, 4)), "0,125");
    EXPECT_EQ(parseDouble("1.5"), 1.5);
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zano
