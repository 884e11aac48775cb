#pragma once

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace zano::testing {

struct HostileFile {
    const char* name;
    std::filesystem::path path;
};

// Files a reader capped at `cap` bytes must refuse at once, and one it must read: `content`
// padded with line ends to exactly `cap` bytes. The file over the cap is sparse: no disk used.
inline std::vector<HostileFile> hostileFiles(const std::filesystem::path& dir, std::uintmax_t cap,
                                             const std::string& content) {
    namespace fs = std::filesystem;
    fs::create_directories(dir / "folder.dat");
    std::ofstream(dir / "at-cap.dat", std::ios::binary)
        << content << std::string(cap - content.size(), '\n');
    std::ofstream(dir / "over-cap.dat", std::ios::binary) << content;
    fs::resize_file(dir / "over-cap.dat", cap + 1);
    ::mkfifo((dir / "fifo.dat").c_str(), 0600);
    return {{"padded to the cap", dir / "at-cap.dat"},
            {"one byte over the cap", dir / "over-cap.dat"},
            {"a FIFO", dir / "fifo.dat"},
            {"an endless device", "/dev/zero"},
            {"a folder", dir / "folder.dat"}};
}

// What `read` answers, run in a child process that an alarm ends after 5 s, so that a read
// that blocks fails the test ("hung") instead of hanging it.
template <typename Read>
std::string answerWithin5s(Read read) {
    int fds[2];
    if (::pipe(fds) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child < 0) return "no child";
    if (child == 0) {
        ::close(fds[0]);
        ::alarm(5);
        const std::string answer = read();
        (void)!::write(fds[1], answer.data(), answer.size());  // short: fits the pipe's buffer
        ::_exit(0);
    }
    ::close(fds[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    std::string answer;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    return WIFEXITED(status) ? answer : "hung";
}

// What `read` answers for each hostile file, a line "file: answer", the folder shown as <dir>.
template <typename Read>
std::string hostileAnswers(const std::filesystem::path& dir, std::uintmax_t cap,
                           const std::string& content, Read read) {
    std::string out;
    for (const HostileFile& file : hostileFiles(dir, cap, content)) {
        std::string answer = answerWithin5s([&] { return read(file.path); });
        if (answer.ends_with('\n')) answer.pop_back();
        for (std::size_t at; (at = answer.find(dir.string())) != std::string::npos;)
            answer.replace(at, dir.string().size(), "<dir>");
        out += std::string(file.name) + ": " + answer + "\n";
    }
    return out;
}

}  // namespace zano::testing
