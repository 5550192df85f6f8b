#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillet::testing {

// How to start a program under test.
struct Launch {
    std::vector<std::string> arguments{};  // the program's path first
    std::string workingDirectory{};
    std::vector<std::string> environment{};  // NAME=VALUE, added to or replacing this process's
    // Standard output goes to this file instead of a pipe ("/dev/full", a file to append to).
    std::optional<std::string> stdoutFile{};
    bool appendStdout = false;
    // Standard output is a pipe whose reader has already gone.
    bool stdoutReaderGone = false;
};

struct Finished {
    int exitStatus = -1;  // -1 when a signal ended the program
    std::string out{};
    std::string err;
};

namespace detail {

inline std::vector<std::string> MergedEnvironment(const std::vector<std::string>& overrides) {
    std::vector<std::string> merged;
    merged.reserve(overrides.size() + 64);
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable = *entry;
        const std::string name = variable.substr(0, variable.find('='));
        bool replaced = false;
        for (const std::string& given : overrides) {
            replaced = replaced || given.substr(0, given.find('=')) == name;
        }
        if (!replaced) {
            merged.push_back(variable);
        }
    }
    merged.insert(merged.end(), overrides.begin(), overrides.end());
    return merged;
}

inline std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    pointers.reserve(texts.size() + 1);
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// In the child: leaves for the program, or exits with 127.
[[noreturn]] inline void Exec(const Launch& launch) {
    std::vector<std::string> arguments = launch.arguments;
    std::vector<std::string> environment = MergedEnvironment(launch.environment);
    if (!launch.workingDirectory.empty() && ::chdir(launch.workingDirectory.c_str()) != 0) {
        ::_exit(127);
    }
    ::execve(arguments[0].c_str(), Pointers(arguments).data(), Pointers(environment).data());
    ::_exit(127);
}

inline int WaitFor(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            throw std::runtime_error("waitpid failed");
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Reads the descriptors to their ends, together, so that neither stream can fill up and stall
// the program. A guard against a program that never ends, not a time limit on the program.
inline void Drain(std::vector<std::pair<int, std::string*>> streams) {
    constexpr int kGuardMilliseconds = 60'000;
    while (!streams.empty()) {
        std::vector<pollfd> waiting;
        waiting.reserve(streams.size());
        for (const auto& [fd, text] : streams) {
            waiting.push_back({fd, POLLIN, 0});
        }
        const int ready = ::poll(waiting.data(), waiting.size(), kGuardMilliseconds);
        if (ready == 0) {
            throw std::runtime_error("the program wrote nothing for a minute and did not end");
        }
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::runtime_error("poll failed");
        }
        for (std::size_t index = waiting.size(); index-- > 0;) {
            if (waiting[index].revents == 0) {
                continue;
            }
            char chunk[4096];
            const ssize_t got = ::read(waiting[index].fd, chunk, sizeof chunk);
            if (got > 0) {
                streams[index].second->append(chunk, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                ::close(streams[index].first);
                streams.erase(streams.begin() + static_cast<std::ptrdiff_t>(index));
            }
        }
    }
}

}  // namespace detail

// Runs the program with standard input from /dev/null (no terminal) and collects its
// standard output and error.
inline Finished RunProgram(const Launch& launch) {
    int outPipe[2];
    int errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        const int input = ::open("/dev/null", O_RDONLY);
        int output = outPipe[1];
        if (launch.stdoutFile) {
            output = ::open(launch.stdoutFile->c_str(),
                            O_WRONLY | O_CREAT | (launch.appendStdout ? O_APPEND : 0), 0644);
        }
        if (input < 0 || output < 0 || ::dup2(input, STDIN_FILENO) < 0 ||
            ::dup2(output, STDOUT_FILENO) < 0 || ::dup2(errPipe[1], STDERR_FILENO) < 0) {
            ::_exit(127);
        }
        detail::Exec(launch);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    Finished finished;
    if (launch.stdoutReaderGone) {
        ::close(outPipe[0]);
        detail::Drain({{errPipe[0], &finished.err}});
    } else {
        detail::Drain({{outPipe[0], &finished.out}, {errPipe[0], &finished.err}});
    }
    finished.exitStatus = detail::WaitFor(child);
    return finished;
}

// A run on a pseudo-terminal: standard input, output and error are the terminal, unless
// `errorToPipe` sends standard error to a pipe or `inputFromNull` takes input from /dev/null.
struct TerminalSession {
    // Typed once `promptEnd` has appeared on the terminal; nothing is typed when empty.
    std::string answer{};
    std::string promptEnd = "[y/N] ";
    bool errorToPipe = false;
    bool inputFromNull = false;  // standard input is /dev/null instead
};

struct TerminalFinished {
    int exitStatus = -1;
    std::string transcript;  // what the terminal showed, its CR LF line ends as LF
    std::string err;         // standard error, when it went to a pipe
};

inline TerminalFinished RunOnTerminal(const Launch& launch, const TerminalSession& session) {
    int errPipe[2] = {-1, -1};
    if (session.errorToPipe && ::pipe2(errPipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    int master = -1;
    const pid_t child = ::forkpty(&master, nullptr, nullptr, nullptr);
    if (child < 0) {
        throw std::runtime_error("forkpty failed");
    }
    if (child == 0) {
        if (session.errorToPipe && ::dup2(errPipe[1], STDERR_FILENO) < 0) {
            ::_exit(127);
        }
        const int input = session.inputFromNull ? ::open("/dev/null", O_RDONLY) : STDIN_FILENO;
        if (input < 0 || ::dup2(input, STDIN_FILENO) < 0) {
            ::_exit(127);
        }
        detail::Exec(launch);
    }
    if (session.errorToPipe) {
        ::close(errPipe[1]);
    }
    TerminalFinished finished;
    std::string err;
    std::string raw;
    bool typed = session.answer.empty();
    constexpr int kGuardMilliseconds = 60'000;
    bool masterOpen = true;
    while (masterOpen || errPipe[0] >= 0) {
        std::vector<pollfd> waiting;
        if (masterOpen) {
            waiting.push_back({master, POLLIN, 0});
        }
        if (errPipe[0] >= 0) {
            waiting.push_back({errPipe[0], POLLIN, 0});
        }
        const int ready = ::poll(waiting.data(), waiting.size(), kGuardMilliseconds);
        if (ready == 0) {
            ::kill(child, SIGKILL);
            detail::WaitFor(child);
            throw std::runtime_error("the program waited for a minute: " + raw);
        }
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::runtime_error("poll failed");
        }
        for (const pollfd& entry : waiting) {
            if (entry.revents == 0) {
                continue;
            }
            char chunk[4096];
            const ssize_t got = ::read(entry.fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {  // the terminal reports EIO once the program has let go of it
                if (entry.fd == master) {
                    masterOpen = false;
                } else {
                    ::close(errPipe[0]);
                    errPipe[0] = -1;
                }
                continue;
            }
            (entry.fd == master ? raw : err).append(chunk, static_cast<std::size_t>(got));
        }
        if (!typed && raw.find(session.promptEnd) != std::string::npos) {
            typed = ::write(master, session.answer.data(), session.answer.size()) ==
                    static_cast<ssize_t>(session.answer.size());
            if (!typed) {
                throw std::runtime_error("could not type the answer");
            }
        }
    }
    ::close(master);
    finished.exitStatus = detail::WaitFor(child);
    for (const char c : raw) {
        if (c != '\r') {
            finished.transcript.push_back(c);
        }
    }
    finished.err = err;
    return finished;
}

}  // namespace quillet::testing
