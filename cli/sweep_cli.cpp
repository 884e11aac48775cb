#include "cli/sweep_cli.h"

#include <algorithm>
#include <cstdio>

#include "formats/sweep_export.h"
#include "solver/case_sweep.h"

namespace zano::cli {

int printSweep(const SweepRange& shown, const CaseData& c, const DataFolder& data, bool json,
               const Units& units) {
    if (const auto why = sweepInputRefusal(shown.input, c)) {
        std::fprintf(stderr, "zano-calc: --sweep: %s\n", why->c_str());
        return 2;
    }
    SweepRange s = shown;
    s.from = toSi(s.input.quantity, shown.from, units.system);
    s.to = toSi(s.input.quantity, shown.to, units.system);
    const std::vector<SweepPoint> points = runSweep(c, s, data);
    const std::string out = json ? sweepJson(s, points, units) : sweepCsv(s, points, units);
    std::fputs(out.c_str(), stdout);
    const bool allOk =
        std::all_of(points.begin(), points.end(), [](const SweepPoint& p) { return p.run.ok(); });
    return allOk ? 0 : 1;
}

}  // namespace zano::cli
