#pragma once

#include <cstddef>
#include <string_view>

namespace quillet {

// How texts are walked character by character. Under Cp932 a lead byte and the byte after it
// form one character, so the second byte (which can be 0x5C, the byte of '\') is never taken
// for a character of its own. Under None every byte is a character, which is exact for UTF-8.
enum class CodePage { None, Cp932 };

constexpr bool IsLeadByte(CodePage codePage, unsigned char byte) noexcept {
    return codePage == CodePage::Cp932 &&
           ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

// The mode for a locale's codeset name (as nl_langinfo(CODESET) gives it): Shift_JIS, SJIS,
// CP932 and WINDOWS-31J, in any case, give Cp932; every other codeset gives None.
CodePage CodePageFromCodeset(std::string_view codeset) noexcept;

// The first occurrence of `needle` at or after `from` that begins where a character begins,
// or npos. `from` must itself begin a character. Bytes are compared exactly. A lead byte that
// is the text's last byte has no second byte: the walk ends there, reading nothing past it.
std::size_t FindCharacter(std::string_view text, std::string_view needle, std::size_t from,
                          CodePage codePage) noexcept;

// Calls visit(position, length) for every character of `text` in order; length is 1 or 2.
// A lead byte that is the text's last byte ends the walk without being visited.
template <typename Visit>
void WalkCharacters(std::string_view text, CodePage codePage, Visit&& visit) {
    std::size_t position = 0;
    while (position < text.size()) {
        const auto byte = static_cast<unsigned char>(text[position]);
        if (IsLeadByte(codePage, byte)) {
            if (position + 1 >= text.size()) {
                return;
            }
            visit(position, std::size_t{2});
            position += 2;
        } else {
            visit(position, std::size_t{1});
            position += 1;
        }
    }
}

}  // namespace quillet
