#include <gtest/gtest.h>

#include "base/errors.h"
#include "correlations/film_coefficients.h"
#include "correlations/flow_groups.h"

namespace zano {
namespace {

TEST(FlowGroups, VelocityReynoldsPrandtl) {
    // 0.3 kg/s through 3.14159e-4 m2 of water at 1000 kg/m3: 0.95493 m/s, held as a single.
    const float v = velocita(0.3f, 0.000314159f, 1000);
    EXPECT_EQ(v, 0.9549304842948914f);
    // 0.95493 * 1000 * 0.02 / 0.001 (the 20 mm as a single).
    EXPECT_NEAR(reynolds(1000, v, 0.02f, 0.001), 19098.609259010635, 1e-9);
    // cp 4.2 kJ/(kg K), k 0.6 W/(m K), mu 1 mPa s.
    EXPECT_NEAR(prandtl(4.2, 0.6, 0.001), 7.0, 1e-12);
    EXPECT_EQ(velocita(0, 0.001f, 1000), 0.0f) << "no flow is no fault";
}

TEST(FlowGroups, ZeroDenominatorsAreInvalidData) {
    EXPECT_THROW(velocita(0.3f, 0.0f, 1000), CalcError);
    EXPECT_THROW(velocita(0.3f, 0.001f, 0), CalcError);
    EXPECT_THROW(reynolds(1000, 1.0f, 0.02f, 0), CalcError);
    EXPECT_THROW(prandtl(4.2, 0, 0.001), CalcError);
}

// Reference values from python3: Nulam = max(3.66, 1.86 Gz^(1/3) phi),
// Nuturb = 0.027 Re^0.8 Pr^(1/3) phi, phi = (mu/muw)^0.14, linear blend for 2300 <= Re <= 10000.
TEST(Nusselt, Regimes) {
    struct Row {
        const char* name;
        double gz, re, pr, mu, muw, expected;
    };
    const Row rows[] = {
        {"laminar, 1.86*4^(1/3) = 2.95 is below the floor", 4, 1000, 5, 1e-3, 1e-3, 3.66},
        {"laminar, Gz 20, phi = 2^0.14", 20, 1000, 5, 2e-3, 1e-3, 5.563317024533834},
        {"turbulent at Gz 1 is not the laminar floor", 1, 50000, 5, 1e-3, 2e-3, 240.64983579676596},
        {"Re 2300 is the laminar end of the blend", 100, 2300, 5, 1.5, 1, 9.137605140764844},
        {"Re 10000 is the turbulent end of the blend", 100, 10000, 5, 1.5, 1, 77.44734637766781},
        {"Re 6150 is halfway along the blend", 100, 6150, 5, 1.5, 1, 30.815619303714946},
        {"blend from the floor, Gz 2", 2, 6150, 5, 1, 1, 0.5 * (3.66 + 49.596823027142364)},
        {"zero flow", 0, 0, 7, 1e-3, 2e-3, 3.66},
    };
    for (const Row& r : rows)
        EXPECT_NEAR(nusselt(r.gz, r.re, r.pr, r.mu, r.muw), r.expected, 1e-12 * r.expected)
            << r.name;
}

TEST(Nusselt, FaultsAreInvalidData) {
    EXPECT_THROW(nusselt(20, 1000, 5, 1e-3, 0), CalcError) << "zero wall viscosity";
    EXPECT_THROW(nusselt(-20, 1000, 5, 1e-3, 1e-3), CalcError) << "negative Graetz number";
    EXPECT_THROW(nusselt(20, 5000, -5, 1e-3, 1e-3), CalcError) << "negative Prandtl number";
}

}  // namespace
}  // namespace zano
