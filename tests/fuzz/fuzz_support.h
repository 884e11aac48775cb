#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// What the fuzz targets share: a broken invariant aborts with a message, which libFuzzer reports
// as a crash and saves the input that caused it.
namespace zano::fuzz {

[[noreturn]] inline void broken(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "invariant broken: %s [%.*s]\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

#define ZANO_FUZZ_CHECK(cond, detail)                       \
    do {                                                    \
        if (!(cond)) ::zano::fuzz::broken(#cond, (detail)); \
    } while (0)

// The readers take a path: each input goes to one file per process in the temporary folder,
// under the name the reader will show in its messages.
inline std::filesystem::path inputFile(std::string_view data, const char* name) {
    static const auto dir = [] {
        auto d =
            std::filesystem::temp_directory_path() / ("zano_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                            ("zano_fuzz_" + std::to_string(::getpid())),
                                        ec);
        });
        return d;
    }();
    const auto file = dir / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) broken("the fuzz input could not be written to a temporary file");
    return file;
}

}  // namespace zano::fuzz
