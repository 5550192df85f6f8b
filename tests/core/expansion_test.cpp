#include "core/expansion.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scenario_name.h"

namespace quillet {
namespace {

using namespace std::string_literals;

struct ExpansionCase {
    const char* scenario;
    std::string base;
    std::string folder;
    ListedEntry entry;
    std::string under932;
    std::string underNone;
};

const ListedEntry kPlan{"plan.dwg", "/work/dwg/plan.dwg", "plan"};

class ExpandBaseScriptTest : public ::testing::TestWithParam<ExpansionCase> {};

TEST_P(ExpandBaseScriptTest, ExpandsInBothModes) {
    const ExpansionCase& c = GetParam();
    EXPECT_EQ(ExpandBaseScript(c.base, c.folder, c.entry, CodePage::Cp932), c.under932);
    EXPECT_EQ(ExpandBaseScript(c.base, c.folder, c.entry, CodePage::None), c.underNone);
}

// The run's expander does the folder pass once for all entries and reuses its buffers: the
// same texts, also after a longer entry has been expanded into the same buffers.
TEST_P(ExpandBaseScriptTest, ExpanderGivesTheSameTextEntryAfterEntry) {
    const ExpansionCase& c = GetParam();
    const ListedEntry longer{std::string(300, 'x') + ".dwg", "/w/" + std::string(300, 'x'),
                             std::string(300, 'x')};
    for (const auto& [codePage, expected] :
         {std::pair{CodePage::Cp932, c.under932}, std::pair{CodePage::None, c.underNone}}) {
        BaseScriptExpander expander(c.base, c.folder, codePage);
        EXPECT_EQ(expander.Expand(c.entry), expected);
        EXPECT_EQ(expander.Expand(longer), ExpandBaseScript(c.base, c.folder, longer, codePage));
        EXPECT_EQ(expander.Expand(c.entry), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExpandBaseScriptTest,
    ::testing::Values(
        ExpansionCase{"empty base", "", "/work", kPlan, "", ""},
        ExpansionCase{"no tokens", "OPEN x\r\n\tQSAVE\r\n", "/work", kPlan, "OPEN x\r\n\tQSAVE\r\n",
                      "OPEN x\r\n\tQSAVE\r\n"},
        ExpansionCase{"all four tokens",
                      "<TARGET_FOLDER>|<TARGET_FILEPATH>|<TARGET_FNAMEEXT>|<TARGET_FNAMETITLE>\r\n",
                      "/work/dwg", kPlan, "/work/dwg|/work/dwg/plan.dwg|plan.dwg|plan\r\n",
                      "/work/dwg|/work/dwg/plan.dwg|plan.dwg|plan\r\n"},
        ExpansionCase{"every occurrence, back to back", "<TARGET_FNAMETITLE><TARGET_FNAMETITLE>x",
                      "/w", kPlan, "planplanx", "planplanx"},
        ExpansionCase{"empty title removes its tokens", "a<TARGET_FNAMETITLE>b<TARGET_FNAMETITLE>",
                      "/w", ListedEntry{".hidden", "/w/.hidden", ""}, "ab", "ab"},
        ExpansionCase{"empty folder text removes its token", "[<TARGET_FOLDER>]", "", kPlan, "[]",
                      "[]"},
        ExpansionCase{"lower case and unclosed tokens stay",
                      "<target_folder> <Target_Folder> <TARGET_FOLDER <TARGET_FNAMEEXT", "/w",
                      kPlan, "<target_folder> <Target_Folder> <TARGET_FOLDER <TARGET_FNAMEEXT",
                      "<target_folder> <Target_Folder> <TARGET_FOLDER <TARGET_FNAMEEXT"},
        ExpansionCase{"a token split around another", "<TARGET_FOLDER<TARGET_FOLDER>>", "/w", kPlan,
                      "<TARGET_FOLDER/w>", "<TARGET_FOLDER/w>"},
        ExpansionCase{"a value is not searched for its own token", "<TARGET_FOLDER>",
                      "<TARGET_FOLDER>", kPlan, "<TARGET_FOLDER>", "<TARGET_FOLDER>"},
        ExpansionCase{"folder value searched by the path pass", "<TARGET_FOLDER>",
                      "/a/<TARGET_FILEPATH>", kPlan, "/a//work/dwg/plan.dwg",
                      "/a//work/dwg/plan.dwg"},
        ExpansionCase{"name searched by the title pass", "<TARGET_FNAMEEXT>", "/w",
                      ListedEntry{"x<TARGET_FNAMETITLE>.dwg", "/w/x<TARGET_FNAMETITLE>.dwg",
                                  "x<TARGET_FNAMETITLE>"},
                      "xx<TARGET_FNAMETITLE>.dwg", "xx<TARGET_FNAMETITLE>.dwg"},
        ExpansionCase{"name keeps an earlier pass's token", "<TARGET_FNAMEEXT>", "/w",
                      ListedEntry{"<TARGET_FNAMEEXT>", "/w/<TARGET_FNAMEEXT>", "<TARGET_FNAMEEXT>"},
                      "<TARGET_FNAMEEXT>", "<TARGET_FNAMEEXT>"},
        ExpansionCase{"token after a 0x5C second byte", "\x95\\<TARGET_FNAMEEXT>", "/w", kPlan,
                      "\x95\\plan.dwg", "\x95\\plan.dwg"},
        ExpansionCase{"UTF-8 lead byte before a token", "\xE3\x81\x82<TARGET_FNAMEEXT>", "/w",
                      kPlan, "\xE3\x81\x82<TARGET_FNAMEEXT>", "\xE3\x81\x82plan.dwg"},
        ExpansionCase{"inserted lone lead byte shifts the later passes",
                      "<TARGET_FOLDER><TARGET_FNAMEEXT>", "x\x81", kPlan, "x\x81<TARGET_FNAMEEXT>",
                      "x\x81plan.dwg"},
        ExpansionCase{"inserted lone lead byte does not hide its own pass's next token",
                      "<TARGET_FNAMEEXT><TARGET_FNAMEEXT>", "/w",
                      ListedEntry{"\x9D", "/w/\x9D", ""}, "\x9D\x9D", "\x9D\x9D"},
        ExpansionCase{"bytes after the first NUL never count",
                      "a<TARGET_FNAMEEXT>\0<TARGET_FNAMEEXT>b"s, "/w", kPlan, "aplan.dwg",
                      "aplan.dwg"},
        ExpansionCase{"first byte NUL", "\0<TARGET_FNAMEEXT>"s, "/w", kPlan, "", ""},
        ExpansionCase{"values with CR, LF and bytes above 0x7F pass through",
                      "<TARGET_FNAMEEXT>\r\n", "/w",
                      ListedEntry{"\x95\\\xFF.dwg", "/w/\x95\\\xFF.dwg", "\x95\\\xFF"},
                      "\x95\\\xFF.dwg\r\n", "\x95\\\xFF.dwg\r\n"}),
    testing::ScenarioName());

TEST(ReplaceAll, ReportsWhetherAnythingWasReplacedAndLeavesTheTextAloneOtherwise) {
    std::string text = "a<T>b";
    EXPECT_FALSE(ReplaceAll(text, "<U>", "x", CodePage::None));
    EXPECT_EQ(text, "a<T>b");
    EXPECT_TRUE(ReplaceAll(text, "<T>", "", CodePage::None));
    EXPECT_EQ(text, "ab");
}

}  // namespace
}  // namespace quillet
