#include "base/atomic_write.h"

#include <cerrno>
#include <fstream>
#include <random>
#include <system_error>

namespace zano {
namespace {

std::string errnoText() {
    return errno != 0 ? std::generic_category().message(errno) : std::string();
}

}  // namespace

std::optional<WriteFailure> writeFileAtomically(const std::filesystem::path& file,
                                                std::string_view bytes) {
    // A fresh name beside the target, so that the rename below stays within one file system.
    std::mt19937 pick(std::random_device{}());
    std::filesystem::path temp;
    for (int attempt = 0;; ++attempt) {
        if (attempt == 100) return WriteFailure{WriteFailure::NoTemporaryName, {}};
        temp = file;
        temp += ".~" + std::to_string(pick() % 1000000) + ".tmp";
        std::error_code ec;  // an unreadable folder is reported by the creation below
        if (!std::filesystem::exists(temp, ec) || ec) break;
    }

    std::optional<WriteFailure> failure;
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return WriteFailure{WriteFailure::Create, errnoText()};
        errno = 0;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (out) {
            out.close();
            if (!out) failure = WriteFailure{WriteFailure::Close, errnoText()};
        } else {
            failure = WriteFailure{WriteFailure::Write, errnoText()};
        }
    }
    std::error_code ec;
    if (!failure) {
        std::filesystem::rename(temp, file, ec);
        if (!ec) return std::nullopt;
        failure = WriteFailure{WriteFailure::Replace, ec.message()};
    }
    std::filesystem::remove(temp, ec);
    return failure;
}

}  // namespace zano
