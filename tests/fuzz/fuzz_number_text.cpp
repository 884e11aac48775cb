// Number texts: any bytes either parse to a finite number or are refused; a parsed number
// written in the general format reads back to the same value (to the digits the format keeps),
// and Round(v, n) stays within half a unit of the n-th decimal.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/number_text.h"
#include "fuzz_support.h"

namespace {

using zano::fuzz::broken;

bool onlyNumberCharacters(const std::string& text, char sep) {
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'E' || c == sep)) return false;
    return true;
}

template <typename T>
void checkRoundTrip(T v, const std::string& original) {
    constexpr bool single = sizeof(T) == sizeof(float);
    // 7 significant digits for a single, 15 for a double: the text is within half a unit of the
    // last digit kept, and parsing it rounds once more to the type.
    const double tolerance = single ? 6e-7 : 6e-15;
    for (const char sep : {',', '.'}) {
        const std::string text = single ? zano::formatSingle(static_cast<float>(v), sep)
                                        : zano::formatDouble(static_cast<double>(v), sep);
        ZANO_FUZZ_CHECK(!text.empty() && onlyNumberCharacters(text, sep), original + " -> " + text);
        const auto back = single ? std::optional<T>(zano::parseSingle(text))
                                 : std::optional<T>(zano::parseDouble(text));
        ZANO_FUZZ_CHECK(back.has_value(), original + " -> " + text);
        const double diff = std::fabs(static_cast<double>(*back) - static_cast<double>(v));
        // Subnormal singles keep fewer digits, but the nearest single is then the value itself.
        ZANO_FUZZ_CHECK(*back == v || diff <= tolerance * std::fabs(static_cast<double>(v)),
                        original + " -> " + text);
        // Formatting is stable: the text read back formats to the same text.
        const std::string again = single ? zano::formatSingle(static_cast<float>(*back), sep)
                                         : zano::formatDouble(static_cast<double>(*back), sep);
        if (!single) ZANO_FUZZ_CHECK(again == text, text + " -> " + again);
    }
    for (int n = 0; n <= 4; ++n) {
        const T r = zano::roundTo(v, n);
        ZANO_FUZZ_CHECK(std::isfinite(static_cast<double>(r)), original);
        // Half a unit of the n-th decimal, plus the rounding of the result to the type.
        const double half = 0.5 * std::pow(10.0, -n);
        const double ulp = std::fabs(static_cast<double>(v)) * (single ? 1.2e-7 : 2.3e-16);
        ZANO_FUZZ_CHECK(
            std::fabs(static_cast<double>(r) - static_cast<double>(v)) <= half * (1 + 1e-9) + ulp,
            original + " rounded to " + std::to_string(n));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto d = zano::parseDouble(text);
    const auto f = zano::parseSingle(text);
    if (d) {
        ZANO_FUZZ_CHECK(std::isfinite(*d), text);
        checkRoundTrip(*d, text);
    }
    if (f) {
        ZANO_FUZZ_CHECK(std::isfinite(*f), text);
        // Both readings accept the same shapes: a single is refused only when it overflows.
        ZANO_FUZZ_CHECK(d.has_value(), text);
        checkRoundTrip(*f, text);
    } else if (d) {
        ZANO_FUZZ_CHECK(std::fabs(*d) > 3.4e38, text);
    }
    return 0;
}
