// quillet-cli as a user starts it: the built program in a child process, real folders and
// files, its exit status, its standard streams, and the script it writes, compared byte for
// byte with what the generation run writes in this process for the same inputs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/base_script_check.h"
#include "cli/options.h"
#include "core/default_texts.h"
#include "core/generation.h"
#include "core/messages.h"
#include "core/prompter.h"
#include "platform/posix_file_system.h"
#include "platform/system_info.h"
#include "support/child_process.h"
#include "support/scenario_name.h"
#include "support/scripted_prompter.h"
#include "support/shift_jis_locale.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::CompileShiftJisLocale;
using testing::CurrentDirectoryGuard;
using testing::Finished;
using testing::Launch;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const std::string kProgram = QUILLET_CLI_PATH;

std::string Line(std::string_view text) {
    std::string line = "quillet-cli: " + std::string(text);
    for (char& c : line) {
        c = c == '\n' ? ' ' : c;
    }
    return line;
}

const std::string kQuestion = Line(messages::kOverwriteQuestion);
const std::string kSuccess = Line(messages::kGenerated);
const std::string kCancelled = Line(messages::kCancelled);
const std::string kBaseWarning = Line(messages::kBaseScriptOpenFailed);
const std::string kFolderWarning = Line(messages::kTargetFolderOpenFailed);
const std::string kControlWarning = Line(messages::kControlCharacterName);
const std::string kUnended = Line(cli::warnings::kLastLineUnended);
const std::string kNoPlaceholder = Line(cli::warnings::kNoPlaceholder);

const std::string kBase = "OPEN \"<TARGET_FILEPATH>\" ; <TARGET_FNAMETITLE> in <TARGET_FOLDER>\r\n";
const std::string kFormer = "former content";

// What the generation run itself makes of the same inputs.
struct CoreInputs {
    std::string header = std::string(kDefaultHeader);
    std::string footer = std::string(kDefaultFooter);
    EntryFilter filter{};
    CodePage codePage = CodePage::None;  // the suite runs in C.UTF-8
    std::string baseScript = "plot.scr";
};

bool EndsWithDwg(std::string_view name) {
    if (name.size() < 4) {
        return false;
    }
    std::string suffix(name.substr(name.size() - 4));
    for (char& c : suffix) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return suffix == ".dwg";
}

// A folder "dwg" with drawings, a text file and a sub-folder; the base script "plot.scr" beside
// it. The program runs in the folder above both, where the paths below are relative.
class CliTest : public ::testing::Test {
public:
    CliTest() {
        root = std::filesystem::canonical(dir.Path()).string();
        std::filesystem::create_directory(root + "/dwg");
        std::filesystem::create_directory(root + "/dwg/old");
        for (const char* name : {"a.dwg", "B.DWG", "c.txt", "d.Dwg.bak"}) {
            WriteFile(root + "/dwg/" + name, "");
        }
        WriteFile(root + "/plot.scr", kBase);
    }

    [[nodiscard]] std::string At(std::string_view relative) const {
        return root + "/" + std::string(relative);
    }

    [[nodiscard]] Finished Run(std::vector<std::string> arguments, Launch launch = {}) const {
        arguments.insert(arguments.begin(), kProgram);
        launch.arguments = std::move(arguments);
        launch.workingDirectory = root;
        return testing::RunProgram(launch);
    }

    // The script that GenerateScript writes in this process from the same folder.
    [[nodiscard]] std::string CoreScript(const CoreInputs& inputs) const {
        CurrentDirectoryGuard guard;
        std::filesystem::current_path(root);
        const std::string output = At("core-output.scr");
        std::filesystem::remove(output);
        testing::ScriptedPrompter prompter(output);
        platform::PosixFileSystem posix;
        const GenerationSettings settings{inputs.baseScript, "dwg", inputs.header, inputs.footer};
        GenerateScript(settings, {prompter, posix, inputs.codePage, platform::PhysicalMemoryBytes(),
                                  inputs.filter});
        const std::vector<testing::ShownMessage> success{
            {std::string(messages::kGenerated), MB_ICONINFORMATION}};
        EXPECT_EQ(prompter.Shown(), success) << "the in-process run itself failed";
        std::string script = ReadFile(output);
        std::filesystem::remove(output);
        return script;
    }

    TempDir dir;
    std::string root;
};

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// Where the script is to be found, and what it must hold.
enum class Script {
    kCore,          // all.scr holds what the run writes in this process
    kCoreOnStdout,  // standard output holds it
    kCoreInDash,    // the file named "-" holds it
    kUntouched,     // all.scr keeps its former content
    kMissing,       // all.scr was never created
    kEmpty,         // all.scr was created (or emptied) and nothing written
    kHeaderOnly,    // all.scr holds the default header and nothing more
};

struct CliCase {
    const char* scenario{};
    std::function<void(CliTest&)> arrange{};
    std::vector<std::string> arguments{};
    int exitStatus;
    std::vector<std::string> messages{};  // the lines on standard error
    Script script;
    CoreInputs core{};
    Launch launch{};
};

void PrintTo(const CliCase& c, std::ostream* out) {
    *out << c.scenario;
}

class CliRunTest : public CliTest, public ::testing::WithParamInterface<CliCase> {};

TEST_P(CliRunTest, EndsWithItsStatusMessagesAndScript) {
    const CliCase& c = GetParam();
    if (c.arrange) {
        c.arrange(*this);
    }
    Launch launch = c.launch;
    if (launch.stdoutFile && !launch.stdoutFile->starts_with("/")) {
        launch.stdoutFile = At(*launch.stdoutFile);
    }
    const Finished finished = Run(c.arguments, launch);

    EXPECT_EQ(finished.exitStatus, c.exitStatus);
    EXPECT_EQ(finished.err, Lines(c.messages));
    if (c.script != Script::kCoreOnStdout) {
        EXPECT_EQ(finished.out, "") << "nothing but a script goes to standard output";
    }
    const std::string output = At("all.scr");
    switch (c.script) {
        case Script::kCore:
            EXPECT_EQ(ReadFile(output), CoreScript(c.core));
            break;
        case Script::kCoreOnStdout:
            EXPECT_EQ(finished.out, CoreScript(c.core));
            EXPECT_FALSE(std::filesystem::exists(output));
            break;
        case Script::kCoreInDash:
            EXPECT_EQ(ReadFile(At("-")), CoreScript(c.core));
            break;
        case Script::kUntouched:
            EXPECT_EQ(ReadFile(output), kFormer);
            break;
        case Script::kMissing:
            EXPECT_FALSE(std::filesystem::exists(output));
            break;
        case Script::kEmpty:
            EXPECT_EQ(ReadFile(output), "");
            break;
        case Script::kHeaderOnly:
            EXPECT_EQ(ReadFile(output), kDefaultHeader);
            break;
    }
}

void ExistingOutput(CliTest& run) {
    WriteFile(run.At("all.scr"), kFormer);
}

void DashFile(CliTest& run) {
    WriteFile(run.At("-"), kFormer);
}

void ControlCharacterName(CliTest& run) {
    WriteFile(run.At("dwg/notes\nERASE ALL\n.txt"), "");
}

const std::vector<std::string> kPlain{"plot.scr", "dwg", "all.scr"};

std::vector<std::string> With(std::vector<std::string> options,
                              const std::vector<std::string>& operands = kPlain) {
    options.insert(options.end(), operands.begin(), operands.end());
    return options;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliRunTest,
    ::testing::Values(
        CliCase{"default header and footer", nullptr, kPlain, 0, {kSuccess}, Script::kCore},
        CliCase{"header and footer files byte for byte",
                [](CliTest& run) {
                    WriteFile(run.At("head.txt"), std::string("H1\nH2\0x", 7));
                    WriteFile(run.At("foot.txt"), "");
                },
                With({"--header", "head.txt", "--footer=foot.txt"}),
                0,
                {kSuccess},
                Script::kCore,
                {.header = std::string("H1\nH2\0x", 7), .footer = ""}},
        CliCase{"include patterns match letters in either case",
                nullptr,
                With({"--include", "*.DWG", "--include=o?d"}),
                0,
                {kSuccess},
                Script::kCore,
                {.filter = [](std::string_view n) { return EndsWithDwg(n) || n == "old"; }}},
        CliCase{"options after the operands",
                nullptr,
                {"plot.scr", "dwg", "all.scr", "--include", "[ab]*"},
                0,
                {kSuccess},
                Script::kCore,
                {.filter = [](std::string_view n) { return n == "a.dwg" || n == "B.DWG"; }}},
        CliCase{"a name with a control character is refused",
                ControlCharacterName,
                kPlain,
                1,
                {kControlWarning, kCancelled},
                Script::kHeaderOnly},
        CliCase{"a name left out is not refused",
                ControlCharacterName,
                With({"--include", "*.dwg"}),
                0,
                {kSuccess},
                Script::kCore,
                {.filter = EndsWithDwg}},
        CliCase{"existing output without a terminal is kept",
                ExistingOutput,
                kPlain,
                1,
                {kQuestion, kCancelled},
                Script::kUntouched},
        CliCase{"existing output overwritten with -y",
                ExistingOutput,
                With({"-y"}),
                0,
                {kQuestion, kSuccess},
                Script::kCore},
        CliCase{"existing output overwritten with --yes",
                ExistingOutput,
                With({"--yes"}),
                0,
                {kQuestion, kSuccess},
                Script::kCore},
        CliCase{"dash writes to standard output without a question",
                DashFile,
                {"plot.scr", "dwg", "-"},
                0,
                {kSuccess},
                Script::kCoreOnStdout},
        CliCase{"dot slash dash is the file named dash",
                DashFile,
                {"-y", "plot.scr", "dwg", "./-"},
                0,
                {kQuestion, kSuccess},
                Script::kCoreInDash},
        CliCase{"base script missing",
                nullptr,
                {"gone.scr", "dwg", "all.scr"},
                1,
                {kBaseWarning, kCancelled},
                Script::kEmpty},
        CliCase{"base script holding the output's place",
                nullptr,
                {"-y", "plot.scr", "dwg", "plot.scr"},
                1,
                {kQuestion, kBaseWarning, kCancelled},
                Script::kMissing},
        CliCase{"target folder missing",
                nullptr,
                {"plot.scr", "nope", "all.scr"},
                1,
                {kFolderWarning, kCancelled},
                Script::kMissing},
        CliCase{"last line without a line break",
                [](CliTest& run) { WriteFile(run.At("plot.scr"), "OPEN <TARGET_FILEPATH>"); },
                kPlain,
                0,
                {kUnended, kSuccess},
                Script::kCore},
        CliCase{"no placeholder",
                [](CliTest& run) { WriteFile(run.At("plot.scr"), "QSAVE\r\n"); },
                kPlain,
                0,
                {kNoPlaceholder, kSuccess},
                Script::kCore},
        CliCase{"both warnings, then a cancelled run",
                [](CliTest& run) {
                    ExistingOutput(run);
                    WriteFile(run.At("plot.scr"), "QSAVE");
                },
                kPlain,
                1,
                {kUnended, kNoPlaceholder, kQuestion, kCancelled},
                Script::kUntouched},
        CliCase{"a placeholder after the first NUL does not count",
                [](CliTest& run) {
                    WriteFile(run.At("plot.scr"), std::string("QSAVE\r\n\0<TARGET_FILEPATH>", 24));
                },
                kPlain,
                0,
                {kNoPlaceholder, kSuccess},
                Script::kCore},
        CliCase{"write error on standard output",
                nullptr,
                {"plot.scr", "dwg", "-"},
                1,
                {kCancelled},
                Script::kMissing,
                {},
                {.stdoutFile = "/dev/full"}},
        CliCase{"standard output's reader gone",
                nullptr,
                {"plot.scr", "dwg", "-"},
                1,
                {kCancelled},
                Script::kMissing,
                {},
                {.stdoutReaderGone = true}},
        CliCase{"standard output appending to the base script",
                nullptr,
                {"plot.scr", "dwg", "-"},
                1,
                {kBaseWarning, kCancelled},
                Script::kMissing,
                {},
                {.stdoutFile = "plot.scr", .appendStdout = true}},
        CliCase{"unknown option",
                nullptr,
                With({"--yes-please"}),
                2,
                {Line(cli::usage::kUnknownOption) + "--yes-please"},
                Script::kMissing},
        CliCase{"missing operand",
                nullptr,
                {"plot.scr", "dwg"},
                2,
                {Line(cli::usage::kMissingArgument) + "OUTPUT"},
                Script::kMissing},
        CliCase{"too many operands",
                nullptr,
                With({}, {"plot.scr", "dwg", "all.scr", "x"}),
                2,
                {Line(cli::usage::kExtraArgument) + "x"},
                Script::kMissing},
        CliCase{"option without its value",
                nullptr,
                With({}, {"plot.scr", "dwg", "all.scr", "--footer"}),
                2,
                {Line(cli::usage::kMissingValue) + "--footer"},
                Script::kMissing},
        CliCase{"unknown code page",
                nullptr,
                With({"--code-page", "65001"}),
                2,
                {Line(cli::usage::kBadCodePage) + "65001"},
                Script::kMissing},
        CliCase{"header file missing",
                ExistingOutput,
                With({"-y", "--header", "none.txt"}),
                2,
                {Line(cli::usage::kUnreadableFile) + "none.txt: No such file or directory"},
                Script::kUntouched},
        CliCase{"footer file is a folder",
                nullptr,
                With({"--footer", "dwg"}),
                2,
                {Line(cli::usage::kUnreadableFile) + "dwg: Is a directory"},
                Script::kMissing}),
    testing::ScenarioName());

TEST_F(CliTest, CodePageFromTheOptionDecidesWhichDotEndsTheTitle) {
    // 0x95 0x2E is one character under code page 932: the title of this name is all of it.
    WriteFile(At("dwg/\x95.dwg"), "");
    const std::string under932 = CoreScript({.codePage = CodePage::Cp932});
    const std::string underNone = CoreScript({.codePage = CodePage::None});
    ASSERT_NE(under932, underNone);

    EXPECT_EQ(Run(With({"--code-page", "932"})).exitStatus, 0);
    EXPECT_EQ(ReadFile(At("all.scr")), under932);
    EXPECT_EQ(Run(With({"-y", "--code-page=none"})).exitStatus, 0);
    EXPECT_EQ(ReadFile(At("all.scr")), underNone);
    EXPECT_EQ(Run(With({"-y"})).exitStatus, 0);
    EXPECT_EQ(ReadFile(At("all.scr")), underNone) << "C.UTF-8 walks bytes";
}

TEST_F(CliTest, ShiftJisLocaleSetsTheCodePageAndTheMessagesCharset) {
    TempDir locales;
    if (const std::string why = CompileShiftJisLocale(locales); !why.empty()) {
        GTEST_SKIP() << why;
    }
    WriteFile(At("dwg/\x95.dwg"), "");
    WriteFile(At("plot.scr"), "QSAVE\r\n");

    const Finished finished =
        Run(kPlain, {.environment = {"LOCPATH=" + locales.Path(), "LC_ALL=ja_JP.SJIS"}});

    EXPECT_EQ(finished.exitStatus, 0);
    // The same lines as in UTF-8, in the bytes a Shift_JIS terminal shows: one byte for each
    // half-width katakana, two for every other Japanese character.
    EXPECT_EQ(finished.err,
              "quillet-cli: \x8C\x78\x8D\x90: \xCD\xDE\xB0\xBD\xBD\xB8\xD8\xCC\xDF\xC4\x82\xC9"
              "\xCC\xDF\xDA\xB0\xBD\xCE\xD9\xC0\xDE\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82"
              "\xF1 / warning: the base script holds none of the four placeholders\n"
              "quillet-cli: \xBD\xB8\xD8\xCC\xDF\xC4\x82\xCC\x90\xB6\x90\xAC\x82\xC9\x90\xAC\x8C"
              "\xF7\x82\xB5\x82\xDC\x82\xB5\x82\xBD\n");
    EXPECT_EQ(ReadFile(At("all.scr")),
              CoreScript({.codePage = CodePage::Cp932, .baseScript = "plot.scr"}));
}

TEST_F(CliTest, HelpInBothLanguagesAndVersion) {
    for (const char* option : {"--help", "-h"}) {
        const Finished help = Run({"plot.scr", option, "--bogus"});
        EXPECT_EQ(help.exitStatus, 0);
        EXPECT_EQ(help.err, "");
        EXPECT_NE(help.out.find("使い方: quillet-cli [OPTIONS] BASE_SCRIPT TARGET_FOLDER OUTPUT\n"),
                  std::string::npos);
        EXPECT_NE(help.out.find("Usage: quillet-cli [OPTIONS] BASE_SCRIPT TARGET_FOLDER OUTPUT\n"),
                  std::string::npos);
        for (const char* documented :
             {"--yes", "--header", "--footer", "--include", "--code-page", "--version"}) {
            EXPECT_NE(help.out.find(documented), std::string::npos) << documented;
        }
    }
    const Finished version = Run({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, "quillet-cli 1.0.0.0\n");
    EXPECT_FALSE(std::filesystem::exists(At("all.scr")));
}

// The overwrite question on a terminal.
struct TerminalCase {
    const char* scenario{};
    std::vector<std::string> options;
    testing::TerminalSession session{};
    int exitStatus;
    std::string transcript{};  // the terminal's lines
    std::string err{};         // standard error when it is not the terminal
    bool overwritten;
};

void PrintTo(const TerminalCase& c, std::ostream* out) {
    *out << c.scenario;
}

class CliTerminalTest : public CliTest, public ::testing::WithParamInterface<TerminalCase> {};

TEST_P(CliTerminalTest, AsksOnlyWhereSomeoneCanAnswer) {
    const TerminalCase& c = GetParam();
    const int probe = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (probe < 0) {
        GTEST_SKIP() << "this system gives no pseudo-terminal (" << std::strerror(errno) << ")";
    }
    ::close(probe);
    ExistingOutput(*this);
    Launch launch;
    launch.arguments = With(c.options);
    launch.arguments.insert(launch.arguments.begin(), kProgram);
    launch.workingDirectory = root;

    const testing::TerminalFinished finished = testing::RunOnTerminal(launch, c.session);

    EXPECT_EQ(finished.exitStatus, c.exitStatus);
    EXPECT_EQ(finished.transcript, c.transcript);
    EXPECT_EQ(finished.err, c.err);
    EXPECT_EQ(ReadFile(At("all.scr")), c.overwritten ? CoreScript({}) : kFormer);
}

const std::string kAsked = kQuestion + " [y/N] ";

INSTANTIATE_TEST_SUITE_P(
    Cases, CliTerminalTest,
    ::testing::Values(
        TerminalCase{
            "y overwrites", {}, {.answer = "y\n"}, 0, kAsked + "y\n" + kSuccess + "\n", "", true},
        TerminalCase{"yes in capitals overwrites",
                     {},
                     {.answer = " YES \n"},
                     0,
                     kAsked + " YES \n" + kSuccess + "\n",
                     "",
                     true},
        TerminalCase{
            "n cancels", {}, {.answer = "n\n"}, 1, kAsked + "n\n" + kCancelled + "\n", "", false},
        TerminalCase{"an empty line cancels",
                     {},
                     {.answer = "\n"},
                     1,
                     kAsked + "\n" + kCancelled + "\n",
                     "",
                     false},
        TerminalCase{"the end of the input cancels",
                     {},
                     {.answer = "\x04"},
                     1,
                     kAsked + "\n" + kCancelled + "\n",
                     "",
                     false},
        TerminalCase{"-y asks nobody", {"-y"}, {}, 0, kQuestion + "\n" + kSuccess + "\n", "", true},
        TerminalCase{"no question when standard error is no terminal",
                     {},
                     {.errorToPipe = true},
                     1,
                     "",
                     kQuestion + "\n" + kCancelled + "\n",
                     false},
        TerminalCase{"no question when standard input is no terminal",
                     {},
                     {.inputFromNull = true},
                     1,
                     kQuestion + "\n" + kCancelled + "\n",
                     "",
                     false}),
    testing::ScenarioName());

}  // namespace
}  // namespace quillet
