// Whole calculations checked by hand; the physics of every mode is checked on the golden cases
// (tests/stress/golden_physics_test), their messages and written-back texts pinned by them.
#include "solver/driver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "base/errors.h"
#include "base/number_text.h"
#include "reference_cases.h"
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

TEST(Driver, ConstantPropertyCaseMatchesAHandCalculation) {
    // User fluid on both sides (rho 1000, cp 4.2, k 0.6, mu 0.001, Pr 7), both flows turbulent,
    // capacity 20 kW. By hand: Re_i = 17362, Re_e = 14346, Nu = 0.027 Re^0.8 Pr^(1/3);
    // hio = 3054.6, he = 3121.7, wall 0.0015/14.9*25/22, fouling 0.0003: U = 941.52 W/(m^2 K).
    // Outlets 80 - 20/(0.3*4.2) = 64.127 and 15 + 20/(0.8*4.2) = 20.952 degC;
    // countercurrent LMTD 53.935 K, surface 0.39385 m^2, length 5.0146 m.
    CaseData c = userFluidCase();
    const CalcOutcome out = run(c);
    ASSERT_TRUE(out.ok()) << out.detail;
    const ResultsData& r = *out.results;
    EXPECT_NEAR(r.intTout, 64.12698, 2e-4);
    EXPECT_NEAR(r.estTout, 20.95238, 2e-4);
    EXPECT_NEAR(r.Rei, 17362.36, 0.05);
    EXPECT_NEAR(r.Ree, 14346.36, 0.05);
    EXPECT_NEAR(r.U, 941.5228, 0.01);
    EXPECT_NEAR(r.a, 0.393845, 1e-5);
    EXPECT_NEAR(r.L, 5.014596, 5e-5);
    EXPECT_NEAR(r.intVel, 0.789198, 1e-6);
    EXPECT_NEAR(r.estVel, 0.683160, 1e-6);
    EXPECT_NEAR(r.intDeltaP, 1.912423, 1e-4);
    // Hand check of the margins: 1/U_clean = 1/941.523 - 0.0003, U_clean = 1312.15, 39.36 %.
    EXPECT_NEAR(out.margins->Uclean, 1312.15, 0.01);
    EXPECT_NEAR(out.margins->foulingAllowance, 39.36, 0.01);
    // And its breakdown: hi = hio * 25/22 = 3471.14 on its own surface, Nu_i = hi * 0.022 / 0.6
    // = 127.275; the wall at (hi * 72.0635 + he * 17.9762) / (hi + he) = 46.453 degC between
    // the mean temperatures; the resistances add up to 1/U.
    const FilmBreakdown& f = *out.films;
    EXPECT_NEAR(1 / f.internalFilm, 3054.6, 0.1);
    EXPECT_NEAR(1 / f.externalFilm, 3121.7, 0.1);
    EXPECT_NEAR(f.internal.h, 3471.14, 0.1);
    EXPECT_NEAR(f.external.h, 3121.7, 0.1);
    EXPECT_NEAR(f.internal.nu, 127.275, 0.005);
    EXPECT_NEAR(f.internal.pr, 7, 1e-9);
    EXPECT_NEAR(f.external.re, 14346.36, 0.05);
    EXPECT_EQ(f.internal.regime + " " + f.external.regime, "turbulent turbulent");
    EXPECT_NEAR(f.wall, 0.0015 / 14.9 * 25 / 22, 1e-9);
    EXPECT_NEAR(f.internalFouling + f.externalFouling, 0.0003, 1e-12);
    EXPECT_NEAR(f.wallTemperature, 46.453, 2e-3);
    EXPECT_NEAR(
        1 / (f.internalFilm + f.internalFouling + f.wall + f.externalFouling + f.externalFilm),
        941.5228, 0.01);

    c.controequi = Arrangement::Equicurrent;  // LMTD 53.345 K: a longer exchanger
    const CalcOutcome equi = run(c);
    ASSERT_TRUE(equi.ok());
    EXPECT_NEAR(equi.results->L, 5.070065, 5e-5);
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

}  // namespace
}  // namespace zano
