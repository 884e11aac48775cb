#include "core/errors.h"

#include <cmath>

namespace zano {

void invalidData(const std::string& detail) {
    throw CalcError(msg::kInvalidData, detail);
}

double finite(double v, const char* what) {
    if (!std::isfinite(v)) invalidData(std::string(what) + " is not a finite number");
    return v;
}

float sgl(double v, const char* what) {
    const auto f = static_cast<float>(v);
    if (!std::isfinite(f))
        invalidData(std::string(what) + " is not a finite single-precision number");
    return f;
}

}  // namespace zano
