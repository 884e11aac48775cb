#include "solver/case_sweep.h"

#include "base/errors.h"
#include "solver/case_run.h"

namespace zano {

std::vector<SweepPoint> runSweep(const CaseData& c, const SweepRange& s, const DataFolder& data,
                                 const std::function<bool(int done)>& progress) {
    std::vector<SweepPoint> points;
    points.reserve(static_cast<std::size_t>(s.steps) + 1);
    for (int i = 0; i <= s.steps; ++i) {
        SweepPoint p{sweepValue(s, i), {}};
        CaseData at = c;
        if (const auto why = setSweepValue(at, s.input, p.value)) {
            p.run.entered = p.run.solved = at;
            p.run.out.message = msg::kInvalidData;
            p.run.out.detail = *why;
        } else {
            p.run = runCase(at, data, {});
        }
        points.push_back(std::move(p));
        if (progress && !progress(i + 1)) break;
    }
    return points;
}

}  // namespace zano
