// A sweep's point at the case's own value is the case: the same row as the case's CSV export.
#include "solver/case_sweep.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/number_text.h"
#include "formats/case_file.h"
#include "formats/result_schema.h"
#include "formats/sweep_export.h"
#include "properties/wall_materials.h"
#include "solver/case_run.h"

namespace zano {
namespace {

TEST(CaseSweep, ThePointAtTheCasesOwnValueIsTheCasesResult) {
    CalcState state;
    state.data.dataDir = ZANO_SOURCE_DIR "/data";
    dbmateriale(state);
    int compared = 0;
    for (const auto& file : std::filesystem::directory_iterator(ZANO_SOURCE_DIR "/examples")) {
        if (file.path().extension() != ".zan") continue;
        const CaseData c = loadCaseFile(file.path());
        const CaseRun own = runCase(c, state.data, {});
        for (const char* name : {"intTin", "estTin", "estSporc"}) {
            SweepRange s{std::get<SweepInput>(sweepInputNamed(name))};
            s.from = *parseDouble(s.input.text(c));
            s.to = s.from + 1;  // the own value first
            const std::string rows = sweepCsv(s, runSweep(c, s, state.data));
            const std::size_t first = rows.find("\r\n") + 2;
            const std::string row = rows.substr(first, rows.find("\r\n", first) - first);
            const std::string expected =
                own.ok() ? caseCsv(own, {}, false) : "(" + runMessage(own) + ")\r\n";
            EXPECT_EQ(row,
                      shortestNumber(s.from) + "," + expected.substr(0, expected.size() - 2) + ",")
                << file.path() << " " << name;
            ++compared;
        }
    }
    EXPECT_GE(compared, 30);
}

}  // namespace
}  // namespace zano
