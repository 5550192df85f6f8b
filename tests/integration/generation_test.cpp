// The generation run end to end: real folders and files, the POSIX file layer, a scripted
// person answering the prompts.
#include "core/generation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/messages.h"
#include "core/prompter.h"
#include "platform/posix_file_system.h"
#include "platform/system_info.h"
#include "support/instrumented_file_system.h"
#include "support/scenario_name.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace quillet {
namespace {

using namespace std::string_literals;
using testing::CurrentDirectoryGuard;
using testing::InstrumentedFileSystem;
using testing::ReadFile;
using testing::ScriptedPrompter;
using testing::ShownMessage;
using testing::TempDir;
using testing::WriteFile;

const ShownMessage kQuestion{std::string(messages::kOverwriteQuestion), MB_OKCANCEL};
const ShownMessage kOutputWarning{std::string(messages::kOutputOpenFailed), MB_ICONEXCLAMATION};
const ShownMessage kBaseWarning{std::string(messages::kBaseScriptOpenFailed), MB_ICONEXCLAMATION};
const ShownMessage kFolderWarning{std::string(messages::kTargetFolderOpenFailed),
                                  MB_ICONEXCLAMATION};
const ShownMessage kControlWarning{std::string(messages::kControlCharacterName),
                                   MB_ICONEXCLAMATION};
const ShownMessage kSuccess{std::string(messages::kGenerated), MB_ICONINFORMATION};
const ShownMessage kCancelled{std::string(messages::kCancelled), MB_ICONEXCLAMATION};

const std::string kHeader = ";---- HEADER\r\nCMDDIA 0\r\n";
const std::string kFooter = ";---- FOOTER\r\nCMDDIA 1\r\n";
const std::string kBase = "OPEN \"<TARGET_FILEPATH>\" ; <TARGET_FNAMETITLE>\r\n";

// A base script, a target folder holding two drawings, and an output path beside them.
class GenerationTest : public ::testing::Test {
public:
    GenerationTest() {
        root = std::filesystem::canonical(dir.Path()).string();
        target = root + "/dwg";
        basePath = root + "/plot.scr";
        outputPath = root + "/all.scr";
        std::filesystem::create_directory(target);
        WriteFile(target + "/b.dwg", "drawing b");
        WriteFile(target + "/a.dwg", "drawing a");
        WriteFile(basePath, kBase);
        settings = {basePath, target, kHeader, kFooter};
        saveAnswer = outputPath;
    }

    std::vector<ShownMessage> Run(std::optional<std::string> savePath, std::deque<int> answers = {},
                                  FileSystem* fileSystem = nullptr) {
        ScriptedPrompter prompter(std::move(savePath), std::move(answers));
        const RunEnvironment environment{prompter, fileSystem ? *fileSystem : posix, codePage,
                                         memoryLimit, includeEntry};
        GenerateScript(settings, environment);
        return prompter.Shown();
    }

    std::vector<ShownMessage> Run() { return Run(outputPath); }

    [[nodiscard]] std::string Copy(const std::string& name, const std::string& title) const {
        return "OPEN \"" + target + "/" + name + "\" ; " + title + "\r\n";
    }

    TempDir dir;
    CurrentDirectoryGuard cwdGuard;
    std::string root, target, basePath, outputPath;
    std::optional<std::string> saveAnswer;  // what the save dialog answers in the failure rows
    GenerationSettings settings;
    platform::PosixFileSystem posix;
    CodePage codePage = CodePage::None;
    std::uint64_t memoryLimit = platform::PhysicalMemoryBytes();
    EntryFilter includeEntry;
};

using Messages = std::vector<ShownMessage>;

TEST_F(GenerationTest, WritesHeaderOneCopyPerEntryInNameOrderAndFooter) {
    std::filesystem::create_directory(target + "/old");
    WriteFile(target + "/.hidden", "");
    WriteFile(target + "/C.DWG", "");

    EXPECT_EQ(Run(), Messages{kSuccess});

    EXPECT_EQ(ReadFile(outputPath), kHeader + Copy(".hidden", "") + Copy("a.dwg", "a") +
                                        Copy("b.dwg", "b") + Copy("C.DWG", "C") +
                                        Copy("old", "old") + kFooter);
    EXPECT_EQ(std::filesystem::current_path().string(), target)
        << "the run leaves the current directory at the target folder";
}

TEST_F(GenerationTest, FolderTokenIsTheTextAsTypedWhilePathsAreResolved) {
    WriteFile(basePath, "<TARGET_FOLDER>|<TARGET_FILEPATH>|<TARGET_FNAMEEXT>\n");
    settings.m_strTargetFolder = target + "/./";
    ASSERT_EQ(Run(), Messages{kSuccess});
    EXPECT_EQ(ReadFile(outputPath), kHeader + target + "/./|" + target + "/a.dwg|a.dwg\n" + target +
                                        "/./|" + target + "/b.dwg|b.dwg\n" + kFooter);
}

TEST_F(GenerationTest, FilterLeavesEntriesOutAndOnlyRefusesTheNamesItTakes) {
    std::filesystem::create_directory(target + "/old.dwg.d");
    WriteFile(target + "/C.DWG", "");
    WriteFile(target + "/notes\nERASE ALL\n.txt", "");
    includeEntry = [](std::string_view name) {
        return name.size() >= 4 && name.substr(name.size() - 4) != ".txt" && name != "a.dwg";
    };
    EXPECT_EQ(Run(), Messages{kSuccess});
    EXPECT_EQ(ReadFile(outputPath), kHeader + Copy("b.dwg", "b") + Copy("C.DWG", "C") +
                                        Copy("old.dwg.d", "old.dwg") + kFooter);

    includeEntry = [](std::string_view name) { return name != "a.dwg"; };
    EXPECT_EQ(Run(outputPath, {IDOK}), (Messages{kQuestion, kControlWarning, kCancelled}));
}

TEST_F(GenerationTest, OutputInsideTheTargetFolderIsAnEntryOfItsOwn) {
    outputPath = target + "/all.scr";
    ASSERT_EQ(Run(), Messages{kSuccess});
    EXPECT_EQ(ReadFile(outputPath),
              kHeader + Copy("a.dwg", "a") + Copy("all.scr", "all") + Copy("b.dwg", "b") + kFooter);
}

struct LayoutCase {
    const char* scenario;
    std::string base;
    std::string header;
    std::string footer;
    bool emptyFolder;
    std::string expected;  // "{T}" stands for the target folder
};

class LayoutTest : public GenerationTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutTest, AddsNothingBetweenOrAfterThePieces) {
    const LayoutCase& c = GetParam();
    WriteFile(basePath, c.base);
    settings.m_strHeader = c.header;
    settings.m_strFooter = c.footer;
    if (c.emptyFolder) {
        std::filesystem::remove(target + "/a.dwg");
        std::filesystem::remove(target + "/b.dwg");
    }
    ASSERT_EQ(Run(), Messages{kSuccess});
    std::string expected = c.expected;
    for (std::size_t at = expected.find("{T}"); at != std::string::npos;
         at = expected.find("{T}")) {
        expected.replace(at, 3, target);
    }
    EXPECT_EQ(ReadFile(outputPath), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutTest,
    ::testing::Values(
        LayoutCase{"folder with only dot entries", "X<TARGET_FNAMEEXT>", "H", "F", true, "HF"},
        LayoutCase{"empty base script", "", "H", "F", false, "HF"},
        LayoutCase{"base script starting with NUL", "\0<TARGET_FNAMEEXT>"s, "H", "F", false, "HF"},
        LayoutCase{"NUL ends every copy", "[<TARGET_FNAMEEXT>]\0junk<TARGET_FNAMEEXT>"s, "H", "F",
                   false, "H[a.dwg][b.dwg]F"},
        LayoutCase{"no final line break runs into the next copy", "OPEN <TARGET_FNAMEEXT>", "H\r\n",
                   "F\r\n", false, "H\r\nOPEN a.dwgOPEN b.dwgF\r\n"},
        LayoutCase{"empty header and footer", "<TARGET_FILEPATH>\n", "", "", false,
                   "{T}/a.dwg\n{T}/b.dwg\n"},
        LayoutCase{"line ends and bytes pass through untouched", "\xEF\xBB\xBF\r\r\n\t\x95\\\n",
                   "\n", "\r", false,
                   "\n\xEF\xBB\xBF\r\r\n\t\x95\\\n\xEF\xBB\xBF\r\r\n\t\x95\\\n\r"}),
    testing::ScenarioName());

TEST_F(GenerationTest, EachPieceReachesTheFileInOneWrite) {
    InstrumentedFileSystem counted(posix);
    ASSERT_EQ(Run(outputPath, {}, &counted), Messages{kSuccess});
    EXPECT_EQ(counted.Count("Output.Write"), 4U) << "header, two copies, footer";
    EXPECT_EQ(counted.Count("ListCurrentDirectory"), 1U);
    EXPECT_EQ(counted.Count("Base.Read"), 1U);
}

TEST_F(GenerationTest, CodePageDecidesWhichDotEndsTheTitle) {
    std::filesystem::remove(target + "/a.dwg");
    std::filesystem::remove(target + "/b.dwg");
    WriteFile(target + "/\x95.dwg", "");  // 0x95 0x2E is one character in code page 932
    WriteFile(basePath, "<TARGET_FNAMETITLE>|");

    codePage = CodePage::Cp932;
    ASSERT_EQ(Run(), (Messages{kSuccess}));
    EXPECT_EQ(ReadFile(outputPath), kHeader + "\x95.dwg|" + kFooter);

    codePage = CodePage::None;
    ASSERT_EQ(Run(outputPath, {IDOK, IDOK}), (Messages{kQuestion, kSuccess}));
    EXPECT_EQ(ReadFile(outputPath), kHeader + "\x95|" + kFooter);
}

TEST_F(GenerationTest, ExistingOutputIsReplacedAfterOkAndKeptAfterCancel) {
    WriteFile(outputPath, "precious former content that is longer than the script");
    EXPECT_EQ(Run(outputPath, {IDCANCEL}), (Messages{kQuestion, kCancelled}));
    EXPECT_EQ(ReadFile(outputPath), "precious former content that is longer than the script");

    EXPECT_EQ(Run(outputPath, {IDOK}), (Messages{kQuestion, kSuccess}));
    EXPECT_EQ(ReadFile(outputPath), kHeader + Copy("a.dwg", "a") + Copy("b.dwg", "b") + kFooter);

    EXPECT_EQ(Run(outputPath, {IDOK}), (Messages{kQuestion, kSuccess}))
        << "a second run with the same path asks again";
}

TEST_F(GenerationTest, AnythingAtTheOutputPathGetsTheQuestion) {
    ASSERT_EQ(::symlink("nowhere.scr", outputPath.c_str()), 0);
    EXPECT_EQ(Run(outputPath, {IDCANCEL}), (Messages{kQuestion, kCancelled}));
    EXPECT_FALSE(std::filesystem::exists(root + "/nowhere.scr"));

    const std::string locked = root + "/locked.scr";
    WriteFile(locked, "keep");
    ::chmod(locked.c_str(), 0);
    EXPECT_EQ(Run(locked, {IDCANCEL}), (Messages{kQuestion, kCancelled}));
    ::chmod(locked.c_str(), 0600);
    EXPECT_EQ(ReadFile(locked), "keep");
}

// What each failing run shows, and what it leaves at the output path.
enum class OutputAfter { kMissing, kUntouched, kEmpty, kHeaderOnly };

struct FailureCase {
    const char* scenario;
    std::function<void(GenerationTest&)> arrange;
    std::deque<int> answers;
    std::vector<ShownMessage> messages;
    OutputAfter output;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.scenario;
}

// The content of a file, or what else stands at the path.
std::string Snapshot(const std::string& path) {
    if (std::filesystem::is_directory(path)) {
        return "(folder)";
    }
    return std::filesystem::exists(path) ? ReadFile(path) : "(missing)";
}

class RunFailureTest : public GenerationTest, public ::testing::WithParamInterface<FailureCase> {};

const std::string kFormer = "former content";

TEST_P(RunFailureTest, ShowsItsMessagesAndLeavesTheFilesAsTheyMustBe) {
    const FailureCase& c = GetParam();
    const std::string baseBefore = ReadFile(basePath);
    c.arrange(*this);
    if (c.output == OutputAfter::kUntouched && !std::filesystem::exists(outputPath)) {
        WriteFile(outputPath, kFormer);
    }
    const std::string outputBefore = Snapshot(outputPath);

    EXPECT_EQ(Run(saveAnswer, c.answers), c.messages);

    switch (c.output) {
        case OutputAfter::kMissing:
            EXPECT_FALSE(std::filesystem::exists(outputPath));
            break;
        case OutputAfter::kUntouched:
            EXPECT_EQ(Snapshot(outputPath), outputBefore);
            break;
        case OutputAfter::kEmpty:
            EXPECT_EQ(ReadFile(outputPath), "");
            break;
        case OutputAfter::kHeaderOnly:
            EXPECT_EQ(ReadFile(outputPath), kHeader);
            break;
    }
    if (std::filesystem::is_regular_file(basePath)) {
        EXPECT_EQ(ReadFile(basePath), baseBefore) << "the base script is never written";
    }
}

// Arrangements shared by several rows.
void ExistingOutput(GenerationTest& t) {
    WriteFile(t.outputPath, kFormer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunFailureTest,
    ::testing::Values(
        FailureCase{"save dialog cancelled",
                    [](GenerationTest& run) { run.saveAnswer.reset(); },
                    {},
                    {kCancelled},
                    OutputAfter::kMissing},
        FailureCase{"overwrite answered cancel",
                    ExistingOutput,
                    {IDCANCEL},
                    {kQuestion, kCancelled},
                    OutputAfter::kUntouched},
        FailureCase{"output in a missing folder",
                    [](GenerationTest& run) { run.saveAnswer = run.root + "/missing/all.scr"; },
                    {},
                    {kOutputWarning, kCancelled},
                    OutputAfter::kMissing},
        FailureCase{"output is a folder",
                    [](GenerationTest& run) { std::filesystem::create_directory(run.outputPath); },
                    {},
                    {kQuestion, kOutputWarning, kCancelled},
                    OutputAfter::kUntouched},
        FailureCase{"no base script chosen",
                    [](GenerationTest& run) { run.settings.m_strBaseScript = ""; },
                    {},
                    {kBaseWarning, kCancelled},
                    OutputAfter::kEmpty},
        FailureCase{
            "base script missing",
            [](GenerationTest& run) { run.settings.m_strBaseScript = run.root + "/gone.scr"; },
            {},
            {kBaseWarning, kCancelled},
            OutputAfter::kEmpty},
        FailureCase{"base script is a folder",
                    [](GenerationTest& run) { run.settings.m_strBaseScript = run.target; },
                    {},
                    {kBaseWarning, kCancelled},
                    OutputAfter::kEmpty},
        FailureCase{"base script is a FIFO",
                    [](GenerationTest& run) {
                        const std::string fifo = run.root + "/fifo";
                        ::mkfifo(fifo.c_str(), 0600);
                        run.settings.m_strBaseScript = fifo;
                    },
                    {},
                    {kBaseWarning, kCancelled},
                    OutputAfter::kEmpty},
        FailureCase{"base script is /dev/zero",
                    [](GenerationTest& run) { run.settings.m_strBaseScript = "/dev/zero"; },
                    {},
                    {kBaseWarning, kCancelled},
                    OutputAfter::kEmpty},
        FailureCase{"existing output emptied before the base warning",
                    [](GenerationTest& run) {
                        ExistingOutput(run);
                        run.settings.m_strBaseScript = run.root + "/gone.scr";
                    },
                    {IDOK},
                    {kQuestion, kBaseWarning, kCancelled},
                    OutputAfter::kEmpty},
        FailureCase{"output is the base script",
                    [](GenerationTest& run) { run.saveAnswer = run.basePath; },
                    {IDOK},
                    {kQuestion, kBaseWarning, kCancelled},
                    OutputAfter::kMissing},
        FailureCase{
            "output is a hard link to the base script",
            [](GenerationTest& run) { ::link(run.basePath.c_str(), run.outputPath.c_str()); },
            {IDOK},
            {kQuestion, kBaseWarning, kCancelled},
            OutputAfter::kUntouched},
        FailureCase{
            "output is a symbolic link to the base script",
            [](GenerationTest& run) { ::symlink(run.basePath.c_str(), run.outputPath.c_str()); },
            {IDOK},
            {kQuestion, kBaseWarning, kCancelled},
            OutputAfter::kUntouched},
        FailureCase{"write error on /dev/full",
                    [](GenerationTest& run) { run.saveAnswer = "/dev/full"; },
                    {IDOK},
                    {kQuestion, kCancelled},
                    OutputAfter::kMissing},
        FailureCase{"base script larger than memory",
                    [](GenerationTest& run) { run.memoryLimit = 16; },
                    {},
                    {kCancelled},
                    OutputAfter::kEmpty},
        FailureCase{"target folder text empty",
                    [](GenerationTest& run) { run.settings.m_strTargetFolder = ""; },
                    {},
                    {kFolderWarning, kCancelled},
                    OutputAfter::kMissing},
        FailureCase{
            "target folder missing",
            [](GenerationTest& run) { run.settings.m_strTargetFolder = run.root + "/nope"; },
            {},
            {kFolderWarning, kCancelled},
            OutputAfter::kMissing},
        FailureCase{"target folder is a file",
                    [](GenerationTest& run) { run.settings.m_strTargetFolder = run.basePath; },
                    {},
                    {kFolderWarning, kCancelled},
                    OutputAfter::kMissing},
        FailureCase{"target folder path with a line feed",
                    [](GenerationTest& run) {
                        run.settings.m_strTargetFolder = run.root + "/dw\ng";
                        std::filesystem::create_directory(run.settings.m_strTargetFolder);
                        WriteFile(run.settings.m_strTargetFolder + "/a.dwg", "drawing a");
                    },
                    {},
                    {kControlWarning, kCancelled},
                    OutputAfter::kMissing},
        FailureCase{"existing output kept when the folder is missing",
                    [](GenerationTest& run) {
                        ExistingOutput(run);
                        run.settings.m_strTargetFolder = run.root + "/nope";
                    },
                    {IDOK},
                    {kQuestion, kFolderWarning, kCancelled},
                    OutputAfter::kUntouched},
        FailureCase{"name with a line feed",
                    [](GenerationTest& run) { WriteFile(run.target + "/x\nERASE ALL\n.dwg", ""); },
                    {},
                    {kControlWarning, kCancelled},
                    OutputAfter::kHeaderOnly},
        FailureCase{"name with a carriage return",
                    [](GenerationTest& run) { WriteFile(run.target + "/x\r.dwg", ""); },
                    {},
                    {kControlWarning, kCancelled},
                    OutputAfter::kHeaderOnly},
        FailureCase{"name with a tab",
                    [](GenerationTest& run) { WriteFile(run.target + "/x\t.dwg", ""); },
                    {},
                    {kControlWarning, kCancelled},
                    OutputAfter::kHeaderOnly}),
    testing::ScenarioName());

TEST_F(GenerationTest, FilesHeldByAnotherRunAreNeitherOpenedNorEmptied) {
    WriteFile(outputPath, kFormer);
    auto heldOutput = posix.OpenOutput(outputPath);
    ASSERT_NE(heldOutput, nullptr);
    heldOutput->Write(kFormer.data(), kFormer.size());
    EXPECT_EQ(Run(outputPath, {IDOK}), (Messages{kQuestion, kOutputWarning, kCancelled}));
    EXPECT_EQ(ReadFile(outputPath), kFormer);
    heldOutput->Close();

    auto heldBase = posix.OpenBaseScript(basePath);
    ASSERT_NE(heldBase, nullptr);
    EXPECT_EQ(Run(outputPath, {IDOK}), (Messages{kQuestion, kBaseWarning, kCancelled}));
    EXPECT_EQ(ReadFile(outputPath), "");
    EXPECT_EQ(ReadFile(basePath), kBase);
}

TEST_F(GenerationTest, SparseBaseScriptLargerThanMemoryCancelsAtOnce) {
    constexpr std::uint64_t k64GiB = std::uint64_t{64} << 30;
    if (memoryLimit >= k64GiB) {
        GTEST_SKIP() << "this machine could hold a 64 GiB base script";
    }
    ASSERT_EQ(::truncate(basePath.c_str(), static_cast<off_t>(k64GiB)), 0);
    EXPECT_EQ(Run(), Messages{kCancelled});
    EXPECT_EQ(ReadFile(outputPath), "");
}

TEST_F(GenerationTest, FolderRemovedAfterTheCheckEndsWithTheFolderWarning) {
    InstrumentedFileSystem racing(posix);
    racing.afterEach = [&](const std::string& operation) {
        if (operation == "CanEnterAndList") {
            std::filesystem::remove_all(target);
        }
    };
    EXPECT_EQ(Run(outputPath, {}, &racing), (Messages{kFolderWarning, kCancelled}));
    EXPECT_EQ(ReadFile(outputPath), kHeader);
}

TEST_F(GenerationTest, FolderRemovedAfterEnteringEndsWithTheFolderWarning) {
    InstrumentedFileSystem racing(posix);
    racing.afterEach = [&](const std::string& operation) {
        if (operation == "ChangeDirectory") {
            std::filesystem::remove_all(target);
        }
    };
    EXPECT_EQ(Run(outputPath, {}, &racing), (Messages{kFolderWarning, kCancelled}));
    EXPECT_EQ(ReadFile(outputPath), kHeader) << "a failed listing is never an empty folder";
}

TEST_F(GenerationTest, ListingThatFailsPartWayWritesNoCopy) {
    InstrumentedFileSystem failing(posix);
    failing.listingFails = true;
    EXPECT_EQ(Run(outputPath, {}, &failing), (Messages{kFolderWarning, kCancelled}));
    EXPECT_EQ(ReadFile(outputPath), kHeader);
    EXPECT_EQ(std::filesystem::current_path().string(), target)
        << "the current directory stays where the run put it";
}

// Rows that need a missing permission to bite: run without root's rights.
TEST_F(GenerationTest, MissingRightsEndWithTheirWarnings) {
    ::chmod(root.c_str(), 0755);
    ::chmod(target.c_str(), 0755);
    ::chmod(basePath.c_str(), 0644);
    const std::string readOnly = root + "/readonly.scr";
    WriteFile(readOnly, kFormer);
    ::chmod(readOnly.c_str(), 0444);
    const std::string unreadableBase = root + "/secret.scr";
    WriteFile(unreadableBase, kBase);
    ::chmod(unreadableBase.c_str(), 0200);
    const std::string closedFolder = root + "/closed";
    std::filesystem::create_directory(closedFolder);
    ::chmod(closedFolder.c_str(), 0300);
    const std::string writable = root + "/out";
    std::filesystem::create_directory(writable);
    ::chmod(writable.c_str(), 0777);

    const std::string failure = testing::RunUnprivileged([&]() -> std::string {
        std::string problems;
        auto expect = [&](const char* row, const Messages& got, const Messages& want) {
            if (got != want) {
                problems += std::string(row) + ": unexpected messages; ";
            }
        };
        expect("read-only output", Run(readOnly, {IDOK}), {kQuestion, kOutputWarning, kCancelled});
        if (ReadFile(readOnly) != kFormer) {
            problems += "read-only output changed; ";
        }
        settings.m_strBaseScript = unreadableBase;
        expect("unreadable base script", Run(writable + "/a.scr"), {kBaseWarning, kCancelled});
        settings.m_strBaseScript = basePath;
        settings.m_strTargetFolder = closedFolder;
        expect("unreadable target folder", Run(writable + "/b.scr"), {kFolderWarning, kCancelled});
        if (std::filesystem::exists(writable + "/b.scr")) {
            problems += "output created for an unreadable folder; ";
        }
        return problems;
    });
    EXPECT_EQ(failure, "");
}

}  // namespace
}  // namespace quillet
