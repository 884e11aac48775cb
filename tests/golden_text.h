#pragma once

// Expectations that are data live in plain text files beside the tests and are compared byte
// for byte. With ZANO_UPDATE_GOLDEN=1 (make golden) a test rewrites its file from what the code
// gives instead, for a deliberate change that is then reviewed in the diff.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace golden_text {

// Empty when `actual` equals the file tests/<relative>; otherwise the first line that differs.
inline std::string mismatch(const std::string& relative, const std::string& actual) {
    const std::filesystem::path file = std::filesystem::path(ZANO_SOURCE_DIR) / "tests" / relative;
    if (const char* update = std::getenv("ZANO_UPDATE_GOLDEN"); update && *update == '1') {
        std::ofstream(file, std::ios::binary) << actual;
        return {};
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) return file.string() + " cannot be read";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (bytes.str() == actual) return {};
    std::istringstream want(bytes.str()), got(actual);
    std::string w, g;
    for (int line = 1;; ++line) {
        const bool moreWant = static_cast<bool>(std::getline(want, w));
        const bool moreGot = static_cast<bool>(std::getline(got, g));
        if (!moreWant && !moreGot) return file.string() + ": the line ends differ";
        if (!moreWant || !moreGot || w != g)
            return file.string() + ":" + std::to_string(line) + ": expected \"" +
                   (moreWant ? w : "(end)") + "\", got \"" + (moreGot ? g : "(end)") + "\"";
    }
}

}  // namespace golden_text
