#include "core/code_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scenario_name.h"

namespace quillet {
namespace {

using namespace std::string_literals;

TEST(CodePageFromCodeset, ShiftJisNamesInAnyCaseGiveCp932) {
    for (const char* codeset : {"Shift_JIS", "SHIFT_JIS", "sjis", "SJIS", "CP932", "cp932",
                                "WINDOWS-31J", "windows-31j"}) {
        EXPECT_EQ(CodePageFromCodeset(codeset), CodePage::Cp932) << codeset;
    }
}

TEST(CodePageFromCodeset, EveryOtherCodesetGivesNone) {
    for (const char* codeset :
         {"UTF-8", "ANSI_X3.4-1968", "EUC-JP", "ISO-8859-1", "", "SJIS-X", "CP9320", "SHIFT-JIS"}) {
        EXPECT_EQ(CodePageFromCodeset(codeset), CodePage::None) << codeset;
    }
}

struct FindCase {
    const char* scenario;
    std::string text;
    std::string needle;
    std::size_t from;
    std::size_t under932;
    std::size_t underNone;
};

constexpr auto npos = std::string::npos;

class FindCharacterTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindCharacterTest, FindsOnlyWhereACharacterBegins) {
    const FindCase& c = GetParam();
    EXPECT_EQ(FindCharacter(c.text, c.needle, c.from, CodePage::Cp932), c.under932);
    EXPECT_EQ(FindCharacter(c.text, c.needle, c.from, CodePage::None), c.underNone);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindCharacterTest,
    ::testing::Values(
        FindCase{"plain", "ab<X>", "<X>", 0, 2, 2},
        FindCase{"not present", "abc", "<X>", 0, npos, npos},
        FindCase{"from skips earlier hits", "<X><X>", "<X>", 1, 3, 3},
        FindCase{"0x5C second byte is not a backslash", "\x95\\a\\", "\\", 0, 3, 1},
        FindCase{"after a 0x5C second byte", "\x95\\<X>", "<X>", 0, 2, 2},
        FindCase{"UTF-8 lead byte swallows the '<'", "\xE3\x81\x82<X>", "<X>", 0, npos, 3},
        FindCase{"second token after the swallowed one", "\xE3\x81\x82<X><X>", "<X>", 0, 6, 3},
        FindCase{"even run of lead bytes pairs up", "\x81\x81<X>", "<X>", 0, 2, 2},
        FindCase{"odd run of lead bytes takes the '<'", "\x81\x81\x81<X>", "<X>", 0, npos, 3},
        FindCase{"half-width katakana is one byte", "\xB1<X>", "<X>", 0, 1, 1},
        FindCase{"trailing lone lead byte ends the walk", "ab\x81", "\x81", 0, npos, 2},
        FindCase{"dot after a double-byte character", "\x95.", ".", 0, npos, 1},
        FindCase{"NUL bytes are ordinary bytes", "a\0<X>"s, "<X>", 0, 2, 2},
        FindCase{"from at the end", "<X>", "<X>", 3, npos, npos},
        FindCase{"from past the end", "<X>", "<X>", 9, npos, npos}),
    testing::ScenarioName());

TEST(WalkCharacters, PairsLeadBytesAndStopsAtATrailingOne) {
    std::vector<std::pair<std::size_t, std::size_t>> seen;
    WalkCharacters("a\x95\\b\x81", CodePage::Cp932, [&](std::size_t position, std::size_t length) {
        seen.emplace_back(position, length);
    });
    const std::vector<std::pair<std::size_t, std::size_t>> expected{{0, 1}, {1, 2}, {3, 1}};
    EXPECT_EQ(seen, expected);

    seen.clear();
    WalkCharacters("a\x95\\b\x81", CodePage::None, [&](std::size_t position, std::size_t length) {
        seen.emplace_back(position, length);
    });
    EXPECT_EQ(seen.size(), 5U);
}

}  // namespace
}  // namespace quillet
