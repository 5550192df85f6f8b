#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/code_page.h"

namespace quillet::fuzz {

// A fuzz input: one byte whose lowest bit picks the walk ('1' the double-byte walk, '0' none),
// so one corpus drives both modes, then fields separated by 0xFF bytes. 0xFF is neither a lead
// byte nor a second byte under the double-byte walk, so the separator costs the fields no byte
// that matters to it; the last field takes the rest of the input, 0xFF bytes included.
struct FuzzInput {
    CodePage codePage = CodePage::None;
    std::vector<std::string> fields;  // exactly the number asked for; missing ones are empty
};

FuzzInput SplitInput(const std::uint8_t* data, std::size_t size, std::size_t fieldCount);

using Shown = std::initializer_list<std::pair<std::string_view, std::string_view>>;

// Reports a broken rule with the texts involved (bytes above 0x7E and controls as \xNN) and
// aborts, which libFuzzer and the corpus replay both take as a failure.
[[noreturn]] void Fail(std::string_view rule, CodePage codePage, Shown shown);

inline void Expect(bool holds, std::string_view rule, CodePage codePage, Shown shown) {
    if (!holds) {
        Fail(rule, codePage, shown);
    }
}

}  // namespace quillet::fuzz
