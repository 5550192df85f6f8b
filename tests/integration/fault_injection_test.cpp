// A file layer that fails at its k-th operation, for every k of a complete run: each run must
// end in the cancellation message alone, with both files closed, no descriptor left open, and
// nothing done after the failure but closing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/generation.h"
#include "core/messages.h"
#include "core/prompter.h"
#include "platform/posix_file_system.h"
#include "platform/system_info.h"
#include "support/descriptors.h"
#include "support/instrumented_file_system.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using testing::CurrentDirectoryGuard;
using testing::InstrumentedFileSystem;
using testing::OpenDescriptors;
using testing::ReadFile;
using testing::ScriptedPrompter;
using testing::ShownMessage;
using testing::TempDir;
using testing::WriteFile;

class FaultInjectionTest : public ::testing::Test {
protected:
    FaultInjectionTest() {
        const std::string root = std::filesystem::canonical(dir.Path()).string();
        std::filesystem::create_directory(root + "/dwg");
        for (const char* name : {"a.dwg", "b.dwg", "c.dwg"}) {
            WriteFile(root + "/dwg/" + name, "");
        }
        WriteFile(root + "/base.scr", "OPEN <TARGET_FILEPATH>\r\n");
        settings = {root + "/base.scr", root + "/dwg", "HEADER\r\n", "FOOTER\r\n"};
        outputPath = root + "/out.scr";
    }

    std::vector<ShownMessage> Run(InstrumentedFileSystem& fileSystem) {
        ScriptedPrompter prompter(outputPath);
        GenerateScript(settings,
                       {prompter, fileSystem, CodePage::Cp932, platform::PhysicalMemoryBytes()});
        return prompter.Shown();
    }

    TempDir dir;
    CurrentDirectoryGuard cwdGuard;
    GenerationSettings settings;
    std::string outputPath;
    platform::PosixFileSystem posix;
};

bool IsClosing(const std::string& operation) {
    return operation == "Output.Abort" || operation == "Base.Abort";
}

TEST_F(FaultInjectionTest, EveryFailingOperationEndsInTheCancellationWithFilesClosed) {
    InstrumentedFileSystem clean(posix);
    ASSERT_EQ(Run(clean),
              (std::vector<ShownMessage>{{std::string(messages::kGenerated), MB_ICONINFORMATION}}));
    const std::string complete = ReadFile(outputPath);
    const std::vector<std::string> operations = clean.log;
    ASSERT_GE(operations.size(), 15U) << "a full run touches the files at every step";

    const std::vector<ShownMessage> cancelled{
        {std::string(messages::kCancelled), MB_ICONEXCLAMATION}};
    for (std::size_t failAt = 0; failAt < operations.size(); ++failAt) {
        SCOPED_TRACE("failing operation " + std::to_string(failAt + 1) + ": " + operations[failAt]);
        std::filesystem::remove(outputPath);
        const auto descriptorsBefore = OpenDescriptors();

        InstrumentedFileSystem failing(posix);
        std::size_t seen = 0;
        failing.beforeEach = [&](const std::string&) {
            if (seen++ == failAt) {
                throw CFileException(5);
            }
        };
        EXPECT_EQ(Run(failing), cancelled);

        EXPECT_EQ(OpenDescriptors(), descriptorsBefore) << "a file was left open";
        ASSERT_GT(failing.log.size(), failAt);
        EXPECT_EQ(failing.log[failAt], operations[failAt]);
        for (std::size_t later = failAt + 1; later < failing.log.size(); ++later) {
            EXPECT_TRUE(IsClosing(failing.log[later]))
                << failing.log[later] << " came after the failure";
        }
        if (std::filesystem::exists(outputPath)) {
            const std::string written = ReadFile(outputPath);
            EXPECT_EQ(written, complete.substr(0, written.size()))
                << "the output holds only what was written before the failure";
        }
    }
}

}  // namespace
}  // namespace quillet
