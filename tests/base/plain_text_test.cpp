#include "base/plain_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zano {
namespace {

std::string times(int n, const std::string& s) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// A message quotes at most forty characters of a text, then "…", and never half a character.
TEST(Excerpt, QuotesFortyCharactersThenAnEllipsis) {
    const std::string x39(39, 'x'), x40(40, 'x');
    const struct {
        const char* name;
        std::string text, expected;
    } rows[] = {
        {"a short text stays whole", "12,5", "12,5"},
        {"forty characters stay whole", x40, x40},
        {"the forty-first is cut", x40 + "y", x40 + "…"},
        {"ten thousand characters", std::string(10000, '7'), std::string(40, '7') + "…"},
        {"a two-byte character counts once", times(41, "é"), times(40, "é") + "…"},
        {"the cut never splits a character", x39 + "€z", x39 + "€…"},
        {"a byte that is no UTF-8 counts once", std::string(50, '\xff'),
         std::string(40, '\xff') + "…"},
    };
    for (const auto& r : rows) EXPECT_EQ(excerpt(r.text), r.expected) << r.name;
}

}  // namespace
}  // namespace zano
