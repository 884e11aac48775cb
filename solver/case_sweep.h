#pragma once

#include <functional>
#include <vector>

#include "properties/data_folder.h"
#include "records/case_sweep.h"

namespace zano {

// Calculates the case at each value of the sweep, in order; a value where the case fails keeps
// its point with the message. `progress(done)` after each point may return false to stop, and
// the points calculated so far are returned. Each point is one case run, without its profile.
std::vector<SweepPoint> runSweep(const CaseData& c, const SweepRange& s, const DataFolder& data,
                                 const std::function<bool(int done)>& progress = {});

}  // namespace zano
