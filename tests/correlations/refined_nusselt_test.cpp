// The refined correlation set against published and hand-worked values, and continuous where
// its regimes meet.
#include "correlations/refined_nusselt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace zano {
namespace {

// Fully developed laminar annulus, inner wall heated, outer insulated: Kays and Leung's values
// (Incropera, Table 8.2). Nu_ii = 3.66 + 1.2 a^-0.8 is a fit to them within 4 %.
TEST(RefinedNusselt, AnnulusLaminarLimitMatchesKaysAndLeung) {
    const struct {
        double a, published;
    } rows[] = {{0.05, 17.46}, {0.10, 11.56}, {0.25, 7.37}, {0.50, 5.74}, {1.00, 4.86}};
    for (const auto& r : rows) {
        EXPECT_NEAR(annulusLaminarLimit(r.a), r.published, 0.04 * r.published) << r.a;
        // A very long annulus reaches the limit.
        EXPECT_NEAR(refinedAnnulusNusselt(1000, 5, 1e-12, r.a), annulusLaminarLimit(r.a), 1e-3);
    }
}

// Values worked by hand from the published formulas (Gnielinski with Petukhov's friction
// factor, f = (0.790 ln Re - 1.64)^-2; VDI G1 laminar; Gnielinski's annulus form).
TEST(RefinedNusselt, MatchesHandWorkedValues) {
    const struct {
        const char* what;
        double nu, expected;
    } rows[] = {
        {"tube, Re 1e4, Pr 0.7", refinedTubeNusselt(1e4, 0.7, 0), 29.8174},
        {"tube, Re 5e4, Pr 7", refinedTubeNusselt(5e4, 7, 0), 329.310},
        {"tube, Re 1e5, Pr 100", refinedTubeNusselt(1e5, 100, 0), 1664.87},
        {"tube, laminar, X -> 0", refinedTubeNusselt(1000, 0.7, 1e-12), 3.66005},
        {"tube, laminar, Re 2000, Pr 5, d/L 0.01", refinedTubeNusselt(2000, 5, 0.01), 7.92377},
        {"annulus, a 0.5, Re 2e4, Pr 5, d_h/L 0.01", refinedAnnulusNusselt(2e4, 5, 0.01, 0.5),
         122.597},
    };
    for (const auto& r : rows) EXPECT_NEAR(r.nu, r.expected, 1e-5 * r.expected) << r.what;
}

// No jump where laminar flow meets the transition (Re 2300) and the transition meets turbulent
// flow (10^4): the blend starts and ends on the neighbouring regimes' values.
TEST(RefinedNusselt, ContinuousAtTheRegimeBounds) {
    const auto tube = [](double re, double pr) { return refinedTubeNusselt(re, pr, 0.02); };
    const auto annulus = [](double re, double pr) {
        return refinedAnnulusNusselt(re, pr, 0.02, 0.6);
    };
    for (const double re : {2300.0, 1e4})
        for (const double pr : {0.7, 7.0, 200.0})
            for (const auto& nu : {std::function<double(double, double)>(tube), {annulus}})
                EXPECT_NEAR(nu(std::nextafter(re, 0.0), pr), nu(re, pr), 1e-6 * nu(re, pr))
                    << re << " " << pr;
    EXPECT_EQ(flowRegime(2299.9), FlowRegime::Laminar);
    EXPECT_EQ(flowRegime(2300), FlowRegime::Transition);
    EXPECT_EQ(flowRegime(1e4), FlowRegime::Turbulent);
}

TEST(RefinedNusselt, PropertyCorrectionFollowsRegimePhaseAndDirection) {
    const double ratio = 2;  // mu / mu_w
    const struct {
        const char* what;
        FlowRegime regime;
        Bulk bulk;
        double expected;
    } rows[] = {
        {"laminar", FlowRegime::Laminar, {false, 2, 1, 20, 60}, std::pow(ratio, 0.14)},
        {"heated liquid", FlowRegime::Turbulent, {false, 2, 1, 20, 60}, std::pow(ratio, 0.11)},
        {"cooled liquid", FlowRegime::Transition, {false, 2, 1, 60, 20}, std::pow(ratio, 0.25)},
        {"heated gas", FlowRegime::Turbulent, {true, 2, 1, 26.85, 326.85}, std::pow(0.5, 0.45)},
        {"cooled gas", FlowRegime::Turbulent, {true, 2, 1, 326.85, 26.85}, 1},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(propertyCorrection(r.regime, r.bulk), r.expected, 1e-12) << r.what;
}

}  // namespace
}  // namespace zano
