#include "records/design_margins.h"

#include <cmath>

#include "base/errors.h"
#include "base/number_text.h"
#include "base/plain_text.h"

namespace zano {

Hairpins hairpinsFor(double length, double legLength) {
    if (!(length > 0) || !(legLength > 0))
        invalidData("the hairpin count needs a positive length and hairpin length");
    // A length that is an exact multiple within the last rounding needs no extra hairpin.
    const double hairpins = length / (2 * legLength);
    const auto count = static_cast<int>(std::ceil(hairpins * (1 - 1e-9)));
    if (count > 1'000'000) invalidData("the hairpin length is too short for this exchanger");
    return {count, count * 2 * legLength};
}

std::optional<double> hairpinLeg(const std::string& text) {
    if (isBlankText(text)) return std::nullopt;
    const auto v = parseDouble(text);
    if (!v || !(*v > 0))
        invalidData("The hairpin length \"" + excerpt(text) + "\" is not a positive number");
    return *v;
}

}  // namespace zano
