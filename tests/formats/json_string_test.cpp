#include <gtest/gtest.h>

#include "formats/results_export.h"
#include "golden_text.h"

namespace zano {
namespace {

// Every string of tests/formats/golden/json_strings.txt, as JSON.
TEST(JsonString, EscapesWhatJsonRequiresAndReplacesBytesThatAreNoUtf8) {
    const std::string file = "formats/golden/json_strings.txt";
    const std::string out = golden_text::table(file, [](const std::string&, const std::string& s) {
        return jsonString(golden_text::unescaped(s));
    });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
}

}  // namespace
}  // namespace zano
