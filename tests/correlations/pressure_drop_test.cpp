#include "correlations/pressure_drop.h"

#include <gtest/gtest.h>

#include "base/errors.h"

namespace zano {
namespace {

// Reference Colebrook-White values solved independently by bisection on 1/sqrt(f) (python3).
TEST(FrictionFactor, LaminarAndColebrookValues) {
    struct Row {
        const char* name;
        double rug;
        float D;
        double Re;
        double expected;
        double tol;
    };
    const Row rows[] = {
        {"laminar 64/Re, smooth", 0, 0.02f, 1000, 0.064, 0},
        {"laminar ignores roughness", 1e-3, 0.02f, 1000, 0.064, 0},
        {"laminar just below transition", 0, 0.02f, 2299.5, 64 / 2299.5, 0},
        {"Re 2300 is Colebrook, not 64/2300 = 0.0278", 0, 0.02f, 2300, 0.047283313905224854, 1e-12},
        {"smooth Re 1e5", 0, 0.02f, 1e5, 0.017989773084273842, 1e-12},
        {"rough 0.1 mm in 20 mm, Re 5e4", 1e-4, 0.02f, 5e4, 0.03215282910358538, 1e-12},
    };
    for (const Row& r : rows) {
        if (r.tol == 0)
            EXPECT_DOUBLE_EQ(frictionFactor(r.rug, r.D, r.Re), r.expected) << r.name;
        else
            EXPECT_NEAR(frictionFactor(r.rug, r.D, r.Re), r.expected, r.tol) << r.name;
    }
    EXPECT_NEAR(frictionFactor(0, 0.02f, 1e5), 0.01799, 5e-6) << "smooth Re 1e5, 4 digits";
}

TEST(PerditaCarico, DarcyWeisbachInKilopascal) {
    // 0.5 * 0.064 * 1 m / 0.02 m * 1000 kg/m3 * (1 m/s)^2 = 1600 Pa.
    EXPECT_NEAR(perditaCarico(0, 0.02f, 1, 1000, 1000, 1), 1.6, 1e-6);
    // 0.5 * 0.0321528... * 3 / 0.02 * 998 * 2^2 / 1000.
    EXPECT_NEAR(perditaCarico(1e-4, 0.02f, 3, 5e4, 998, 2),
                0.5 * 0.03215282910358538 * 3 / 0.02 * 998 * 4 / 1000, 1e-6);
}

TEST(PerditaCarico, ProportionalToLengthInverseToDiameter) {
    // Smooth pipe: the friction factor does not depend on the diameter.
    const double base = perditaCarico(0, 0.02f, 2, 1e5, 998, 1.5f);
    EXPECT_DOUBLE_EQ(perditaCarico(0, 0.02f, 4, 1e5, 998, 1.5f), 2 * base);
    EXPECT_DOUBLE_EQ(perditaCarico(0, 0.04f, 2, 1e5, 998, 1.5f), base / 2);
    EXPECT_DOUBLE_EQ(perditaCarico(0, 0.01f, 1, 1000, 998, 1.5f),
                     perditaCarico(0, 0.02f, 2, 1000, 998, 1.5f));
}

TEST(PerditaCarico, FaultsAreInvalidData) {
    struct Row {
        const char* name;
        double rug;
        float D;
        double Re;
    };
    const Row rows[] = {
        {"zero Reynolds number", 0, 0.02f, 0},
        {"roughness so negative the logarithm fails", -1, 0.02f, 1e5},
        {"zero diameter, turbulent", 0, 0.0f, 1e5},
        {"zero diameter, laminar", 0, 0.0f, 1000},
    };
    for (const Row& r : rows) {
        try {
            perditaCarico(r.rug, r.D, 1, r.Re, 1000, 1);
            ADD_FAILURE() << r.name << ": no error";
        } catch (const CalcError& e) {
            EXPECT_EQ(e.message(), msg::kInvalidData) << r.name;
            EXPECT_FALSE(e.detail().empty()) << r.name;
        }
    }
}

TEST(Log10, NaturalLogarithmsRatio) {
    // ln(1000)/ln(10) rounds to one unit below 3, unlike a correctly rounded log10.
    EXPECT_EQ(log10(1000), 2.9999999999999996);
    EXPECT_THROW(log10(0), CalcError);
    EXPECT_THROW(log10(-2), CalcError);
}

}  // namespace
}  // namespace zano
