#include "correlations/log_mean.h"

#include <cmath>

#include "base/errors.h"

namespace zano {

double dtml(double a1, double a2, double b1, double b2, Arrangement mode) {
    // Countercurrent: each inlet faces the other stream's outlet. Equicurrent: both inlets at
    // the same end.
    const bool contro = mode == Arrangement::Countercurrent;
    const double dt1 = contro ? a1 - b2 : a1 - b1;
    const double dt2 = contro ? a2 - b1 : a2 - b2;
    // Equal end differences: the log-mean is that difference (the formula would be 0/0).
    if (dt1 == dt2) return dt1;

    const double ratio = dt1 / dt2;
    if (!(ratio > 0) || !std::isfinite(ratio))
        invalidData(
            "the outlet temperatures cross: the log-mean temperature difference is undefined");
    return finiteOr((dt1 - dt2) / std::log(ratio),
                    "the two end temperature differences are too close: the log-mean "
                    "temperature difference cannot be computed");
}

}  // namespace zano
