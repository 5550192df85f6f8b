#include "core/name_pattern.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scenario_name.h"

namespace quillet {
namespace {

constexpr CodePage k932 = CodePage::Cp932;
constexpr CodePage kNone = CodePage::None;

struct PatternCase {
    const char* scenario;
    std::string pattern;
    std::string name;
    CodePage codePage;
    bool matches;
};

class MatchesNamePatternTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(MatchesNamePatternTest, Decides) {
    const PatternCase& c = GetParam();
    EXPECT_EQ(MatchesNamePattern(c.pattern, c.name, c.codePage), c.matches)
        << "pattern '" << c.pattern << "', name '" << c.name << "'";
}

// Names in code page 932: 表 is 0x95 0x5C, ア is 0x83 0x41, ｱ is 0xB1. In UTF-8: 図 is
// 0xE5 0x9B 0xB3.
INSTANTIATE_TEST_SUITE_P(
    Cases, MatchesNamePatternTest,
    ::testing::Values(
        PatternCase{"star and suffix", "*.dwg", "plan.dwg", kNone, true},
        PatternCase{"letters without case", "*.dwg", "A.DWG", kNone, true},
        PatternCase{"upper case pattern", "*.DWG", "a.Dwg", k932, true},
        PatternCase{"suffix must end the name", "*.dwg", "plan.dwg.bak", kNone, false},
        PatternCase{"digits and signs keep their bytes", "*-1.dwg", "a_1.dwg", kNone, false},
        PatternCase{"leading dot is ordinary", "*.dwg", ".dwg", kNone, true},
        PatternCase{"star takes the empty name", "*", "", kNone, true},
        PatternCase{"empty pattern takes only the empty name", "", "a", kNone, false},
        PatternCase{"question mark needs a character", "?", "", kNone, false},
        PatternCase{"question mark takes one", "?.dwg", "a.dwg", kNone, true},
        PatternCase{"question mark takes only one", "?.dwg", "ab.dwg", kNone, false},
        PatternCase{"star backtracks", "*a*b*c", "xxaxxbxxc", kNone, true},
        PatternCase{"star backtracking fails in order", "*a*b*c", "xxaxxcxxb", kNone, false},
        PatternCase{"consecutive stars", "a**b", "ab", kNone, true},
        PatternCase{"set", "[abc]*", "b1", kNone, true},
        PatternCase{"set without case", "[abc]*", "B1", kNone, true},
        PatternCase{"range", "[a-c]*", "c", kNone, true},
        PatternCase{"range without case", "[a-c]*", "B1", kNone, true},
        PatternCase{"outside the range", "[a-c]*", "d", kNone, false},
        PatternCase{"negated range", "[!a-c]*", "d", kNone, true},
        PatternCase{"negated range without case", "[!a-c]*", "A", kNone, false},
        PatternCase{"caret negates too", "[^x]", "y", kNone, true},
        PatternCase{"closing bracket first is literal", "[]a]", "]", kNone, true},
        PatternCase{"closing bracket first after negation", "[!]a]", "]", kNone, false},
        PatternCase{"dash at the end is literal", "[a-]", "-", kNone, true},
        PatternCase{"dash at the start is literal", "[-a]", "-", kNone, true},
        PatternCase{"set of digits", "draw[0-9][0-9].dwg", "draw07.DWG", kNone, true},
        PatternCase{"unclosed bracket is literal", "[ab", "[ab", kNone, true},
        PatternCase{"unclosed bracket is not a set", "[ab", "a", kNone, false},
        PatternCase{"escaped star is literal", "\\*", "*", kNone, true},
        PatternCase{"escaped star takes nothing else", "\\*", "a", kNone, false},
        PatternCase{"escape inside a set", "[\\]]", "]", kNone, true},
        PatternCase{"trailing backslash is itself", "a\\", "a\\", kNone, true},
        PatternCase{"double-byte character is one under 932", "?.dwg", "\x95\\.dwg", k932, true},
        PatternCase{"two bytes without a code page", "?.dwg", "\x95\\.dwg", kNone, false},
        PatternCase{"UTF-8 sequence is one character", "?.dwg", "\xE5\x9B\xB3.dwg", kNone, true},
        PatternCase{"broken UTF-8 is one byte each", "??", "\xC0\x80", kNone, true},
        PatternCase{"second byte 0x5C is no escape", "\x95\\*", "\x95\\x.dwg", k932, true},
        PatternCase{"without a code page it escapes", "\x95\\*", "\x95\\x.dwg", kNone, false},
        PatternCase{"second byte is no letter", "\x83\x61", "\x83\x41", k932, false},
        PatternCase{"lone bytes fold like letters", "\x83\x61", "\x83\x41", kNone, true},
        PatternCase{"one-byte katakana", "?", "\xB1", k932, true},
        PatternCase{"double-byte character in a set", "[\x95\\]*", "\x95\\.dwg", k932, true},
        PatternCase{"double-byte set does not take a lone lead byte", "[\x95\\]", "\x95", k932,
                    false},
        PatternCase{"kanji range in UTF-8", "[\xE4\xB8\x80-\xE9\xBE\xAF]*", "\xE5\x9B\xB3.dwg",
                    kNone, true},
        PatternCase{"ASCII outside a kanji range", "[\xE4\xB8\x80-\xE9\xBE\xAF]*", "a.dwg", kNone,
                    false},
        PatternCase{"trailing lone lead byte is a character", "a?", "a\x81", k932, true}),
    testing::ScenarioName());

}  // namespace
}  // namespace quillet
