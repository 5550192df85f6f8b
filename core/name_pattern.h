#pragma once

#include <string_view>

#include "core/code_page.h"

namespace quillet {

// Whether a folder entry's name matches a shell-style pattern:
//   *      any run of characters, the empty run included
//   ?      exactly one character
//   [...]  one character of the set: single characters and ranges such as a-z; [!...] or
//          [^...] is the complement; a ']' right after the '[' (or after its '!') and a '-' at
//          either end of the set stand for themselves; a '[' without its ']' is an ordinary
//          character
//   \c     the character c itself, whatever it is; a '\' at the end of the pattern is a '\'
// ASCII letters match without regard to case, everywhere (so "*.dwg" takes "A.DWG" and
// "[a-c]*" takes "B1"); every other byte matches only itself. A leading '.' is an ordinary
// character: hidden entries are entries like any other.
//
// Both texts are walked character by character: under Cp932 a lead byte and its second byte are
// one character (so "?" takes a kanji, and a second byte that looks like an ASCII letter or a
// '\' is never one); under None a well-formed UTF-8 sequence is one character and every other
// byte stands alone. Within a set, a range takes the characters whose values lie between its
// ends: a single byte's value is the byte, a Cp932 character's the lead byte times 256 plus the
// second byte, a UTF-8 sequence's its code point.
bool MatchesNamePattern(std::string_view pattern, std::string_view name,
                        CodePage codePage) noexcept;

}  // namespace quillet
