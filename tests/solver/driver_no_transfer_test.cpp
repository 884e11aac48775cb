// An exchanger that transfers almost no heat: a fouling factor of 200 (m^2 K)/W makes U about
// 0.005 W/(m^2 K), within the coefficient tolerance of the start value 0 of Ucalc. The
// outer loop must still make its pass, so that the sought flow and outlets come from the
// balance and not from their start values.
#include <gtest/gtest.h>

#include <cmath>

#include "properties/wall_materials.h"
#include "solver/driver.h"

namespace zano {
namespace {

// Hot water 80 -> 60 degC inside, water at 15 degC in the annulus, 6 m of 25 mm pipe.
CaseData fouledCase(char scheme) {
    CaseData c;
    c.deti = "25", c.spi = "1,5", c.dete = "50", c.spe = "2", c.L = "6";
    c.intTin = "80", c.intTout = "60", c.intPort = "0,3";
    c.estTin = "15", c.estTout = "30", c.estPort = "0,5";
    c.intfluid = c.estfluid = "Water", c.intpress = c.estpress = "1";
    c.mat = "Stainless steel AISI 304", c.intSporc = "200", c.estSporc = "0,0002";
    c.intToutGiven = scheme == 'A';
    c.estToutGiven = scheme == 'B';
    return c;
}

TEST(DriverNoTransfer, ACoefficientWithinItsToleranceStillMakesOneOuterPass) {
    // By hand: U = 1/(200 + films, wall and external fouling, about 0.0015) = 0.00499996,
    // a = 3.141593 * 6 * 0.025 = 0.471239 m^2, and with the outlets at the inlets the
    // countercurrent log-mean differences are 54.38 K (A: 65 and 45 K), 57.17 K (B: 65 and
    // 50 K) and 65 K (C), so q = U a dTml = 1.2815E-4, 1.3471E-4 and 1.5315E-4 kW.
    struct Row {
        char scheme;
        double q;  // kW
    };
    const Row rows[] = {{'A', 1.2815e-4}, {'B', 1.3471e-4}, {'C', 1.5315e-4}};
    CalcState s;
    dbmateriale(s);
    const double cpWater = 4.19;  // kJ/(kg K), 15 to 80 degC within 0.3 %
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("scheme ") + row.scheme);
        CaseData c = fouledCase(row.scheme);
        const CalcOutcome out = calculate(c, s);
        ASSERT_TRUE(out.ok()) << out.message << ": " << out.detail;
        const ResultsData& r = *out.results;
        EXPECT_LT(r.U, 0.01f);
        EXPECT_NEAR(r.q, row.q, 0.005 * row.q);
        // The iterated outlets stay at their inlets, to the temperature tolerance and one
        // relaxed step.
        if (row.scheme != 'B') {
            EXPECT_NEAR(r.estTout, 15, 0.002);
        }
        if (row.scheme != 'A') {
            EXPECT_NEAR(r.intTout, 80, 0.002);
        }
        // The sought flow carries the capacity, to the duty of the iterated stream over
        // 0.002 K (without the pass: 0.0697 kg/s of water over 20 K, 5.8 kW).
        if (row.scheme == 'A') {
            EXPECT_NEAR(r.intPort * cpWater * 20, r.q, 0.5 * cpWater * 0.002);
        }
        if (row.scheme == 'B') {
            EXPECT_NEAR(r.estPort * cpWater * 15, r.q, 0.3 * cpWater * 0.002);
        }
    }
}

}  // namespace
}  // namespace zano
