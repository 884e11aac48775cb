#include "correlations/log_mean.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/errors.h"

namespace zano {
namespace {

TEST(Dtml, EqualEndDifferencesGiveThatDifferenceExactly) {
    // 80 -> 40 against 20 -> 60 countercurrent: both ends 20 K apart.
    EXPECT_EQ(dtml(80, 40, 20, 60, "contro"), 20.0);
}

TEST(Dtml, EquicurrentLogMean) {
    // Ends 100-20 = 80 and 60-40 = 20: (80 - 20) / ln 4 = 43.2808512...
    EXPECT_NEAR(dtml(100, 60, 20, 40, "equi"), 43.28085, 1e-5);
    // Swapping the ends of the exchanger leaves the mean unchanged.
    EXPECT_NEAR(dtml(100, 60, 40, 20, "contro"), 43.28085, 1e-5);
}

TEST(Dtml, ColderStreamFirstGivesNegativeMean) {
    EXPECT_NEAR(dtml(20, 40, 100, 60, "equi"), -43.28085, 1e-5);
}

TEST(Dtml, TemperatureCrossIsInvalidData) {
    struct Row {
        const char* name;
        double a1, a2, b1, b2;
        const char* mode;
    };
    const Row rows[] = {
        {"equicurrent ends 60 and -20", 80, 40, 20, 60, "equi"},
        {"one end difference zero", 80, 40, 20, 80, "contro"},
        {"other end difference zero", 80, 20, 20, 60, "contro"},
    };
    for (const Row& r : rows) {
        try {
            dtml(r.a1, r.a2, r.b1, r.b2, r.mode);
            ADD_FAILURE() << r.name << ": no error";
        } catch (const CalcError& e) {
            EXPECT_EQ(e.message(), msg::kInvalidData) << r.name;
            EXPECT_EQ(e.detail(),
                      "the outlet temperatures cross: the log-mean temperature difference is "
                      "undefined")
                << r.name;
        }
    }
}

TEST(Dtml, UnknownModeGivesZero) {
    EXPECT_EQ(dtml(100, 60, 20, 40, "Equi"), 0.0);
    EXPECT_EQ(dtml(80, 40, 20, 60, "Contro"), 0.0);
    EXPECT_EQ(dtml(80, 40, 20, 60, ""), 0.0);
}

}  // namespace
}  // namespace zano
