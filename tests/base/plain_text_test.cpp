#include "base/plain_text.h"

#include <gtest/gtest.h>

#include "golden_text.h"

namespace zano {
namespace {

// Every text of tests/base/golden/excerpts.txt, as a message quotes it.
TEST(Excerpt, QuotesFortyCharactersThenAnEllipsis) {
    const std::string file = "base/golden/excerpts.txt";
    const std::string out = golden_text::table(file, [](const std::string&, const std::string& s) {
        return excerpt(golden_text::expanded(s));
    });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
    // A byte that is no UTF-8 counts once.
    EXPECT_EQ(excerpt(std::string(50, '\xff')), std::string(40, '\xff') + "…");
}

}  // namespace
}  // namespace zano
