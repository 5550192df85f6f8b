#include "core/code_page.h"

#include <algorithm>
#include <array>

namespace quillet {

namespace {

bool EqualIgnoringAsciiCase(std::string_view left, std::string_view right) noexcept {
    return std::ranges::equal(left, right, [](char a, char b) {
        auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
        return upper(a) == upper(b);
    });
}

}  // namespace

CodePage CodePageFromCodeset(std::string_view codeset) noexcept {
    constexpr std::array<std::string_view, 4> kShiftJisNames{"SHIFT_JIS", "SJIS", "CP932",
                                                             "WINDOWS-31J"};
    const bool isShiftJis = std::ranges::any_of(kShiftJisNames, [codeset](std::string_view name) {
        return EqualIgnoringAsciiCase(codeset, name);
    });
    return isShiftJis ? CodePage::Cp932 : CodePage::None;
}

std::size_t FindCharacter(std::string_view text, std::string_view needle, std::size_t from,
                          CodePage codePage) noexcept {
    if (needle.empty() || from > text.size()) {
        return std::string_view::npos;
    }
    // A plain byte search proposes candidates; the walk only decides whether a candidate begins
    // a character. Every position after a byte that is not a lead byte begins one, so the
    // decision needs only the run of lead bytes just before the candidate: an even run pairs
    // up, an odd run makes the candidate a second byte. `boundary` is the latest position known
    // to begin a character, so no byte is looked at twice.
    std::size_t boundary = from;
    std::size_t candidate = text.find(needle, from);
    while (candidate != std::string_view::npos) {
        if (codePage == CodePage::None) {
            return candidate;
        }
        std::size_t run = 0;
        while (candidate - run > boundary &&
               IsLeadByte(codePage, static_cast<unsigned char>(text[candidate - run - 1]))) {
            ++run;
        }
        if (run % 2 == 0) {
            const bool trailingLeadByte =
                candidate + 1 == text.size() &&
                IsLeadByte(codePage, static_cast<unsigned char>(text[candidate]));
            return trailingLeadByte ? std::string_view::npos : candidate;
        }
        // The candidate is the second byte of a character; the next position begins one.
        boundary = candidate + 1;
        candidate = text.find(needle, boundary);
    }
    return std::string_view::npos;
}

}  // namespace quillet
