// quillet-cli: the generation run of Quillet's dialog, from the command line.
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <exception>
#include <span>
#include <string_view>
#include <vector>

#include "cli/program.h"

namespace {

// A standard descriptor that the caller closed would be reused by the first file the run
// opens, and messages or the script could land in the wrong file. Standard output is stood in
// for by a descriptor that refuses writes, so "-" then fails instead of writing nowhere.
void OccupyClosedStandardDescriptors() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) == -1) {
            const int flags = fd == STDERR_FILENO ? O_WRONLY : O_RDONLY;
            ::open("/dev/null", flags);  // NOLINT(*-vararg): takes the lowest free number, fd
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    OccupyClosedStandardDescriptors();
    // A reader that goes away (quillet-cli ... - | head) makes the write fail, and the run ends
    // with its cancellation message and status 1 instead of dying silently.
    std::signal(SIGPIPE, SIG_IGN);
    const std::span<char*> given(argv, static_cast<std::size_t>(argc));
    std::vector<std::string_view> arguments;
    for (std::size_t index = 1; index < given.size(); ++index) {
        arguments.emplace_back(given[index]);
    }
    try {
        return quillet::cli::RunProgram(arguments);
    } catch (const std::exception&) {
        // Only memory running out before the run can bring an exception here (the run catches
        // its own): nothing was generated.
        return quillet::cli::ReportCancelled();
    }
}
