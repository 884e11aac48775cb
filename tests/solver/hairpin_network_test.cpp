// Hairpins in branches, rated hairpin by hairpin, against the analytic result for a fluid of
// constant properties: each branch's hairpins form one exchanger of effectiveness e (Kays and
// London's relations for counterflow and parallel flow), and the series stream passes the P
// branches one after the other, so that its approach to the branches' inlet shrinks by
// (1 - e Cmin/Cs) in each: (Ts,out - Tb,in) = (Ts,in - Tb,in) (1 - e Cmin/Cs)^P.
#include "solver/hairpin_network.h"

#include <gtest/gtest.h>

#include <cmath>

#include "properties/calc_state.h"
#include "properties/wall_materials.h"
#include "reference_cases.h"
#include "solver/case_run.h"

namespace zano {
namespace {

double effectiveness(double ntu, double cr, bool contro) {
    if (!contro) return (1 - std::exp(-ntu * (1 + cr))) / (1 + cr);
    const double e = std::exp(-ntu * (1 - cr));
    return (1 - e) / (1 - cr * e);
}

TEST(HairpinNetwork, AgreesWithTheAnalyticSeriesParallelResultAndWithTheWholeExchanger) {
    CalcState s;
    s.data.dataDir = ZANO_SOURCE_DIR "/data";
    dbmateriale(s);
    CaseData c = testing_cases::userFluidCase();  // 80 degC inside at 0,3 kg/s, 15 outside at 0,8
    const double cp = 4.2, ci = 0.3 * cp, ce = 0.8 * cp;  // kW/K
    const int hairpins = 12;
    struct Row {
        Branches b;
        Arrangement arrangement;
    } rows[] = {{{2, 1}, Arrangement::Countercurrent},
                {{1, 3}, Arrangement::Countercurrent},
                {{4, 1}, Arrangement::Countercurrent},
                {{1, 2}, Arrangement::Equicurrent},
                {{3, 1}, Arrangement::Equicurrent}};
    for (const Row& row : rows) {
        c.controequi = row.arrangement;
        const NetworkFigures n = rateNetwork(c, hairpins, 1.5, row.b, s.data);
        const bool seriesInternal = row.b.internal == 1;
        const int P = std::max(row.b.internal, row.b.external);
        const double cs = seriesInternal ? ci : ce, cb = (seriesInternal ? ce : ci) / P;
        const double sIn = seriesInternal ? 80 : 15, bIn = seriesInternal ? 15 : 80;
        const double ntu = hairpins / P * n.hairpins[0].Ua / 1000 / std::min(cs, cb);
        const double e = effectiveness(ntu, std::min(cs, cb) / std::max(cs, cb),
                                       row.arrangement == Arrangement::Countercurrent);
        const double sOut = bIn + (sIn - bIn) * std::pow(1 - e * std::min(cs, cb) / cs, P);
        const double nOut = seriesInternal ? n.intTout : n.estTout;
        const double bOut = seriesInternal ? n.estTout : n.intTout;
        SCOPED_TRACE(std::to_string(row.b.internal) + " x " + std::to_string(row.b.external));
        EXPECT_NEAR(nOut, sOut, 0.005 * std::fabs(sIn - sOut));
        EXPECT_NEAR(n.q, cs * std::fabs(sIn - nOut), 0.005 * n.q);  // both duties
        EXPECT_NEAR(n.q, cb * P * std::fabs(bOut - bIn), 0.005 * n.q);
        EXPECT_LT(n.F, 1.0);
    }
    // One branch each: hairpin by hairpin as the exchanger calculated whole, F = 1.
    c.controequi = Arrangement::Countercurrent;
    const NetworkFigures whole = rateNetwork(c, hairpins, 1.5, {}, s.data);
    const NetworkFigures each = rateNetwork(c, hairpins, 1.5, {}, s.data, true);
    EXPECT_NEAR(each.q, whole.q, 0.005 * whole.q);
    EXPECT_NEAR(each.intTout, whole.intTout, 0.005 * (80 - whole.intTout));
    EXPECT_NEAR(whole.F, 1, 0.005);
}

// With the length and the internal outlet given, the hairpins as built carry the internal flow
// that takes the stream to that outlet: in branches its balance (cp 4.2 kJ/(kg K)) gives the
// rated capacity, and in series, hairpin by hairpin, the flow is the whole exchanger's.
TEST(HairpinNetwork, CarriesTheFlowThatReachesTheOutletGiven) {
    CaseData c = testing_cases::userFluidCase();
    c.LGiven = c.intToutGiven = true;
    c.intTout = "50", c.intPort = "";
    c.hairpinLength = "1,5", c.hairpins = "12";
    CalcState s;
    s.data.dataDir = ZANO_SOURCE_DIR "/data";
    dbmateriale(s);
    for (const char* branches : {"3", "1"}) {
        c.estBranches = branches;
        c.propertiesPerHairpin = std::string(branches) == "1";
        const CaseRun run = runCase(c, s.data, {});
        ASSERT_TRUE(run.ok() && run.hairpins && run.hairpins->intPortBuilt) << branches;
        const Hairpins& h = *run.hairpins;
        EXPECT_NEAR(*h.intToutBuilt, 50, 1e-3);
        EXPECT_NEAR(*h.ratedCapacity, *h.intPortBuilt * 4.2 * 30, 0.005 * *h.ratedCapacity);
        if (c.propertiesPerHairpin)
            EXPECT_NEAR(*h.intPortBuilt, run.out.results->intPort, 0.005 * *h.intPortBuilt);
        else
            EXPECT_LT(*h.intPortBuilt, 0.99 * run.out.results->intPort);  // F < 1 carries less
    }
}

}  // namespace
}  // namespace zano
