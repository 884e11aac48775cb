// Whole calculations checked by hand; the physics of every mode is checked on the golden cases
// (tests/stress/golden_physics_test), their messages and written-back texts pinned by them.
#include "solver/driver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "base/errors.h"
#include "base/number_text.h"
#include "formats/case_file.h"
#include "golden_text.h"
#include "reference_cases.h"
#include "scratch_files.h"
#include "solver/solution.h"

namespace zano {
namespace {

using testing_cases::userFluidCase;
using testing_cases::waterCase;

CalcOutcome run(CaseData& c) {
    CalcState s;
    dbmateriale(s);
    return calculate(c, s);
}

// Enthalpy of a fluid at a temperature, from its own table at the case's pressure.
double enthalpy(const std::string& fluid, const std::string& pressure, double t) {
    Stream st(Side::Internal);
    st.load(DataFolder(), fluid);
    st.press = *parseSingle(pressure);
    st.reduce();
    return st.enthalpy(t);
}

// tests/solver/golden/hand_calculation.txt: the constant-property case's figures worked by hand.
TEST(Driver, ConstantPropertyCaseMatchesAHandCalculation) {
    CaseData c = userFluidCase();
    const CalcOutcome out = run(c);
    c.controequi = Arrangement::Equicurrent;
    const CalcOutcome equi = run(c);
    ASSERT_TRUE(out.ok() && equi.ok()) << out.detail << equi.detail;
    const ResultsData& r = *out.results;
    const FilmBreakdown& f = *out.films;
    EXPECT_EQ(f.internal.regime + " " + f.external.regime, "turbulent turbulent");
    const double sum =
        f.internalFilm + f.internalFouling + f.wall + f.externalFouling + f.externalFilm;
    const std::map<std::string, double> got = {
        {"internal outlet", r.intTout},
        {"external outlet", r.estTout},
        {"internal Reynolds", r.Rei},
        {"external Reynolds", r.Ree},
        {"U", r.U},
        {"surface", r.a},
        {"length", r.L},
        {"internal velocity", r.intVel},
        {"external velocity", r.estVel},
        {"internal pressure drop", r.intDeltaP},
        {"clean U", out.margins->Uclean},
        {"fouling allowance", out.margins->foulingAllowance},
        {"hio", 1 / f.internalFilm},
        {"he", 1 / f.externalFilm},
        {"internal film h", f.internal.h},
        {"external film h", f.external.h},
        {"internal Nusselt", f.internal.nu},
        {"internal Prandtl", f.internal.pr},
        {"external film Reynolds", f.external.re},
        {"wall resistance", f.wall},
        {"fouling resistances", f.internalFouling + f.externalFouling},
        {"wall temperature", f.wallTemperature},
        {"1 / sum of the resistances", 1 / sum},
        {"equicurrent length", equi.results->L}};
    const std::string file = "solver/golden/hand_calculation.txt";
    const std::string table =
        golden_text::table(file, [&](const std::string& figure, const std::string& argument) {
            const std::vector<double> hand = golden_text::numbers(argument);
            const auto it = got.find(figure);
            if (it == got.end() || hand.size() != 2) return std::string("no such figure");
            const double off = std::fabs(it->second - hand[0]);
            return off <= hand[1] ? std::string("within") : "off by " + golden_text::shown(off);
        });
    EXPECT_EQ(golden_text::mismatch(file, table), "");
}

TEST(Driver, RefusesACapacityEqualToTheMaximumDuty) {
    // A 1 K drop of the internal fluid makes the external stream Cmin: its maximum duty heats it
    // from 15 degC to the internal inlet, 80 degC, on single-precision enthalpies.
    CaseData c = waterCase();
    c.LGiven = false;
    c.intTout = "79";
    c.estPort = "0,1";
    const double hA = sgl(enthalpy("Water", "1", 15)), hB = sgl(enthalpy("Water", "1", 80));
    const float qmax = sgl((hB - hA) * 0.1f);
    for (const float q : {qmax, std::nextafter(qmax, 0.0f)}) {
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(q));
        c.q = text;
        EXPECT_EQ(run(c).message == msg::kCapacityTooHigh, q == qmax) << text;
    }
}

// The last resort against a loop without end: no random case reaches it any more, since the
// inner loops leave their cycles, so it is tested on its own.
TEST(Driver, ThePassBudgetEndsACalculationThatNeverConverges) {
    PassBudget budget;
    for (long pass = 0; pass < PassBudget::kPasses; ++pass) budget.spend();
    try {
        budget.spend();
        ADD_FAILURE() << "one pass beyond the budget was allowed";
    } catch (const CalcError& e) {
        EXPECT_STREQ(e.what(), msg::kNotConverged);
    }
}

// A long laminar annulus heated through the inner pipe: the classic rule takes the round
// tube's 3.66; the refined one the annulus's own fully developed value, 3.66 + 1.2 (25/46)^-0.8
// = 5.616 (Kays and Leung: 5.6 at this ratio of diameters), raised by at most a few per cent
// by the entrance and the warm wall, so that the exchanger carries more.
TEST(Driver, RefinedCorrelationsTakeTheLaminarAnnulusOwnNusseltNumber) {
    CaseData c = waterCase();
    c.intToutGiven = c.estToutGiven = false;
    c.estPort = "0,05";
    c.L = "100";
    const CalcOutcome classic = run(c);
    c.correlations = CorrelationSet::Refined;
    const CalcOutcome refined = run(c);
    ASSERT_TRUE(classic.ok() && refined.ok()) << classic.detail << refined.detail;
    EXPECT_EQ(classic.films->external.regime + " " + refined.films->external.regime,
              "laminar laminar");
    EXPECT_EQ(classic.films->external.nu, 3.66);
    EXPECT_GE(refined.films->external.nu, 5.616);
    EXPECT_LE(refined.films->external.nu, 1.1 * 5.616);
    EXPECT_GT(refined.results->q, classic.results->q);
}

// Kern, Process Heat Transfer (1950), Example 6.1: 9820 lb/h of benzene heated from 80 to
// 120 degF in the 1 1/4 in. IPS inner pipe by toluene cooled from 160 to 100 degF in the 2 in.
// IPS annulus, Rd 0.001 each side, properties at the mean temperatures, no wall resistance (the
// book's Uc = hio ho / (hio + ho)). The book's figures: Uc 149 and UD 115 Btu/(h ft2 degF),
// 116 ft of pipe. Its hio 276 and ho 323 are readings of its Fig. 24 some 5 % below its own
// eq. 6.2 at those Reynolds numbers, which the clean coefficient carries.
TEST(Driver, TextbookSetMatchesKernExample61) {
    const std::filesystem::path dir = std::filesystem::path(ZANO_SOURCE_DIR) / "tests/golden";
    CaseData c = parseCaseFile(testing::fileBytes(dir / "textbook-kern-example-6-1.zan"));
    CalcState s;
    s.data.dataDir = dir / "kern-example-6-1";
    dbmateriale(s);
    const CalcOutcome out = calculate(c, s);
    ASSERT_TRUE(out.ok()) << out.detail;
    constexpr double kBtu = 5.678263;  // W/(m^2 K) per Btu/(h ft^2 degF)
    const struct {
        const char* what;
        double ours, book, tolerance;
    } rows[] = {{"design U", out.results->U, 115 * kBtu, 0.05},
                {"length", out.results->L, 116 * 0.3048, 0.05},
                {"clean U", out.margins->Uclean, 149 * kBtu, 0.055}};
    for (const auto& r : rows) EXPECT_NEAR(r.ours / r.book, 1, r.tolerance) << r.what;
}

}  // namespace
}  // namespace zano
