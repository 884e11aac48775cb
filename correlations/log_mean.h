#pragma once

#include <string_view>

namespace zano {

// Log-mean temperature difference, K, of stream A (a1 in, a2 out) against stream B
// (b1 in, b2 out) for mode "contro" or "equi"; any other mode gives 0.
double dtml(double a1, double a2, double b1, double b2, std::string_view mode);

}  // namespace zano
