// One whole calculation per iteration, both table loads included, for each of the six modes.
#include <benchmark/benchmark.h>

#include <string>

#include "formats/case_file.h"
#include "solver/driver.h"

namespace {

void calculateExample(benchmark::State& st, const char* file, bool estOutletGiven) {
    zano::CalcState state;
    zano::dbmateriale(state);
    const zano::CaseData original =
        zano::loadCaseFile(std::string(ZANO_SOURCE_DIR "/examples/") + file);
    for (auto _ : st) {
        zano::CaseData c = original;
        c.estToutGiven = !c.intToutGiven && estOutletGiven;
        const zano::CalcOutcome out = zano::calculate(c, state);
        if (!out.ok()) st.SkipWithError((out.message + ": " + out.detail).c_str());
        benchmark::DoNotOptimize(out);
    }
}

}  // namespace

BENCHMARK_CAPTURE(calculateExample, A_length, "water-heated-by-water.zan", false);
BENCHMARK_CAPTURE(calculateExample, A_capacity, "methanol-cooled-by-water.zan", false);
BENCHMARK_CAPTURE(calculateExample, B_length, "r134a-liquid-subcooler-est-outlet.zan", true);
BENCHMARK_CAPTURE(calculateExample, B_capacity, "nitrogen-cooler-est-outlet.zan", true);
BENCHMARK_CAPTURE(calculateExample, C_length, "air-heated-by-water.zan", false);
BENCHMARK_CAPTURE(calculateExample, C_capacity, "glycol-loop-cooled-by-water.zan", false);

BENCHMARK_MAIN();
