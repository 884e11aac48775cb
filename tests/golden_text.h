#pragma once

// Expectations that are data live in plain text files beside the tests and are compared byte
// for byte. With ZANO_UPDATE_GOLDEN=1 (make golden) a test rewrites its file from what the code
// gives instead, for a deliberate change that is then reviewed in the diff.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace golden_text {

// A value as a golden answer: every digit of a double.
inline std::string shown(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

// The numbers of a golden argument, separated by blanks.
inline std::vector<double> numbers(const std::string& argument) {
    std::istringstream in(argument);
    std::vector<double> a;
    for (std::string word; in >> word;) a.push_back(std::strtod(word.c_str(), nullptr));
    return a;
}

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

// The bytes a golden line writes as text: \n, \r, \t, \\ and \xNN stand for their bytes.
inline std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
        } else if (const char c = text[++i]; c == 'x' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
        }
    }
    return out;
}

// Bytes as readable text, the other way: CR LF as "|", other control and non-ASCII bytes as \xNN.
inline std::string escaped(const std::string& bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", b);
        const bool crlf = b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        out += crlf ? "|" : b < 0x20 || b >= 0x7F ? hex : std::string(1, bytes[i]);
        i += crlf;
    }
    return out;
}

// The same, and TEXT*N (N digits at the end) stands for TEXT N times.
inline std::string expanded(const std::string& text) {
    const auto star = text.rfind('*');
    if (star == std::string::npos || star + 1 == text.size() ||
        text.find_first_not_of("0123456789", star + 1) != std::string::npos)
        return unescaped(text);
    std::string out;
    for (int n = std::stoi(text.substr(star + 1)); n > 0; --n)
        out += unescaped(text.substr(0, star));
    return out;
}

// A golden table: lines "op [argument] -> answer", and "#" comments kept as they are. Each
// answer is worked out again by answer(op, argument) and the table rebuilt, for mismatch to
// compare with the file: the table is both the cases and what they must give.
template <typename F>
std::string table(const std::string& relative, F answer) {
    std::ifstream in(std::filesystem::path(ZANO_SOURCE_DIR) / "tests" / relative);
    std::string line, out;
    while (std::getline(in, line)) {
        const auto open = line.find(" ["), close = line.rfind("] -> ");
        if (line.empty() || line[0] == '#' || open == std::string::npos ||
            close == std::string::npos) {
            out += line + "\n";
            continue;
        }
        out += line.substr(0, close) + "] -> " +
               answer(line.substr(0, open), line.substr(open + 2, close - open - 2)) + "\n";
    }
    return out;
}

}  // namespace golden_text
