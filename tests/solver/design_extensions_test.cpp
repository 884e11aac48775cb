// The views beyond the results record: temperature profile, design margins, hairpins, export.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/errors.h"
#include "formats/result_schema.h"
#include "formats/results_export.h"
#include "golden_text.h"
#include "reference_cases.h"
#include "solver/case_run.h"
#include "solver/temperature_profile.h"

namespace zano {
namespace {

using testing_cases::userFluidCase;

TEST(TemperatureProfile, ConstantPropertiesFollowTheExponentialSolution) {
    for (const Arrangement arrangement : {Arrangement::Countercurrent, Arrangement::Equicurrent}) {
        SCOPED_TRACE(arrangementWord(arrangement));
        CaseData c = userFluidCase();
        c.controequi = arrangement;
        CalcState s;
        dbmateriale(s);
        const CalcOutcome out = calculate(c, s);
        ASSERT_TRUE(out.ok()) << out.detail;
        const ResultsData& r = *out.results;
        const TemperatureProfile p = temperatureProfile(s, r, 50);
        ASSERT_EQ(p.points.size(), 51u);
        EXPECT_NEAR(p.scale, 1, 1e-3);

        // Hot internal stream: d(Ti)/dx = -k theta / Ci, and the external stream gains the same
        // heat, flowing against x in countercurrent: theta = theta0 exp(-a x).
        const bool contro = arrangement == Arrangement::Countercurrent;
        const double k = r.U * 3.141593 * 0.025 / 1000;  // kW/(m K)
        const double Ci = 0.3 * 4.2, Ce = 0.8 * 4.2;
        const double a = k * (1 / Ci + (contro ? -1 : 1) / Ce);
        const double theta0 = r.intTin - (contro ? r.estTout : r.estTin);
        for (const ProfilePoint& pt : p.points) {
            const double theta = theta0 * std::exp(-a * pt.x);
            const double ti = r.intTin - k / Ci * theta0 * (1 - std::exp(-a * pt.x)) / a;
            EXPECT_NEAR(pt.intT, ti, 0.1) << "x = " << pt.x;
            EXPECT_NEAR(pt.estT, ti - theta, 0.1) << "x = " << pt.x;
        }
    }
}

TEST(Hairpins, CountsWholeHairpinsThatCoverTheLength) {
    struct Row {
        double length, leg;
        int count;
        double provided;
    };
    const Row rows[] = {
        {12, 3, 2, 12},       {12.001, 3, 3, 18},   {0.6, 0.1, 3, 0.6},    {0.7, 0.35, 1, 0.7},
        {0.71, 0.35, 2, 1.4}, {5.014596, 6, 1, 12}, {12.000001, 3, 3, 18},
    };
    for (const auto& row : rows) {
        const Hairpins h = hairpinsFor(row.length, row.leg);
        EXPECT_EQ(h.count, row.count) << row.length << " m with legs of " << row.leg;
        EXPECT_NEAR(h.providedLength, row.provided, 1e-12);
    }
    EXPECT_THROW(hairpinsFor(10, 0), CalcError);
    EXPECT_EQ(hairpinsFor(2e6, 1).count, 1'000'000);
    EXPECT_THROW(hairpinsFor(2e6 + 2, 1), CalcError) << "more than a million";
    EXPECT_THROW(hairpinsFor(1e9, 1e-300), CalcError) << "a count no int holds";
    EXPECT_EQ(hairpinLeg(""), std::nullopt);
    EXPECT_EQ(hairpinLeg("6,1"), 6.1);
    EXPECT_EQ(hairpinLeg("0,1"), 0.1);
    EXPECT_THROW(hairpinLeg("1E-300"), CalcError) << "shorter than any hairpin";
    EXPECT_THROW(hairpinLeg("-2"), CalcError);
    EXPECT_THROW(hairpinLeg("abc"), CalcError);
}

// The exports of one calculation with everything it can give (margins, hairpins, the breakdown
// of U, the other set, a profile), set down in tests/solver/golden/exports.txt.
TEST(Export, CsvJsonAndTabTextOfOneCalculation) {
    CaseData c = userFluidCase();
    c.mat = "Cupronickel 90/10";
    c.hairpinLength = "3";
    CalcState s;
    dbmateriale(s);
    const CaseRun run = runCase(c, s.data, {4, true});
    ASSERT_TRUE(run.ok());
    const ResultsExtras extras{run.out.margins, run.hairpins, run.out.films,
                               run.solved.correlations, run.otherSet};
    const ExportParts all{true, true, true};
    const std::string text = "== CSV\n" + caseCsv(run, all, true) + "== JSON\n" +
                             caseJson(run, all) + "== tab-separated text\n" +
                             resultsTabText(*run.out.results, extras);
    EXPECT_EQ(golden_text::mismatch("solver/golden/exports.txt", text), "");
}

}  // namespace
}  // namespace zano
