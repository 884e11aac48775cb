// The design search as zano-calc --design runs it: the glycol cooler example's duty over a
// fixed range of catalogue pipes (inner NPS 1/2 to 3, Sch 40 and Sch 80), both allocations, the
// four arrangements with two branches and four leg lengths, on 1 and on 2 threads; wall time and
// candidates per second.
#include <benchmark/benchmark.h>

#include <string>

#include "formats/case_file.h"
#include "properties/calc_state.h"
#include "properties/wall_materials.h"
#include "solver/design_search.h"

namespace {

void searchDesignsBench(benchmark::State& st) {
    zano::CalcState state;
    state.data.dataDir = ZANO_SOURCE_DIR "/data";
    zano::dbmateriale(state);
    const zano::CaseData c =
        zano::loadCaseFile(ZANO_SOURCE_DIR "/examples/glycol-cooler-water-in-two-branches.zan");
    const zano::CaseData process = zano::designProcess(c, state.data);
    const zano::DesignLimits limits = zano::defaultLimits(process);
    zano::DesignChoices choices = zano::defaultChoices(process, state.data.pipeCatalogue());
    choices.standards = {"ASME B36.10M"};
    choices.schedules = {"Sch 40", "Sch 80"};
    choices.innerOd = {21, 90};
    choices.legs = {1.5, 3, 4.5, 6};
    choices.branches = {2};
    zano::SearchControl control;
    control.threads = static_cast<unsigned>(st.range(0));
    std::size_t total = 0, feasible = 0;
    for (auto _ : st) {
        const zano::DesignSearch s = zano::searchDesigns(process, state.data, limits, choices,
                                                         zano::Criterion::Surface, control);
        total = s.total, feasible = s.feasible.size();
    }
    st.counters["candidates"] = static_cast<double>(total);
    st.counters["feasible"] = static_cast<double>(feasible);
    st.counters["candidates_per_s"] = benchmark::Counter(
        static_cast<double>(total), benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(searchDesignsBench)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("threads")
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);
