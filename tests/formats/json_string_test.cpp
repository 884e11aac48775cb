#include <gtest/gtest.h>

#include <string>

#include "formats/results_export.h"

namespace zano {
namespace {

// JSON strings are valid UTF-8 whatever the bytes of a case, a data file or a path.
TEST(JsonString, EscapesWhatJsonRequiresAndReplacesBytesThatAreNoUtf8) {
    const std::string fffd = "\xEF\xBF\xBD";
    const struct {
        const char* name;
        std::string text, expected;
    } rows[] = {
        {"plain text", "Water", "\"Water\""},
        {"quote and backslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
        {"control characters", std::string("a\0b\x01\n", 5), "\"a\\u0000b\\u0001\\u000a\""},
        {"UTF-8 passes", "Wat\xC3\xBF\xE2\x82\xAC", "\"Wat\xC3\xBF\xE2\x82\xAC\""},
        {"stray bytes",
         "Wat\xff\xfe"
         "er",
         "\"Wat" + fffd + fffd + "er\""},
        {"a sequence cut short", "\xE2\x82", "\"" + fffd + fffd + "\""},
        {"an overlong form", "\xC0\xAF", "\"" + fffd + fffd + "\""},
        {"a surrogate", "\xED\xA0\x80", "\"" + fffd + fffd + fffd + "\""},
    };
    for (const auto& r : rows) EXPECT_EQ(jsonString(r.text), r.expected) << r.name;
}

}  // namespace
}  // namespace zano
