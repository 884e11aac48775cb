#pragma once

// Files for the tests: a file's bytes, what a folder holds, and a fresh folder of the test's own
// in the temporary folder, removed when the test is done.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace zano::testing {

inline std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Every name under `dir`, relative to it.
inline std::set<std::string> listing(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
        names.insert(e.path().lexically_relative(dir).string());
    return names;
}

// Named after the process and a count, so that tests run side by side never share one.
struct ScratchDir {
    std::filesystem::path path;
    ScratchDir() {
        static int count = 0;
        path = std::filesystem::temp_directory_path() /
               ("zano_test_" + std::to_string(::getpid()) + "_" + std::to_string(++count));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ScratchDir(const ScratchDir&) = delete;
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path, ec);
    }
    std::filesystem::path write(const std::string& name, const std::string& content) const {
        std::ofstream(path / name, std::ios::binary) << content;
        return path / name;
    }
};

// A fixture whose tests each have a fresh folder, dir_.
class ScratchTest : public ::testing::Test {
  protected:
    ScratchDir scratch_;
    const std::filesystem::path& dir_ = scratch_.path;
    std::filesystem::path write(const std::string& name, const std::string& content) const {
        return scratch_.write(name, content);
    }
};

}  // namespace zano::testing
