#pragma once

// Runs a file operation in a forked child under an injected fault: a file size limit that makes
// every write past it fail as on a full disk, or an unprivileged user for whom a folder is
// read-only even when the tests run as root. The parent keeps its own limits and rights and
// checks what the operation left on disk.
#if defined(__unix__)

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <optional>
#include <string>

namespace zano::testing {

struct ChildOutcome {
    bool threw = false;   // the operation reported a failure
    std::string message;  // what it told the user
    bool ran = true;      // false when the fault could not be set up
};

struct Fault {
    std::optional<rlim_t> fileSizeLimit;  // bytes a file may grow to
    bool unprivileged = false;            // drop root to the user nobody
};

// `op` throws (any std::exception) to report a failure.
inline ChildOutcome runWithFault(const Fault& fault, const std::function<void()>& op) {
    int fds[2];
    if (pipe(fds) != 0) return {false, "", false};
    const pid_t pid = fork();
    if (pid < 0) return {false, "", false};
    if (pid == 0) {
        close(fds[0]);
        const auto report = [&](char status, const std::string& text) {
            const std::string out = status + text;
            ssize_t ignored = write(fds[1], out.data(), out.size());
            (void)ignored;
            _exit(0);
        };
        if (fault.unprivileged && geteuid() == 0) {
            const gid_t nogroup = 65534;
            if (setgroups(0, nullptr) != 0 || setgid(nogroup) != 0 || setuid(65534) != 0)
                report('S', "");
        }
        if (fault.fileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
            rlimit r{*fault.fileSizeLimit, *fault.fileSizeLimit};
            if (setrlimit(RLIMIT_FSIZE, &r) != 0) report('S', "");
        }
        try {
            op();
        } catch (const std::exception& e) {
            report('T', e.what());
        } catch (...) {
            report('U', "");
        }
        report('N', "");
    }
    close(fds[1]);
    std::string got;
    char buf[512];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) got.append(buf, n);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    ChildOutcome out;
    if (got.empty() || got[0] == 'S') return {false, "", false};
    out.threw = got[0] == 'T';
    out.message = got.substr(1);
    if (got[0] == 'U') out.message = "(an exception that is no std::exception)";
    return out;
}

}  // namespace zano::testing

#endif
