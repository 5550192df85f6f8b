#include "core/name_pattern.h"

#include <cstddef>
#include <cstdint>

namespace quillet {

namespace {

struct Character {
    std::size_t length = 0;  // bytes; 0 only past the end of the text
    std::uint32_t value = 0;
};

constexpr bool IsContinuation(unsigned char byte) noexcept {
    return byte >= 0x80 && byte <= 0xBF;
}

// The length of a well-formed UTF-8 sequence at `at`, or 1 for a byte that begins none.
std::size_t Utf8Length(std::string_view text, std::size_t at) noexcept {
    const auto byte = [&](std::size_t offset) {
        return static_cast<unsigned char>(text[at + offset]);
    };
    const std::size_t left = text.size() - at;
    const unsigned char first = byte(0);
    if (first >= 0xC2 && first <= 0xDF) {
        return left >= 2 && IsContinuation(byte(1)) ? 2 : 1;
    }
    if (first >= 0xE0 && first <= 0xEF) {
        // E0 would be an overlong form below A0, ED a surrogate from A0 on.
        const bool second = left >= 3 && IsContinuation(byte(1)) &&
                            !(first == 0xE0 && byte(1) < 0xA0) &&
                            !(first == 0xED && byte(1) > 0x9F);
        return second && IsContinuation(byte(2)) ? 3 : 1;
    }
    if (first >= 0xF0 && first <= 0xF4) {
        const bool second = left >= 4 && IsContinuation(byte(1)) &&
                            !(first == 0xF0 && byte(1) < 0x90) &&
                            !(first == 0xF4 && byte(1) > 0x8F);
        return second && IsContinuation(byte(2)) && IsContinuation(byte(3)) ? 4 : 1;
    }
    return 1;
}

Character CharacterAt(std::string_view text, std::size_t at, CodePage codePage) noexcept {
    if (at >= text.size()) {
        return {};
    }
    const auto first = static_cast<unsigned char>(text[at]);
    if (codePage == CodePage::Cp932) {
        if (IsLeadByte(codePage, first) && at + 1 < text.size()) {
            return {2, (std::uint32_t{first} << 8) | static_cast<unsigned char>(text[at + 1])};
        }
        return {1, first};
    }
    const std::size_t length = first < 0x80 ? 1 : Utf8Length(text, at);
    switch (length) {
        case 2:
            return {2, ((first & 0x1FU) << 6) | (static_cast<unsigned char>(text[at + 1]) & 0x3FU)};
        case 3:
            return {3, ((first & 0x0FU) << 12) |
                           ((static_cast<unsigned char>(text[at + 1]) & 0x3FU) << 6) |
                           (static_cast<unsigned char>(text[at + 2]) & 0x3FU)};
        case 4:
            return {4, ((first & 0x07U) << 18) |
                           ((static_cast<unsigned char>(text[at + 1]) & 0x3FU) << 12) |
                           ((static_cast<unsigned char>(text[at + 2]) & 0x3FU) << 6) |
                           (static_cast<unsigned char>(text[at + 3]) & 0x3FU)};
        default:
            return {1, first};
    }
}

// Only a one-byte character is an ASCII letter: a Cp932 second byte may look like one.
constexpr std::uint32_t OtherCase(Character c) noexcept {
    if (c.length != 1) {
        return c.value;
    }
    if (c.value >= 'a' && c.value <= 'z') {
        return c.value - ('a' - 'A');
    }
    if (c.value >= 'A' && c.value <= 'Z') {
        return c.value + ('a' - 'A');
    }
    return c.value;
}

bool IsSpecial(Character c, char special) noexcept {
    return c.length == 1 && c.value == static_cast<unsigned char>(special);
}

class Matcher {
public:
    Matcher(std::string_view pattern, std::string_view name, CodePage codePage) noexcept
        : m_pattern(pattern), m_name(name), m_codePage(codePage) {}

    [[nodiscard]] bool Run() const noexcept {
        std::size_t p = 0;
        std::size_t n = 0;
        std::size_t starPattern = std::string_view::npos;  // just after the latest '*'
        std::size_t starName = 0;                          // where that '*' began to match
        while (n < m_name.size()) {
            if (p < m_pattern.size() && m_pattern[p] == '*') {
                while (p < m_pattern.size() && m_pattern[p] == '*') {
                    ++p;
                }
                starPattern = p;
                starName = n;
                continue;
            }
            const Character nameChar = CharacterAt(m_name, n, m_codePage);
            if (p < m_pattern.size()) {
                const std::size_t element = MatchElement(p, nameChar);
                if (element != 0) {
                    p += element;
                    n += nameChar.length;
                    continue;
                }
            }
            if (starPattern == std::string_view::npos) {
                return false;
            }
            // Let the latest '*' take one more character and try the rest again.
            starName += CharacterAt(m_name, starName, m_codePage).length;
            n = starName;
            p = starPattern;
        }
        while (p < m_pattern.size() && m_pattern[p] == '*') {
            ++p;
        }
        return p == m_pattern.size();
    }

private:
    // The length of the pattern element at `p` when it matches `nameChar`, else 0. '*' is
    // handled by the caller; a '*' byte never stands inside a character.
    [[nodiscard]] std::size_t MatchElement(std::size_t p, Character nameChar) const noexcept {
        const Character patternChar = CharacterAt(m_pattern, p, m_codePage);
        if (IsSpecial(patternChar, '?')) {
            return 1;
        }
        if (IsSpecial(patternChar, '[')) {
            bool matched = false;
            const std::size_t setLength = MatchSet(p, nameChar, matched);
            if (setLength != 0) {
                return matched ? setLength : 0;
            }
            // No closing ']': the '[' is an ordinary character.
        }
        std::size_t length = patternChar.length;
        Character literal = patternChar;
        if (IsSpecial(patternChar, '\\') && p + 1 < m_pattern.size()) {
            literal = CharacterAt(m_pattern, p + 1, m_codePage);
            length += literal.length;
        }
        return SameCharacter(literal, nameChar) ? length : 0;
    }

    [[nodiscard]] static bool SameCharacter(Character patternChar, Character nameChar) noexcept {
        return patternChar.length == nameChar.length &&
               (patternChar.value == nameChar.value || OtherCase(patternChar) == nameChar.value);
    }

    // Parses the set that begins with the '[' at `open` and tells whether it takes `nameChar`.
    // Returns the set's length in bytes, or 0 when the '[' has no closing ']'.
    std::size_t MatchSet(std::size_t open, Character nameChar, bool& matched) const noexcept {
        std::size_t at = open + 1;
        bool negated = false;
        if (at < m_pattern.size() && (m_pattern[at] == '!' || m_pattern[at] == '^')) {
            negated = true;
            ++at;
        }
        bool inSet = false;
        bool first = true;
        while (at < m_pattern.size()) {
            Character low = CharacterAt(m_pattern, at, m_codePage);
            if (IsSpecial(low, ']') && !first) {
                matched = inSet != negated;
                return at + 1 - open;
            }
            first = false;
            at += ReadSetCharacter(at, low);
            if (at + 1 < m_pattern.size() && m_pattern[at] == '-' && m_pattern[at + 1] != ']') {
                Character high = CharacterAt(m_pattern, at + 1, m_codePage);
                at += 1 + ReadSetCharacter(at + 1, high);
                const auto within = [&](std::uint32_t v) {
                    return v >= low.value && v <= high.value;
                };
                inSet = inSet || within(nameChar.value) ||
                        (nameChar.length == 1 && within(OtherCase(nameChar)));
            } else {
                inSet = inSet || SameCharacter(low, nameChar);
            }
        }
        return 0;
    }

    // Takes a '\' inside a set as escaping the character after it; returns the bytes used.
    std::size_t ReadSetCharacter(std::size_t at, Character& c) const noexcept {
        if (IsSpecial(c, '\\') && at + 1 < m_pattern.size()) {
            c = CharacterAt(m_pattern, at + 1, m_codePage);
            return 1 + c.length;
        }
        return c.length;
    }

    std::string_view m_pattern;
    std::string_view m_name;
    CodePage m_codePage;
};

}  // namespace

bool MatchesNamePattern(std::string_view pattern, std::string_view name,
                        CodePage codePage) noexcept {
    return Matcher(pattern, name, codePage).Run();
}

}  // namespace quillet
