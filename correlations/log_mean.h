#pragma once

#include "records/case_data.h"

namespace zano {

// Log-mean temperature difference, K, of stream A (a1 in, a2 out) against stream B
// (b1 in, b2 out) in the arrangement `mode`.
double dtml(double a1, double a2, double b1, double b2, Arrangement mode);

}  // namespace zano
