#include "cli/sweep_cli.h"

#include <algorithm>
#include <cstdio>

#include "formats/sweep_export.h"
#include "solver/case_sweep.h"

namespace zano::cli {

int printSweep(const SweepRange& s, const CaseData& c, const DataFolder& data, bool json) {
    if (const auto why = sweepInputRefusal(s.input, c)) {
        std::fprintf(stderr, "zano-calc: --sweep: %s\n", why->c_str());
        return 2;
    }
    const std::vector<SweepPoint> points = runSweep(c, s, data);
    const std::string out = json ? sweepJson(s, points) : sweepCsv(s, points);
    std::fputs(out.c_str(), stdout);
    const bool allOk =
        std::all_of(points.begin(), points.end(), [](const SweepPoint& p) { return p.run.ok(); });
    return allOk ? 0 : 1;
}

}  // namespace zano::cli
