// Every golden case (examples/*.zan, tests/golden/*.zan), run as scripts/golden runs it and
// again in the other correlation set, held to the physics every calculation satisfies: the
// checks of the stress run (tests/stress/result_checks).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "formats/case_file.h"
#include "properties/wall_materials.h"
#include "solver/case_run.h"
#include "tests/stress/result_checks.h"

namespace zano::stress {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> goldenCases() {
    std::vector<fs::path> files;
    for (const char* dir : {"examples", "tests/golden"})
        for (const auto& e : fs::directory_iterator(fs::path(ZANO_SOURCE_DIR) / dir))
            if (e.path().extension() == ".zan") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The case and its options as scripts/golden hands them to zano-calc: a name with
// "est-outlet" gives the external outlet, <case>.args the further options.
struct GoldenRun {
    CaseData c;
    RunOptions options{20, false};
    fs::path dataDir = fs::path(ZANO_SOURCE_DIR) / "data";
};

GoldenRun prepare(const fs::path& zan) {
    GoldenRun g{loadCaseFile(zan)};
    const bool estOutlet = zan.stem().string().find("est-outlet") != std::string::npos;
    g.c.estToutGiven = !g.c.intToutGiven && (g.c.estToutGiven || estOutlet);
    std::ifstream args(fs::path(zan).replace_extension(".args"));
    for (std::string a, v; args >> a;) {
        if (a == "--films")
            g.options.otherSet = true;
        else if (a == "--profile" && args >> v)
            g.options.profileSteps = std::stoi(v);
        else if (a == "--correlations" && args >> v)
            g.c.correlations = correlationSetOption(v).value_or(CorrelationSet::Classic);
        else if (a == "--data" && args >> v)
            g.dataDir = zan.parent_path() / v;
        else if ((a == "--units" || a == "--decimal") && args >> v)
            continue;  // the output's units: the calculation is the same
        else
            ADD_FAILURE() << "an option the test does not know: " << a;
    }
    return g;
}

// The tables of a data folder, read once for the checks and once for the calculation.
const std::pair<Fluids, DataFolder>& folder(const fs::path& dir) {
    static std::map<fs::path, std::pair<Fluids, DataFolder>> loaded;
    if (!loaded.contains(dir)) {
        CalcState s;
        s.data.dataDir = dir;
        try {
            dbmateriale(s);
            loaded[dir] = {Fluids::load(dir), s.data};
        } catch (const std::exception&) {  // a folder of unreadable tables: no results to check
            loaded[dir] = {Fluids{}, s.data};
        }
    }
    return loaded[dir];
}

class GoldenCase : public testing::TestWithParam<fs::path> {};

TEST_P(GoldenCase, ResultsObeyThePhysicsOrEndInASystemMessage) {
    GoldenRun g = prepare(GetParam());
    const auto& [fluids, data] = folder(g.dataDir);
    for (const bool otherSet : {false, true}) {
        if (otherSet)
            g.c.correlations = g.c.correlations == CorrelationSet::Classic
                                   ? CorrelationSet::Refined
                                   : CorrelationSet::Classic;
        SCOPED_TRACE(g.c.correlations == CorrelationSet::Refined ? "refined" : "classic");
        const CaseRun run = runCase(g.c, data, g.options);
        EXPECT_EQ(brokenChecks(fluids, run.entered, run.out, run.profile), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenCase, testing::ValuesIn(goldenCases()),
                         [](const testing::TestParamInfo<fs::path>& info) {
                             std::string name = info.param.parent_path().filename().string() + "_" +
                                                info.param.stem().string();
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

}  // namespace
}  // namespace zano::stress
