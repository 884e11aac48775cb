// One whole case run per iteration, as the programs run a case (the tables parsed on the first
// and reused after), for each of the six modes; and a fixed batch of random cases from the
// stress generator, timed per case.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "formats/case_file.h"
#include "properties/wall_materials.h"
#include "solver/case_run.h"
#include "tests/stress/case_generator.h"

namespace {

void calculateExample(benchmark::State& st, const char* file, bool estOutletGiven) {
    zano::CalcState state;
    zano::dbmateriale(state);
    const zano::CaseData original =
        zano::loadCaseFile(std::string(ZANO_SOURCE_DIR "/examples/") + file);
    for (auto _ : st) {
        zano::CaseData c = original;
        c.estToutGiven = !c.intToutGiven && estOutletGiven;
        const zano::CaseRun run = zano::runCase(c, state.data, {});
        if (!run.ok()) st.SkipWithError((run.out.message + ": " + run.out.detail).c_str());
        benchmark::DoNotOptimize(run);
    }
}

// The same cases in every build: a fixed seed and count, sound and broken cases mixed as the
// stress run mixes them, so a change that speeds up one path cannot hide a slower other one.
constexpr unsigned long long kBatchSeed = 20261206;
constexpr int kBatchCases = 500;

void calculateRandomBatch(benchmark::State& st) {
    const std::string dataDir = ZANO_SOURCE_DIR "/data";
    const auto fluids = zano::stress::Fluids::load(dataDir);
    zano::stress::CaseGenerator gen(fluids, kBatchSeed);
    std::vector<zano::CaseData> batch;
    for (int i = 0; i < kBatchCases; ++i) batch.push_back(gen.next().c);
    zano::CalcState state;
    state.data.dataDir = dataDir;
    zano::dbmateriale(state);  // once, as the programs read it at start
    for (auto _ : st)
        for (const zano::CaseData& c : batch)
            benchmark::DoNotOptimize(zano::runCase(c, state.data, {}));
    // Seconds per case, averaged over the batch.
    st.counters["per_case"] = benchmark::Counter(
        kBatchCases, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK_CAPTURE(calculateExample, A_length, "water-heated-by-water.zan", false);
BENCHMARK_CAPTURE(calculateExample, A_capacity, "methanol-cooled-by-water.zan", false);
BENCHMARK_CAPTURE(calculateExample, B_length, "r134a-liquid-subcooler-est-outlet.zan", true);
BENCHMARK_CAPTURE(calculateExample, B_capacity, "nitrogen-cooler-est-outlet.zan", true);
BENCHMARK_CAPTURE(calculateExample, C_length, "air-heated-by-water.zan", false);
BENCHMARK_CAPTURE(calculateExample, C_capacity, "glycol-loop-cooled-by-water.zan", false);
BENCHMARK(calculateRandomBatch)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
