// Hostile base scripts, target folders and outputs, one row each, given to quillet-cli as a user
// would give them. Every row checks the exit status, the lines on standard error, what stands at
// the output path afterwards, and that every other file under the test folder is exactly as it
// was: content, kind, rights and link targets.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "cli/base_script_check.h"
#include "cli/options.h"
#include "core/messages.h"
#include "platform/system_info.h"
#include "support/child_process.h"
#include "support/scenario_name.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using namespace std::string_literals;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr const char* kProgram = QUILLET_CLI_PATH;
constexpr const char* kSetpriv = "/usr/bin/setpriv";

// The messages a row expects, as the run words them.
constexpr std::string_view kQuestion = messages::kOverwriteQuestion;
constexpr std::string_view kSuccess = messages::kGenerated;
constexpr std::string_view kCancelled = messages::kCancelled;
constexpr std::string_view kOutputWarning = messages::kOutputOpenFailed;
constexpr std::string_view kBaseWarning = messages::kBaseScriptOpenFailed;
constexpr std::string_view kFolderWarning = messages::kTargetFolderOpenFailed;
constexpr std::string_view kControlWarning = messages::kControlCharacterName;
constexpr std::string_view kNoPlaceholder = cli::warnings::kNoPlaceholder;

// The usage error for a header file that never ends.
std::string_view HeaderTooLarge() {
    static const std::string text =
        std::string(cli::usage::kUnreadableFile) + "/dev/zero: " + std::strerror(EFBIG);
    return text;
}

// Standard error as the program prints the messages: a line each, prefixed with its name.
std::string Lines(const std::vector<std::string_view>& texts) {
    std::string lines;
    for (const std::string_view text : texts) {
        std::string line = "quillet-cli: " + std::string(text);
        for (char& c : line) {
            c = c == '\n' ? ' ' : c;
        }
        lines += line + "\n";
    }
    return lines;
}

// Each copy shows every value of its entry, so a wrong name, title or path shows in the output.
constexpr std::string_view kBase =
    "<TARGET_FNAMEEXT>|<TARGET_FNAMETITLE>|<TARGET_FILEPATH>|<TARGET_FOLDER>\n";
constexpr std::string_view kHeader = "HEAD\n";
constexpr std::string_view kFooter = "FOOT\n";
constexpr std::string_view kFormer = "former content";

// Files larger than this are compared by size and change time only (the sparse 64 GiB file).
constexpr std::uintmax_t kLargestCompared = std::uintmax_t{1} << 20;

// What stands at a path: its kind, rights and content (or link target).
std::string Describe(const std::filesystem::path& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return "(missing)";
    }
    std::string text = "mode " + std::to_string(status.st_mode) + " ";
    if (S_ISLNK(status.st_mode)) {
        return text + "-> " + std::filesystem::read_symlink(path).string();
    }
    if (!S_ISREG(status.st_mode) || status.st_size == 0) {
        return text;
    }
    if (static_cast<std::uintmax_t>(status.st_size) > kLargestCompared) {
        return text + "size " + std::to_string(status.st_size) + " changed " +
               std::to_string(status.st_ctim.tv_sec) + "." + std::to_string(status.st_ctim.tv_nsec);
    }
    return text + ReadFile(path.string());
}

// Every path under `root` (symbolic links not followed) and what stands there.
std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    for (auto it = std::filesystem::recursive_directory_iterator(root);
         it != std::filesystem::recursive_directory_iterator(); ++it) {
        files[it->path().string()] = Describe(it->path());
    }
    return files;
}

enum class Output {
    kWritten,    // the output holds exactly the expected bytes
    kPartial,    // a run stopped part way: a beginning of the expected bytes, but not all of them
    kUntouched,  // whatever stood at the output path is as it was
    kMissing,    // nothing stands at the output path
};

class BadInputTest;

struct Row {
    const char* scenario{};
    // Builds the row's files; returns why the row cannot run here, or nothing.
    std::function<std::string(BadInputTest&)> arrange{};
    std::vector<std::string> arguments{};  // the operands and options, in the test folder
    int exitStatus{};
    std::vector<std::string_view> messages{};  // the lines on standard error
    Output output{};
    // The output's bytes (kWritten, kPartial), given the test folder's canonical path.
    std::function<std::string(const BadInputTest&)> expected{};
    bool unprivileged = false;  // run as "nobody" when the tests run as root
    std::string outputPath = "all.scr";
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.scenario;
}

// A memory file system when there is one, so that the 100,000 entries come and go quickly.
std::filesystem::path Parent() {
    return ::access("/dev/shm", W_OK | X_OK) == 0 ? std::filesystem::path("/dev/shm")
                                                  : std::filesystem::temp_directory_path();
}

// The test folder holds the base script "plot.scr", the header and footer files and the target
// folder "dwg" with one drawing; the program runs in the test folder.
class BadInputTest : public ::testing::TestWithParam<Row> {
public:
    BadInputTest() : dir(Parent()), root(std::filesystem::canonical(dir.Path()).string()) {
        std::filesystem::create_directory(At("dwg"));
        WriteFile(At("dwg/a.dwg"), "drawing");
        WriteFile(At("plot.scr"), kBase);
        WriteFile(At("head.txt"), kHeader);
        WriteFile(At("foot.txt"), kFooter);
    }
    BadInputTest(const BadInputTest&) = delete;
    BadInputTest& operator=(const BadInputTest&) = delete;
    BadInputTest(BadInputTest&&) = delete;
    BadInputTest& operator=(BadInputTest&&) = delete;
    ~BadInputTest() override {
        if (heldFd >= 0) {
            ::close(heldFd);
        }
        if (!mountPoint.empty()) {
            ::umount2(mountPoint.c_str(), MNT_DETACH);
        }
    }

    [[nodiscard]] std::string At(std::string_view relative) const {
        return root + "/" + std::string(relative);
    }

    // The copy of the base script for one entry of "dwg", and a whole script of such copies.
    [[nodiscard]] std::string Copy(std::string_view name, std::string_view title) const {
        return std::string(name) + "|" + std::string(title) + "|" + At("dwg/") + std::string(name) +
               "|dwg\n";
    }
    [[nodiscard]] std::string Script(
        const std::vector<std::pair<std::string, std::string>>& entries) const {
        std::string script(kHeader);
        for (const auto& [name, title] : entries) {
            script += Copy(name, title);
        }
        return script + std::string(kFooter);
    }

    TempDir dir;
    std::string root;
    int heldFd = -1;         // a lock that another run holds on a file
    std::string mountPoint;  // a small file system mounted for the row
};

std::vector<std::string> Args(std::string base = "plot.scr", std::string folder = "dwg",
                              std::string output = "all.scr",
                              const std::vector<std::string>& options = {}) {
    std::vector<std::string> arguments{"--header", "head.txt", "--footer", "foot.txt"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.insert(arguments.end(), {std::move(base), std::move(folder), std::move(output)});
    return arguments;
}

TEST_P(BadInputTest, EndsAsItMustAndHarmsNothingElse) {
    const Row& row = GetParam();
    if (row.arrange) {
        if (const std::string skip = row.arrange(*this); !skip.empty()) {
            GTEST_SKIP() << skip;
        }
    }
    if (row.unprivileged && ::geteuid() == 0) {
        if (::access(kSetpriv, X_OK) != 0) {
            GTEST_SKIP() << "running as root, and " << kSetpriv
                         << " (util-linux) is missing to run the row as nobody";
        }
        // "nobody" must reach the test folder and write its output there; what the row takes
        // away stays taken away.
        ::chmod(root.c_str(), 0777);
        ::chmod(dir.Path().c_str(), 0777);
    }
    const std::string output = At(row.outputPath);
    std::map<std::string, std::string> before = Snapshot(root);
    const std::string outputBefore = Describe(output);

    testing::Launch launch;
    // A run that never ends is killed, and fails the row with the status of the signal.
    launch.arguments = {"/usr/bin/timeout", "--signal=KILL", "30"};
    if (row.unprivileged && ::geteuid() == 0) {
        launch.arguments.insert(launch.arguments.end(), {kSetpriv, "--reuid=65534", "--regid=65534",
                                                         "--clear-groups", "--inh-caps=-all"});
    }
    launch.arguments.emplace_back(kProgram);
    launch.arguments.insert(launch.arguments.end(), row.arguments.begin(), row.arguments.end());
    launch.workingDirectory = root;
    const testing::Finished finished = testing::RunProgram(launch);

    EXPECT_EQ(finished.exitStatus, row.exitStatus);
    EXPECT_EQ(finished.err, Lines(row.messages));
    EXPECT_EQ(finished.out, "");
    switch (row.output) {
        case Output::kWritten:
            EXPECT_EQ(ReadFile(output), row.expected(*this));
            break;
        case Output::kPartial: {
            const std::string written = ReadFile(output);
            const std::string whole = row.expected(*this);
            EXPECT_LT(written.size(), whole.size());
            EXPECT_EQ(written, whole.substr(0, written.size()));
            break;
        }
        case Output::kUntouched:
            EXPECT_EQ(Describe(output), outputBefore);
            break;
        case Output::kMissing:
            EXPECT_EQ(Describe(output), "(missing)");
            break;
    }
    std::map<std::string, std::string> after = Snapshot(root);
    if (row.output != Output::kUntouched) {
        before.erase(output);
        after.erase(output);
    }
    EXPECT_EQ(after.size(), before.size()) << "files appeared or went";
    for (const auto& [path, description] : before) {
        const auto found = after.find(path);
        EXPECT_TRUE(found != after.end() && found->second == description) << path << " changed";
    }
}

// Arrangements.
std::string WriteBase(BadInputTest& run, std::string_view bytes) {
    WriteFile(run.At("plot.scr"), bytes);
    return {};
}

std::string ExistingOutput(BadInputTest& run) {
    WriteFile(run.At("all.scr"), kFormer);
    return {};
}

std::string Entry(BadInputTest& run, const std::string& name) {
    WriteFile(run.At("dwg/") + name, "");
    return {};
}

std::string Fifo(const std::string& path) {
    return ::mkfifo(path.c_str(), 0644) == 0 ? "" : "mkfifo failed";
}

std::string Folder(BadInputTest& run, const std::string& name, mode_t mode) {
    std::filesystem::create_directory(run.At(name));
    WriteFile(run.At(name + "/a.dwg"), "");
    ::chmod(run.At(name).c_str(), mode);
    return {};
}

std::string HundredThousandEntries(BadInputTest& run) {
    for (int i = 0; i < 100'000; ++i) {
        const std::string name = run.At("dwg/e") + std::to_string(1'000'000 + i).substr(1);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            return std::string("could not create the entries: ") + std::strerror(errno);
        }
        ::close(fd);
    }
    return {};
}

std::string HundredThousandScript(const BadInputTest& run) {
    std::vector<std::pair<std::string, std::string>> entries{{"a.dwg", "a"}};
    entries.reserve(100'001);
    for (int i = 0; i < 100'000; ++i) {
        const std::string name = "e" + std::to_string(1'000'000 + i).substr(1);
        entries.emplace_back(name, name);
    }
    return run.Script(entries);
}

std::string LinksAndSpecialFiles(BadInputTest& run) {
    const std::string folder = run.At("dwg/");
    if (::symlink("a.dwg", (folder + "l-link").c_str()) != 0 ||
        ::symlink("nowhere", (folder + "l-dangling").c_str()) != 0 ||
        ::symlink("l-loop", (folder + "l-loop").c_str()) != 0 ||
        ::symlink("..", (folder + "l-up").c_str()) != 0) {
        return "symlink failed";
    }
    if (std::string failure = Fifo(folder + "p-fifo"); !failure.empty()) {
        return failure;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = folder + "s-socket";
    if (socketPath.size() >= sizeof address.sun_path) {
        return "the test folder's path is too long for a socket";
    }
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool bound =
        // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): the socket API's own type
        fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    return bound ? "" : "could not make a socket";
}

std::string HeldByAnotherRun(BadInputTest& run) {
    ExistingOutput(run);
    run.heldFd = ::open(run.At("all.scr").c_str(), O_WRONLY | O_CLOEXEC);
    return run.heldFd >= 0 && ::flock(run.heldFd, LOCK_EX | LOCK_NB) == 0 ? "" : "flock failed";
}

// A 64 KiB file system under the output, in this process's own mount namespace so that no
// other process sees it; the namespace goes with the process.
std::string SmallFileSystem(BadInputTest& run) {
    if (::geteuid() != 0) {
        return "mounting a small tmpfs needs root";
    }
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return std::string("no private mount namespace here: ") + std::strerror(errno);
    }
    const std::string small = run.At("small");
    std::filesystem::create_directory(small);
    if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
        return std::string("mounting a tmpfs is not permitted here: ") + std::strerror(errno);
    }
    run.mountPoint = small;
    // 300 copies of about 1 KiB: far more than 64 KiB.
    WriteFile(run.At("plot.scr"), std::string(kBase) + std::string(1000, 'x') + "\n");
    for (int i = 100; i < 400; ++i) {
        WriteFile(run.At("dwg/f") + std::to_string(i), "");
    }
    return {};
}

std::string SmallFileSystemScript(const BadInputTest& run) {
    std::string script(kHeader);
    const std::string filler = std::string(1000, 'x') + "\n";
    script += run.Copy("a.dwg", "a") + filler;
    for (int i = 100; i < 400; ++i) {
        const std::string name = "f" + std::to_string(i);
        script += run.Copy(name, name) + filler;
    }
    return script + std::string(kFooter);
}

// The scripts of the rows that succeed.
std::string OneDrawing(const BadInputTest& run) {
    return run.Script({{"a.dwg", "a"}});
}

std::function<std::string(const BadInputTest&)> Bytes(std::string bytes) {
    return [bytes = std::move(bytes)](const BadInputTest&) { return bytes; };
}

std::function<std::string(const BadInputTest&)> WithEntry(std::string name, std::string title) {
    return [name = std::move(name), title = std::move(title)](const BadInputTest& run) {
        return run.Script({{"a.dwg", "a"}, {name, title}});
    };
}

constexpr const char* kShiftJis = "\x95\x5C\x95.dwg";  // two characters, then ".dwg", under 932

INSTANTIATE_TEST_SUITE_P(
    BaseScript, BadInputTest,
    ::testing::Values(
        Row{"base script of binary bytes",
            [](BadInputTest& run) {
                return WriteBase(run, "\x01\xFF\xFE<TARGET_FNAMEEXT>\x80\x81\x9F\r\n");
            },
            Args(),
            0,
            {kSuccess},
            Output::kWritten,
            Bytes(std::string(kHeader) + "\x01\xFF\xFE" + "a.dwg\x80\x81\x9F\r\n" +
                  std::string(kFooter))},
        Row{"base script with NUL bytes ends at the first",
            [](BadInputTest& run) {
                return WriteBase(run, "<TARGET_FNAMEEXT>\n\0ERASE <TARGET_FNAMEEXT>\n"s);
            },
            Args(),
            0,
            {kSuccess},
            Output::kWritten,
            Bytes(std::string(kHeader) + "a.dwg\n" + std::string(kFooter))},
        Row{"empty base script",
            [](BadInputTest& run) { return WriteBase(run, ""); },
            Args(),
            0,
            {kNoPlaceholder, kSuccess},
            Output::kWritten,
            Bytes(std::string(kHeader) + std::string(kFooter))},
        Row{"base script is a folder",
            nullptr,
            Args("dwg"),
            1,
            {kBaseWarning, kCancelled},
            Output::kWritten,
            Bytes("")},
        Row{"base script is a FIFO",
            [](BadInputTest& run) { return Fifo(run.At("fifo.scr")); },
            Args("fifo.scr"),
            1,
            {kBaseWarning, kCancelled},
            Output::kWritten,
            Bytes("")},
        Row{"base script is /dev/zero",
            nullptr,
            Args("/dev/zero"),
            1,
            {kBaseWarning, kCancelled},
            Output::kWritten,
            Bytes("")},
        Row{"base script is a 64 GiB sparse file",
            [](BadInputTest& run) -> std::string {
                constexpr std::uint64_t k64GiB = std::uint64_t{64} << 30;
                if (platform::PhysicalMemoryBytes() >= k64GiB) {
                    return "this machine has 64 GiB of memory or more: it could hold the file";
                }
                return ::truncate(run.At("plot.scr").c_str(), static_cast<off_t>(k64GiB)) == 0
                           ? ""
                           : "this file system holds no 64 GiB sparse file";
            },
            Args(),
            1,
            {kCancelled},
            Output::kWritten,
            Bytes("")},
        Row{"base script is a symbolic link loop",
            [](BadInputTest& run) {
                return ::symlink("loop.scr", run.At("loop.scr").c_str()) == 0 ? ""
                                                                              : "symlink failed";
            },
            Args("loop.scr"),
            1,
            {kBaseWarning, kCancelled},
            Output::kWritten,
            Bytes("")},
        Row{"base script unreadable",
            [](BadInputTest& run) {
                ::chmod(run.At("plot.scr").c_str(), 0200);
                return std::string();
            },
            Args(),
            1,
            {kBaseWarning, kCancelled},
            Output::kWritten,
            Bytes(""),
            true}),
    testing::ScenarioName());

INSTANTIATE_TEST_SUITE_P(HeaderFile, BadInputTest,
                         ::testing::Values(Row{
                             "header file is /dev/zero",
                             nullptr,
                             {"--header", "/dev/zero", "plot.scr", "dwg", "all.scr"},
                             2,
                             {HeaderTooLarge()},
                             Output::kMissing}),
                         testing::ScenarioName());

INSTANTIATE_TEST_SUITE_P(
    TargetFolder, BadInputTest,
    ::testing::Values(Row{"target folder text empty",
                          nullptr,
                          Args("plot.scr", ""),
                          1,
                          {kFolderWarning, kCancelled},
                          Output::kMissing},
                      Row{"target folder missing",
                          nullptr,
                          Args("plot.scr", "nope"),
                          1,
                          {kFolderWarning, kCancelled},
                          Output::kMissing},
                      Row{"target folder is a file",
                          nullptr,
                          Args("plot.scr", "plot.scr"),
                          1,
                          {kFolderWarning, kCancelled},
                          Output::kMissing},
                      Row{"target folder unreadable",
                          [](BadInputTest& run) { return Folder(run, "closed", 0711); },
                          Args("plot.scr", "closed"),
                          1,
                          {kFolderWarning, kCancelled},
                          Output::kMissing,
                          nullptr,
                          true},
                      Row{"target folder unenterable",
                          [](BadInputTest& run) { return Folder(run, "closed", 0744); },
                          Args("plot.scr", "closed"),
                          1,
                          {kFolderWarning, kCancelled},
                          Output::kMissing,
                          nullptr,
                          true},
                      Row{"100000 entries",
                          HundredThousandEntries,
                          Args(),
                          0,
                          {kSuccess},
                          Output::kWritten,
                          HundredThousandScript},
                      Row{"name of invalid UTF-8",
                          [](BadInputTest& run) { return Entry(run, "\xFF\xC3(\xE3\x81.dwg"); },
                          Args(),
                          0,
                          {kSuccess},
                          Output::kWritten,
                          WithEntry("\xFF\xC3(\xE3\x81.dwg", "\xFF\xC3(\xE3\x81")},
                      Row{"target folder path with a line feed",
                          [](BadInputTest& run) {
                              std::filesystem::create_directory(run.At("dw\ng"));
                              WriteFile(run.At("dw\ng/a.dwg"), "drawing");
                              return std::string();
                          },
                          Args("plot.scr", "dw\ng"),
                          1,
                          {kControlWarning, kCancelled},
                          Output::kMissing},
                      Row{"name with a line feed",
                          [](BadInputTest& run) { return Entry(run, "x\nERASE ALL\n.dwg"); },
                          Args(),
                          1,
                          {kControlWarning, kCancelled},
                          Output::kWritten,
                          Bytes(std::string(kHeader))},
                      Row{"name with a carriage return",
                          [](BadInputTest& run) { return Entry(run, "x\r.dwg"); },
                          Args(),
                          1,
                          {kControlWarning, kCancelled},
                          Output::kWritten,
                          Bytes(std::string(kHeader))},
                      Row{"name with a tab",
                          [](BadInputTest& run) { return Entry(run, "x\t.dwg"); },
                          Args(),
                          1,
                          {kControlWarning, kCancelled},
                          Output::kWritten,
                          Bytes(std::string(kHeader))},
                      Row{"name of 255 bytes",
                          [](BadInputTest& run) {
                              return Entry(run, std::string(251, 'n') + ".dwg");
                          },
                          Args(),
                          0,
                          {kSuccess},
                          Output::kWritten,
                          WithEntry(std::string(251, 'n') + ".dwg", std::string(251, 'n'))},
                      Row{"Shift-JIS name with 0x5C second bytes under code page 932",
                          [](BadInputTest& run) { return Entry(run, kShiftJis); },
                          Args("plot.scr", "dwg", "all.scr", {"--code-page", "932"}),
                          0,
                          {kSuccess},
                          Output::kWritten,
                          WithEntry(kShiftJis, kShiftJis)},
                      Row{"Shift-JIS name with 0x5C second bytes walked byte by byte",
                          [](BadInputTest& run) { return Entry(run, kShiftJis); },
                          Args("plot.scr", "dwg", "all.scr", {"--code-page", "none"}),
                          0,
                          {kSuccess},
                          Output::kWritten,
                          WithEntry(kShiftJis, "\x95\x5C\x95")},
                      Row{"symbolic links, a FIFO and a socket are listed, never opened",
                          LinksAndSpecialFiles,
                          Args(),
                          0,
                          {kSuccess},
                          Output::kWritten,
                          [](const BadInputTest& run) {
                              return run.Script({{"a.dwg", "a"},
                                                 {"l-dangling", "l-dangling"},
                                                 {"l-link", "l-link"},
                                                 {"l-loop", "l-loop"},
                                                 {"l-up", "l-up"},
                                                 {"p-fifo", "p-fifo"},
                                                 {"s-socket", "s-socket"}});
                          }}),
    testing::ScenarioName());

INSTANTIATE_TEST_SUITE_P(
    OutputPath, BadInputTest,
    ::testing::Values(
        Row{"output is a new file", nullptr, Args(), 0, {kSuccess}, Output::kWritten, OneDrawing},
        Row{"existing output overwritten with -y",
            ExistingOutput,
            Args("plot.scr", "dwg", "all.scr", {"-y"}),
            0,
            {kQuestion, kSuccess},
            Output::kWritten,
            OneDrawing},
        Row{"existing output kept without -y and without a terminal",
            ExistingOutput,
            Args(),
            1,
            {kQuestion, kCancelled},
            Output::kUntouched},
        Row{"output read-only",
            [](BadInputTest& run) {
                ExistingOutput(run);
                ::chmod(run.At("all.scr").c_str(), 0444);
                return std::string();
            },
            Args("plot.scr", "dwg", "all.scr", {"-y"}),
            1,
            {kQuestion, kOutputWarning, kCancelled},
            Output::kUntouched,
            nullptr,
            true},
        Row{"output is a folder",
            [](BadInputTest& run) { return Folder(run, "all.scr", 0755); },
            Args("plot.scr", "dwg", "all.scr", {"-y"}),
            1,
            {kQuestion, kOutputWarning, kCancelled},
            Output::kUntouched},
        Row{"output is a FIFO with no reader",
            [](BadInputTest& run) { return Fifo(run.At("all.scr")); },
            Args("plot.scr", "dwg", "all.scr", {"-y"}),
            1,
            {kQuestion, kOutputWarning, kCancelled},
            Output::kUntouched},
        Row{"output is /dev/full",
            nullptr,
            Args("plot.scr", "dwg", "/dev/full", {"-y"}),
            1,
            {kQuestion, kCancelled},
            Output::kUntouched,
            nullptr,
            false,
            "/dev/full"},
        Row{"output is /dev/null",
            nullptr,
            Args("plot.scr", "dwg", "/dev/null", {"-y"}),
            0,
            {kQuestion, kSuccess},
            Output::kUntouched,
            nullptr,
            false,
            "/dev/null"},
        Row{"output inside the target folder is an entry of its own",
            nullptr,
            Args("plot.scr", "dwg", "dwg/all.scr"),
            0,
            {kSuccess},
            Output::kWritten,
            WithEntry("all.scr", "all"),
            false,
            "dwg/all.scr"},
        Row{"output is the base script",
            nullptr,
            Args("plot.scr", "dwg", "plot.scr", {"-y"}),
            1,
            {kQuestion, kBaseWarning, kCancelled},
            Output::kUntouched,
            nullptr,
            false,
            "plot.scr"},
        Row{"output is a hard link to the base script",
            [](BadInputTest& run) {
                return ::link(run.At("plot.scr").c_str(), run.At("all.scr").c_str()) == 0
                           ? ""
                           : "link failed";
            },
            Args("plot.scr", "dwg", "all.scr", {"-y"}),
            1,
            {kQuestion, kBaseWarning, kCancelled},
            Output::kUntouched},
        Row{"output held by another run",
            HeldByAnotherRun,
            Args("plot.scr", "dwg", "all.scr", {"-y"}),
            1,
            {kQuestion, kOutputWarning, kCancelled},
            Output::kUntouched},
        Row{"output in a missing folder",
            nullptr,
            Args("plot.scr", "dwg", "missing/all.scr"),
            1,
            {kOutputWarning, kCancelled},
            Output::kMissing,
            nullptr,
            false,
            "missing/all.scr"},
        Row{"output on a file system that fills up",
            SmallFileSystem,
            Args("plot.scr", "dwg", "small/all.scr"),
            1,
            {kCancelled},
            Output::kPartial,
            SmallFileSystemScript,
            false,
            "small/all.scr"}),
    testing::ScenarioName());

}  // namespace
}  // namespace quillet
