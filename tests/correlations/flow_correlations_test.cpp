// Flow groups, Nusselt numbers, friction factor, pressure drop and the log-mean difference
// against values worked out independently (python3, the formulas written out by hand).
#include <gtest/gtest.h>

#include "base/errors.h"
#include "correlations/film_coefficients.h"
#include "correlations/flow_groups.h"
#include "correlations/log_mean.h"
#include "correlations/pressure_drop.h"

namespace zano {
namespace {

TEST(FlowGroups, VelocityReynoldsPrandtl) {
    // 0.3 kg/s through 3.14159e-4 m2 of water at 1000 kg/m3: 0.95493 m/s, held as a single.
    const float v = velocita(0.3f, 0.000314159f, 1000);
    EXPECT_EQ(v, 0.9549304842948914f);
    EXPECT_NEAR(reynolds(1000, v, 0.02f, 0.001), 19098.609259010635, 1e-9);
    EXPECT_NEAR(prandtl(4.2, 0.6, 0.001), 7.0, 1e-12);
    EXPECT_EQ(velocita(0, 0.001f, 1000), 0.0f) << "no flow is no fault";
    EXPECT_THROW(velocita(0.3f, 0.0f, 1000), CalcError);
    EXPECT_THROW(reynolds(1000, 1.0f, 0.02f, 0), CalcError);
    EXPECT_THROW(prandtl(4.2, 0, 0.001), CalcError);
}

// Nulam = max(3.66, 1.86 Gz^(1/3) phi), Nuturb = 0.027 Re^0.8 Pr^(1/3) phi, phi = (mu/muw)^0.14,
// linear blend for 2300 <= Re <= 10000.
TEST(Nusselt, Regimes) {
    const struct {
        const char* name;
        double gz, re, pr, mu, muw, expected;
    } rows[] = {
        {"laminar, 1.86*4^(1/3) = 2.95 is below the floor", 4, 1000, 5, 1e-3, 1e-3, 3.66},
        {"laminar, Gz 20, phi = 2^0.14", 20, 1000, 5, 2e-3, 1e-3, 5.563317024533834},
        {"turbulent at Gz 1 is not the laminar floor", 1, 50000, 5, 1e-3, 2e-3, 240.64983579676596},
        {"Re 2300 is the laminar end of the blend", 100, 2300, 5, 1.5, 1, 9.137605140764844},
        {"Re 10000 is the turbulent end of the blend", 100, 10000, 5, 1.5, 1, 77.44734637766781},
        {"Re 6150 is halfway along the blend", 100, 6150, 5, 1.5, 1, 30.815619303714946},
        {"blend from the floor, Gz 2", 2, 6150, 5, 1, 1, 0.5 * (3.66 + 49.596823027142364)},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(nusselt(r.gz, r.re, r.pr, r.mu, r.muw), r.expected, 1e-12 * r.expected)
            << r.name;
    EXPECT_THROW(nusselt(20, 1000, 5, 1e-3, 0), CalcError) << "zero wall viscosity";
    EXPECT_THROW(nusselt(20, 5000, -5, 1e-3, 1e-3), CalcError) << "negative Prandtl number";
}

// Colebrook-White values solved independently by bisection on 1/sqrt(f).
TEST(FrictionFactor, LaminarAndColebrookValues) {
    const struct {
        const char* name;
        double rug, Re, expected;
    } rows[] = {
        {"laminar 64/Re", 0, 1000, 0.064},
        {"laminar ignores roughness, just below transition", 1e-3, 2299.5, 64 / 2299.5},
        {"Re 2300 is Colebrook, not 64/2300 = 0.0278", 0, 2300, 0.047283313905224854},
        {"smooth Re 1e5", 0, 1e5, 0.017989773084273842},
        {"rough 0.1 mm in 20 mm, Re 5e4", 1e-4, 5e4, 0.03215282910358538},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(frictionFactor(r.rug, 0.02f, r.Re), r.expected, 1e-12) << r.name;
    // ln(1000)/ln(10) rounds to one unit below 3, unlike a correctly rounded log10.
    EXPECT_EQ(log10(1000), 2.9999999999999996);
    EXPECT_THROW(log10(0), CalcError);
}

TEST(PerditaCarico, DarcyWeisbachInKilopascal) {
    // 0.5 * 0.064 * 1 m / 0.02 m * 1000 kg/m3 * (1 m/s)^2 = 1600 Pa.
    EXPECT_NEAR(perditaCarico(0, 0.02f, 1, 1000, 1000, 1), 1.6, 1e-6);
    EXPECT_NEAR(perditaCarico(1e-4, 0.02f, 3, 5e4, 998, 2),
                0.5 * 0.03215282910358538 * 3 / 0.02 * 998 * 4 / 1000, 1e-6);
    EXPECT_THROW(perditaCarico(0, 0.02f, 1, 0, 1000, 1), CalcError) << "zero Reynolds number";
    EXPECT_THROW(perditaCarico(-1, 0.02f, 1, 1e5, 1000, 1), CalcError) << "logarithm fails";
    EXPECT_THROW(perditaCarico(0, 0.0f, 1, 1e5, 1000, 1), CalcError) << "zero diameter";
}

TEST(Dtml, LogMeanOfBothArrangements) {
    // Ends 100-20 = 80 and 60-40 = 20: (80 - 20) / ln 4 = 43.2808512...
    EXPECT_NEAR(dtml(100, 60, 20, 40, "equi"), 43.28085, 1e-5);
    EXPECT_NEAR(dtml(100, 60, 40, 20, "contro"), 43.28085, 1e-5);
    EXPECT_NEAR(dtml(20, 40, 100, 60, "equi"), -43.28085, 1e-5) << "colder stream first";
    EXPECT_EQ(dtml(80, 40, 20, 60, "contro"), 20.0) << "equal ends: that difference exactly";
    EXPECT_EQ(dtml(100, 60, 20, 40, "Equi"), 0.0) << "an unknown arrangement";
    for (const double b2 : {60.0, 80.0}) {  // ends 60 and -20; one end difference 0
        try {
            dtml(80, 40, 20, b2, b2 == 60 ? "equi" : "contro");
            ADD_FAILURE() << "no error at b2 = " << b2;
        } catch (const CalcError& e) {
            EXPECT_EQ(e.detail(),
                      "the outlet temperatures cross: the log-mean temperature difference is "
                      "undefined");
        }
    }
}

}  // namespace
}  // namespace zano
