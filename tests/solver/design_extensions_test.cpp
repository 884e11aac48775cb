// The views beyond the results record: temperature profile, design margins, hairpins, export.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/errors.h"
#include "base/number_text.h"
#include "formats/case_file.h"
#include "formats/result_schema.h"
#include "formats/results_export.h"
#include "golden_text.h"
#include "reference_cases.h"
#include "solver/case_run.h"
#include "solver/case_values.h"
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

TEST(Hairpins, AnswerTheGoldenTable) {
    const std::string file = "solver/golden/hairpins.txt";
    const std::string out =
        golden_text::table(file, [](const std::string& op, const std::string& argument) {
            try {
                if (op == "leg") {
                    const auto leg = hairpinLeg(argument);
                    return leg ? golden_text::shown(*leg) : "none";
                }
                const std::vector<double> a = golden_text::numbers(argument);
                const Hairpins h = hairpinsFor(a.at(0), a.at(1));
                return std::to_string(h.count) + ", " + golden_text::shown(h.providedLength) + " m";
            } catch (const CalcError& e) {
                return std::string("Invalid data: ") + e.detail();
            }
        });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
}

// The hairpins as built that the profile chart draws for the golden cases and the example with
// a stream in branches, set down in tests/solver/golden/built_profiles.txt: each stream starts
// at its inlet, and those through every hairpin drawn end at the network's outlets, which the
// branches' outlets make when mixed.
TEST(BuiltProfile, RunsEachStreamFromItsInletToTheNetworksOutlets) {
    CalcState s;
    s.data.dataDir = ZANO_SOURCE_DIR "/data";
    dbmateriale(s);
    std::string text;
    const auto shown = [](double v) { return formatDouble(roundTo(v, 4), '.'); };
    for (const char* file : {"tests/golden/branches-both-3-capacity-given.zan",
                             "tests/golden/branches-both-3-properties-each-hairpin.zan",
                             "tests/golden/branches-external-3-length-given.zan",
                             "tests/golden/branches-internal-2-capacity-given.zan",
                             "examples/glycol-cooler-water-in-two-branches.zan"}) {
        SCOPED_TRACE(file);
        const CaseRun run =
            runCase(loadCaseFile(std::string(ZANO_SOURCE_DIR "/") + file), s.data, {});
        ASSERT_TRUE(run.ok() && run.hairpins) << run.out.detail;
        const Hairpins& h = *run.hairpins;
        const BuiltProfile p = builtProfile(h, run.solved.controequi);
        text += std::string("== ") + file + ": " + std::to_string(h.count) + " hairpins, " +
                std::to_string(p.banks) + " banks, " + shown(p.length) + " m, outlets " +
                shown(*h.intToutBuilt) + " and " + shown(*h.estToutBuilt) + " degC\n";
        double mixed = 0;  // the branches' outlets, averaged
        for (const BuiltCurve& curve : p.curves) {
            const double inlet =
                caseDouble(run.solved, curve.internal ? &CaseData::intTin : &CaseData::estTin);
            const double outlet = *(curve.internal ? h.intToutBuilt : h.estToutBuilt);
            EXPECT_EQ(curve.points.front().t, inlet);
            if (curve.branch == 0) {
                EXPECT_EQ(curve.points.back().t, outlet);
            }
            if (curve.branch > 0) mixed += curve.points.back().t / double(p.curves.size() - 1);
            text += std::string(curve.internal ? "internal" : "external") + ", branch " +
                    std::to_string(curve.branch) + ": " + std::to_string(curve.points.size()) +
                    " points, " + shown(curve.points.front().t) + " degC at " +
                    shown(curve.points.front().x) + " m to " + shown(curve.points.back().t) +
                    " degC at " + shown(curve.points.back().x) + " m\n";
        }
        if (p.banks == 0) {
            EXPECT_NEAR(mixed, p.curves[0].internal ? *h.estToutBuilt : *h.intToutBuilt, 0.05);
        }
    }
    EXPECT_EQ(golden_text::mismatch("solver/golden/built_profiles.txt", text), "");
}

// The exports of one calculation with everything it can give (margins, hairpins, the breakdown
// of U, the other set, a profile), set down in tests/solver/golden/exports_of_one_case.txt.
TEST(Export, CsvJsonAndTabTextOfOneCalculation) {
    CaseData c = userFluidCase();
    c.mat = "Cupronickel 90/10, drawn";  // a name a CSV field must quote
    c.hairpinLength = "3";
    CalcState s;
    dbmateriale(s);
    s.data.materials.push_back({c.mat, 40, 1.5e-6});
    const CaseRun run = runCase(c, s.data, {4, true});
    ASSERT_TRUE(run.ok());
    const ResultsExtras extras = extrasOf(run);
    const ExportParts all{true, true, true};
    const std::string text = "== CSV\n" + caseCsv(run, all, true) + "== JSON\n" +
                             caseJson(run, all) + "== tab-separated text\n" +
                             resultsTabText(*run.out.results, extras);
    EXPECT_EQ(golden_text::mismatch("solver/golden/exports_of_one_case.txt", text), "");
}

}  // namespace
}  // namespace zano
