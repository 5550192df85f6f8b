#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace quillet::testing {

// Runs `check` without root's rights, so that a missing permission really fails: in a child
// process that takes the identity of "nobody" (65534) when the tests run as root, in this
// process otherwise. `check` returns an empty text when it held, or what went wrong; the
// result is that text, or a note on why the check could not run.
inline std::string RunUnprivileged(const std::function<std::string()>& check) {
    if (::geteuid() != 0) {
        return check();
    }
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return "pipe failed";
    }
    const pid_t child = ::fork();
    if (child < 0) {
        return "fork failed";
    }
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string result;
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
            result = "could not drop root's rights";
        } else {
            result = check();
        }
        if (!result.empty()) {
            [[maybe_unused]] const auto written = ::write(pipeFds[1], result.data(), result.size());
        }
        ::_exit(result.empty() ? 0 : 1);
    }
    ::close(pipeFds[1]);
    std::string report;
    char chunk[256];
    ssize_t got = 0;
    while ((got = ::read(pipeFds[0], chunk, sizeof chunk)) > 0) {
        report.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status)) {
        return "the unprivileged check did not finish";
    }
    if (WEXITSTATUS(status) != 0 && report.empty()) {
        return "the unprivileged check failed";
    }
    return report;
}

}  // namespace quillet::testing
