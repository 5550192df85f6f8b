// Holds FindCharacter and WalkCharacters to a naive forward walk.
// Fields: where the search starts (decimal digits; other bytes are ignored), the needle, the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/code_page.h"
#include "fuzz_input.h"
#include "reference_expansion.h"

namespace quillet::fuzz {
namespace {

std::size_t StartFrom(const std::string& digits) {
    std::size_t from = 0;
    for (const char c : digits) {
        if (c >= '0' && c <= '9' && from < 1'000'000) {
            from = from * 10 + static_cast<std::size_t>(c - '0');
        }
    }
    return from;
}

void Check(const FuzzInput& input) {
    const CodePage codePage = input.codePage;
    const std::size_t from = StartFrom(input.fields[0]);
    const std::string& needle = input.fields[1];
    const std::string& text = input.fields[2];

    if (!needle.empty()) {
        const std::size_t found = FindCharacter(text, needle, from, codePage);
        const std::size_t expected = reference::FindFrom(text, needle, from, codePage);
        Expect(found == expected, "FindCharacter", codePage,
               {{"text", text},
                {"needle", needle},
                {"from", std::to_string(from)},
                {"FindCharacter", std::to_string(found)},
                {"reference", std::to_string(expected)}});
    }

    std::vector<std::pair<std::size_t, std::size_t>> visited;
    WalkCharacters(text, codePage, [&visited](std::size_t position, std::size_t length) {
        visited.emplace_back(position, length);
    });
    const auto expected = reference::Characters(text, codePage);
    Expect(visited == expected, "WalkCharacters", codePage,
           {{"text", text},
            {"characters visited", std::to_string(visited.size())},
            {"reference", std::to_string(expected.size())}});
}

}  // namespace
}  // namespace quillet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quillet::fuzz::Check(quillet::fuzz::SplitInput(data, size, 3));
    return 0;
}
