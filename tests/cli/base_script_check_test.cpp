#include "cli/base_script_check.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scenario_name.h"
#include "support/temp_dir.h"

namespace quillet::cli {
namespace {

using namespace std::string_literals;

struct CheckCase {
    const char* scenario;
    std::string bytes;
    CodePage codePage;
    BaseScriptFindings expected;
};

class CheckBaseScriptTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckBaseScriptTest, FindsWhatBreaksScripts) {
    const CheckCase& c = GetParam();
    const BaseScriptFindings found = CheckBaseScript(c.bytes, c.codePage);
    EXPECT_EQ(found.lastLineUnended, c.expected.lastLineUnended);
    EXPECT_EQ(found.noPlaceholder, c.expected.noPlaceholder);
}

constexpr BaseScriptFindings kFine{false, false};
constexpr BaseScriptFindings kUnended{true, false};
constexpr BaseScriptFindings kNoToken{false, true};
constexpr BaseScriptFindings kBoth{true, true};

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckBaseScriptTest,
    ::testing::Values(
        CheckCase{"CR LF and a token", "OPEN <TARGET_FILEPATH>\r\n", CodePage::None, kFine},
        CheckCase{"LF", "OPEN <TARGET_FOLDER>\n", CodePage::None, kFine},
        CheckCase{"CR", "OPEN <TARGET_FNAMEEXT>\r", CodePage::None, kFine},
        CheckCase{"title token", "<TARGET_FNAMETITLE>\n", CodePage::Cp932, kFine},
        CheckCase{"last line unended", "A\r\nOPEN <TARGET_FILEPATH>", CodePage::None, kUnended},
        CheckCase{"no token", "QSAVE\r\n", CodePage::None, kNoToken},
        CheckCase{"lower case is no token", "<target_folder>", CodePage::None, kBoth},
        CheckCase{"empty", "", CodePage::None, kNoToken},
        CheckCase{"the text ends at the first NUL", "QSAVE\r\n\0<TARGET_FILEPATH>"s, CodePage::None,
                  kNoToken},
        CheckCase{"a line break after the NUL does not count", "<TARGET_FILEPATH>\0\n"s,
                  CodePage::None, kUnended},
        CheckCase{"a token the walk of 932 does not find", "\xE3\x81\x82<TARGET_FNAMEEXT>\n",
                  CodePage::Cp932, kNoToken},
        CheckCase{"the same token without a code page", "\xE3\x81\x82<TARGET_FNAMEEXT>\n",
                  CodePage::None, kFine}),
    testing::ScenarioName());

TEST(ReadBaseScriptForCheck, ReadsRegularFilesOnly) {
    testing::TempDir dir;
    testing::WriteFile(dir / "base.scr", "OPEN\r\n");
    EXPECT_EQ(ReadBaseScriptForCheck(dir / "base.scr"), "OPEN\r\n");
    EXPECT_EQ(ReadBaseScriptForCheck(dir / "missing.scr"), std::nullopt);
    EXPECT_EQ(ReadBaseScriptForCheck(dir.Path()), std::nullopt);
    EXPECT_EQ(ReadBaseScriptForCheck("/dev/zero"), std::nullopt) << "a device never ends";
    ASSERT_EQ(
        ::truncate((dir / "base.scr").c_str(), static_cast<off_t>(kLargestCheckedBaseScript + 1)),
        0);
    EXPECT_EQ(ReadBaseScriptForCheck(dir / "base.scr"), std::nullopt) << "too large to check";
}

}  // namespace
}  // namespace quillet::cli
