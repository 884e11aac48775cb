#pragma once

#include <optional>
#include <string>
#include <string_view>

// Number texts as they stand in the edit boxes, the case file and the data files.
namespace zano {

// Text to number. The decimal separator is ',' or '.', at most one of them; blanks around the
// text are ignored; a leading sign, a missing integer or fraction part (",5", "5,") and an
// exponent ("2E-4") are accepted. Empty or malformed texts give nullopt.
std::optional<double> parseDouble(std::string_view text);
// The same read straight to single precision (one rounding); nullopt also when the value
// does not fit a single.
std::optional<float> parseSingle(std::string_view text);

// The general format: no trailing zeros, no thousands separators, at most 7 significant
// digits for a single and 15 for a double; exponent form ("1,5E-05", "1E+07") outside
// 0.0001 <= |x| < 10^7 (single) or 10^15 (double).
std::string formatSingle(float v, char decimalSeparator = ',');
std::string formatDouble(double v, char decimalSeparator = ',');
// The general format at `digits` significant digits (1 to 17), exponent form outside
// 0.0001 <= |x| < 10^digits.
std::string formatDigits(double v, int digits, char decimalSeparator = ',');

// Round(v, n): the exact value held, rounded to n decimals, ties to the even digit; the
// result keeps the width of the value.
double roundTo(double v, int decimals);
float roundTo(float v, int decimals);

}  // namespace zano
