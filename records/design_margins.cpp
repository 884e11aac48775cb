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
    const double hairpins = std::ceil(length / (2 * legLength) * (1 - 1e-9));
    // Checked before it becomes an int, which could not hold it.
    if (!(hairpins <= kMaxHairpins))
        invalidData("the exchanger would need more than a million hairpins of this length");
    const auto count = static_cast<int>(hairpins);
    Hairpins h;
    h.count = count;
    h.providedLength = count * 2 * legLength;
    return h;
}

std::optional<double> hairpinLeg(const std::string& text) {
    if (isBlankText(text)) return std::nullopt;
    const auto v = parseDouble(text);
    if (!v || !(*v > 0))
        invalidData("The hairpin length \"" + excerpt(text) + "\" is not a positive number");
    if (*v < kMinHairpinLength)
        invalidData("The hairpin length \"" + excerpt(text) +
                    "\" is below 0,1 m: no hairpin is that short");
    if (*v > kMaxHairpinLength)
        invalidData("The hairpin length \"" + excerpt(text) +
                    "\" is above 50 m: no hairpin is that long");
    return *v;
}

namespace {

// A whole number from 1 to `most` in a case's text; Invalid data, naming `what`, otherwise.
int wholeCount(std::string_view text, const char* what, double most) {
    const auto v = parseDouble(text);
    if (!v || !(*v >= 1) || *v != std::floor(*v))
        invalidData(std::string("The ") + what + " \"" + excerpt(text) +
                    "\" are not a whole number from 1 up");
    if (!(*v <= most))
        invalidData(std::string("The ") + what + " \"" + excerpt(text) + "\" are more than " +
                    formatDouble(most) + ", more than any exchanger has");
    return static_cast<int>(*v);
}

}  // namespace

std::optional<int> hairpinsSet(std::string_view text) {
    if (isBlankText(text)) return std::nullopt;
    return wholeCount(text, "hairpins", kMaxHairpins);
}

std::optional<double> measureSet(std::string_view text, const char* what, double most) {
    if (isBlankText(text)) return std::nullopt;
    const auto v = parseDouble(text);
    if (!v || !(*v > 0) || !(*v <= most))
        invalidData(std::string("The ") + what + " \"" + excerpt(text) +
                    "\" is not a number above 0 and up to " + formatDouble(most));
    return *v;
}

int branchesSet(std::string_view text) {
    return isBlankText(text) ? 1 : wholeCount(text, "branches", kMaxBranches);
}

}  // namespace zano
