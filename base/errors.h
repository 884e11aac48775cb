#pragma once

#include <cmath>
#include <stdexcept>
#include <string>

namespace zano {

// The messages the user sees, verbatim.
namespace msg {
inline constexpr const char* kInvalidIntPressure = "Invalid pressure of internal fluid";
inline constexpr const char* kInvalidEstPressure = "Invalid pressure of external fluid";
inline constexpr const char* kInvalidTemperatures = "Invalid temperatures";
inline constexpr const char* kOutOfRange =
    "Temperatures out of allowed range for the selected fluid";
inline constexpr const char* kNtuTooHigh = "Invalid data: NTUmin too high";
inline constexpr const char* kCapacityTooHigh = "Capacity too high";
inline constexpr const char* kInvalidData = "Invalid data";
inline constexpr const char* kNotConverged = "Calculation did not converge";
}  // namespace msg

// The one exception of the calculation. `message` is one of the texts above; `detail`
// says what the user has to fix (for "Invalid data" always, for the others where a cause is
// known). `field` names the case's field at fault, as the case's field table names it
// ("deti", "intTin"), so that the windows can take the user there; empty when no one field is.
class CalcError : public std::runtime_error {
  public:
    explicit CalcError(const std::string& message, std::string detail = {}, std::string field = {})
        : std::runtime_error(message), detail_(std::move(detail)), field_(std::move(field)) {}
    std::string message() const { return what(); }
    const std::string& detail() const noexcept { return detail_; }
    const std::string& field() const noexcept { return field_; }

  private:
    std::string detail_;
    std::string field_;
};

// Ends the calculation with "Invalid data" and the cause; the second names the field at fault.
[[noreturn]] void invalidData(const std::string& detail);
[[noreturn]] void invalidData(const std::string& detail, const std::string& field);

// A non-finite result (division by zero, overflow, invalid logarithm or power) is a fault:
// returns v when finite, otherwise ends with "Invalid data: <what> is not a finite number".
double finite(double v, const char* what);

// The same with the cause given whole: returns v when finite, otherwise ends with "Invalid
// data" and `cause`.
inline double finiteOr(double v, const char* cause) {
    if (!std::isfinite(v)) [[unlikely]]
        invalidData(cause);
    return v;
}

[[noreturn]] void notSingle(const char* what);

// sgl(): rounds to single precision. A finite double beyond the single range is an overflow.
// Inline: the table searches narrow two differences per row.
inline float sgl(double v, const char* what = "a value") {
    const auto f = static_cast<float>(v);
    if (!std::isfinite(f)) [[unlikely]]
        notSingle(what);
    return f;
}

}  // namespace zano
