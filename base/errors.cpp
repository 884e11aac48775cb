#include "base/errors.h"

#include <cmath>

namespace zano {

void invalidData(const std::string& detail) {
    throw CalcError(msg::kInvalidData, detail);
}

void invalidData(const std::string& detail, const std::string& field) {
    throw CalcError(msg::kInvalidData, detail, field);
}

double finite(double v, const char* what) {
    if (!std::isfinite(v)) invalidData(std::string(what) + " is not a finite number");
    return v;
}

void notSingle(const char* what) {
    invalidData(std::string(what) + " is not a finite single-precision number");
}

}  // namespace zano
