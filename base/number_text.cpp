#include "base/number_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <system_error>

#include "base/plain_text.h"

namespace zano {
namespace {

// True when the text has the shape [sign] digits [sep digits] [E [sign] digits], with at
// least one mantissa digit and at most one separator (',' or '.').
bool isNumberShape(std::string_view t) {
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t start = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
        return i - start;
    };
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t mantissaDigits = digits();
    if (i < t.size() && (t[i] == ',' || t[i] == '.')) {
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) return false;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == t.size();
}

template <typename T>
std::optional<T> parse(std::string_view text) {
    const std::string_view t = trimBlanks(text);
    if (!isNumberShape(t)) return std::nullopt;
    // from_chars reads '.' as the decimal point and takes no '+' before the mantissa: rewrite
    // only the texts that need it.
    std::string rewritten;
    std::string_view s = t;
    if (t.front() == '+' || t.find(',') != std::string_view::npos) {
        rewritten.assign(t.front() == '+' ? t.substr(1) : t);
        std::replace(rewritten.begin(), rewritten.end(), ',', '.');
        s = rewritten;
    }
    T value{};
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (end != s.data() + s.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as zero (or the nearest subnormal); overflow does not fit.
        double wide = 0;
        const auto [wideEnd, wideEc] = std::from_chars(s.data(), s.data() + s.size(), wide);
        if (wideEc == std::errc::result_out_of_range) {
            if (s.find("e-") == std::string_view::npos && s.find("E-") == std::string_view::npos)
                return std::nullopt;
            wide = 0;
        }
        if (std::fabs(wide) > static_cast<double>(std::numeric_limits<T>::max()))
            return std::nullopt;
        return static_cast<T>(s.front() == '-' ? -std::fabs(wide) : wide);
    }
    if (ec != std::errc()) return std::nullopt;
    return value;
}

// The general format: `digits` significant digits, trailing zeros dropped, fixed notation for
// decimal exponents -5 < e < fixedLimit, exponent form otherwise.
std::string format(double v, int digits, int fixedLimit, char sep) {
    if (v == 0) return "0";
    if (!std::isfinite(v)) return std::isnan(v) ? "NaN" : (v > 0 ? "Inf" : "-Inf");

    char buf[64];
    // Rounds to the significant digits as printf's "%.*e" does, without its locale and at a
    // fraction of its cost (a calculation writes its outputs back many times in a search).
    const auto end =
        std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, digits - 1).ptr;
    std::string_view s(buf, static_cast<std::size_t>(end - buf));
    const bool negative = s.front() == '-';
    if (negative) s.remove_prefix(1);
    const auto ePos = s.find('e');
    const int exponent = std::atoi(std::string(s.substr(ePos + 1)).c_str());
    std::string mantissa;
    for (char c : s.substr(0, ePos))  // digits only: the C library may write a locale's comma
        if (std::isdigit(static_cast<unsigned char>(c))) mantissa += c;
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= -4 && exponent < fixedLimit) {
        if (exponent < 0) {
            out += '0';
            out += sep;
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += mantissa;
        } else {
            const auto intDigits = static_cast<std::size_t>(exponent) + 1;
            if (mantissa.size() <= intDigits) {
                out += mantissa;
                out.append(intDigits - mantissa.size(), '0');
            } else {
                out += mantissa.substr(0, intDigits);
                out += sep;
                out += mantissa.substr(intDigits);
            }
        }
        return out;
    }
    out += mantissa.substr(0, 1);
    if (mantissa.size() > 1) {
        out += sep;
        out += mantissa.substr(1);
    }
    char exp[16];
    std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + exp;
}

// Rounds the exact binary value to `decimals` places, ties to even, as printf's "%.*f" does;
// printf itself where the text would not fit or the places are negative (printf's default 6).
std::string roundedText(double v, int decimals) {
    char buf[400];
    if (decimals >= 0) {
        const auto [end, ec] =
            std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
        if (ec == std::errc()) return std::string(buf, end);
    }
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

}  // namespace

std::optional<double> parseDouble(std::string_view text) {
    return parse<double>(text);
}
std::optional<float> parseSingle(std::string_view text) {
    return parse<float>(text);
}

std::string formatSingle(float v, char sep) {
    return format(v, 7, 7, sep);
}
std::string formatDouble(double v, char sep) {
    return format(v, 15, 15, sep);
}
std::string formatDigits(double v, int digits, char sep) {
    digits = std::clamp(digits, 1, 17);
    return format(v, digits, digits, sep);
}

double roundTo(double v, int decimals) {
    if (!std::isfinite(v)) return v;
    return *parse<double>(roundedText(v, decimals));
}

float roundTo(float v, int decimals) {
    if (!std::isfinite(v)) return v;
    return *parse<float>(roundedText(v, decimals));
}

}  // namespace zano
