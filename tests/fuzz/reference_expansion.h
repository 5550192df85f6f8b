#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/code_page.h"

// Deliberately simple models of the placeholder expansion and the character walk, written from
// the rules alone and sharing no code with the core: the fuzzers hold the real code to them.
// They are slow on purpose (a fresh walk for every search, the text edited in place).
namespace quillet::reference {

// Lead bytes of the double-byte walk: 0x81-0x9F and 0xE0-0xFC.
bool IsLead(CodePage codePage, char byte);

// The characters of `text` in order, as (position, length); a lead byte that is the last byte
// ends the walk and is not among them.
std::vector<std::pair<std::size_t, std::size_t>> Characters(std::string_view text,
                                                            CodePage codePage);

// Walks `text` character by character from `scan` (which the walk takes as the start of a
// character) and returns the first position where a character begins and the bytes of `needle`
// follow, or npos. A lead byte that is the last byte ends the walk.
std::size_t FindFrom(std::string_view text, std::string_view needle, std::size_t scan,
                     CodePage codePage);

// One replace-all pass: returns how many occurrences were replaced.
std::size_t ReplacePass(std::string& text, std::string_view token, std::string_view value,
                        CodePage codePage);

struct Values {
    std::string_view folder;
    std::string_view path;
    std::string_view name;
    std::string_view title;
};

// The four tokens with their values, in the order the passes run.
std::array<std::pair<std::string_view, std::string_view>, 4> Passes(const Values& values);

// The expanded text: the bytes before the first NUL, then the four passes in order.
std::string Expand(std::string_view baseScript, const Values& values, CodePage codePage);

}  // namespace quillet::reference
