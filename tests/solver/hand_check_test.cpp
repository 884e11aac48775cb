// The figures of a hand check against the textbook relations, worked by hand on streams of
// constant specific heat, and the place of a temperature cross along a profile.
#include "solver/hand_check.h"

#include <gtest/gtest.h>

namespace zano {
namespace {

// Hot stream 100 -> ? degC, 1 kg/s of cp 2 kJ/(kg K): Ch = 2 kW/K (Cmin). Cold stream 20 -> ?
// degC, 1 kg/s of cp 4: Cc = 4 kW/K, Cr = 0,5. U a = 1000 W/(m^2 K) x 2 m^2 = 2 kW/K: NTU = 1.
// Countercurrent: eps = (1 - e^-0,5) / (1 - 0,5 e^-0,5) = 0,39347 / 0,69673 = 0,564733;
//   q = eps Cmin (100 - 20) = 90,3573 kW, hot out 54,8213, cold out 42,5893 degC;
//   LMTD = (57,4107 - 34,8213) / ln(57,4107 / 34,8213) = 22,5893 / 0,5 = 45,1787 K = q / (U a).
// Equicurrent: eps = (1 - e^-1,5) / 1,5 = 0,517913; q = 82,8661 kW, hot out 58,5669, cold out
//   40,7165 degC; LMTD = (80 - 17,8504) / ln(80 / 17,8504) = 62,1496 / 1,5 = 41,4331 K.
TEST(HandCheck, FollowsTheTextbookRelationsForConstantSpecificHeats) {
    struct Row {
        Arrangement arrangement;
        double q, hotOut, coldOut;      // as worked above
        double effectiveness, logMean;  // expected
    };
    for (const Row& row :
         {Row{Arrangement::Countercurrent, 90.3573443, 54.8213279, 42.5893361, 0.564733, 45.1787},
          Row{Arrangement::Equicurrent, 82.8661163, 58.5669419, 40.7165291, 0.517913, 41.4331}}) {
        ResultsData r;
        r.controequi = row.arrangement;
        r.q = static_cast<float>(row.q);
        r.U = 1000, r.a = 2;
        r.intTin = 100, r.intTout = row.hotOut, r.intPort = 1;
        r.estTin = 20, r.estTout = row.coldOut, r.estPort = 1;
        const HandCheck h =
            handCheckFigures(r, {2 * (100 - row.hotOut), 2}, {4 * (row.coldOut - 20), 4});
        const char* which = row.arrangement == Arrangement::Countercurrent ? "contro" : "equi";
        EXPECT_NEAR(h.intRate, 2, 1e-6) << which;
        EXPECT_NEAR(h.estRate, 4, 1e-6) << which;
        EXPECT_NEAR(h.rateRatio, 0.5, 1e-6) << which;
        EXPECT_NEAR(h.ntu, 1, 1e-9) << which;
        EXPECT_NEAR(h.maxDuty, 160, 1e-6) << which;
        EXPECT_NEAR(h.effectiveness, row.effectiveness, 1e-6) << which;
        EXPECT_NEAR(h.logMean, row.logMean, 1e-4) << which;
        EXPECT_NEAR(h.meanDifference, row.logMean, 1e-4) << which;
    }
}

TEST(HandCheck, FindsWhereTheColdStreamFirstRunsHotter) {
    struct Row {
        const char* name;
        bool intHot;
        std::vector<ProfilePoint> points;
        std::optional<double> cross;
    };
    const std::vector<Row> rows{
        {"apart all along", true, {{0, 80, 40}, {1, 70, 30}, {2, 60, 20}}, std::nullopt},
        {"touching is no cross", true, {{0, 80, 40}, {1, 60, 60}, {2, 60, 20}}, std::nullopt},
        // The difference cold - hot goes from -10 to +30 between 1 and 2 m: crosses at 1,25 m.
        {"crossing between points", true, {{0, 80, 40}, {1, 60, 50}, {2, 50, 80}}, 1.25},
        {"the internal stream cold", false, {{0, 40, 80}, {1, 50, 60}, {2, 80, 50}}, 1.25},
    };
    for (const Row& row : rows) {
        const auto x = temperatureCross(TemperatureProfile{row.points, 1}, row.intHot);
        ASSERT_EQ(x.has_value(), row.cross.has_value()) << row.name;
        if (x) EXPECT_NEAR(*x, *row.cross, 1e-12) << row.name;
    }
}

}  // namespace
}  // namespace zano
