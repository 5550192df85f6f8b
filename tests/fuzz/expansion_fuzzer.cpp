// Holds the placeholder expansion to the simple reference, pass by pass and whole.
// Fields: base script, target folder text, full path, name, title.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/expansion.h"
#include "core/listed_entry.h"
#include "fuzz_input.h"
#include "reference_expansion.h"

namespace quillet::fuzz {
namespace {

// The reference edits its text in place and so grows slow with size; inputs whose result could
// pass this many bytes are left out. Sizes are not where the rules get subtle.
constexpr double kLargestResult = 1 << 16;

bool CouldGrowPastLimit(std::size_t baseLength, const reference::Values& values) {
    auto length = static_cast<double>(baseLength);
    for (const auto& [token, value] : reference::Passes(values)) {
        // Each occurrence of the token replaces its bytes by the value's.
        length += length / static_cast<double>(token.size()) * static_cast<double>(value.size());
        if (length > kLargestResult) {
            return true;
        }
    }
    return false;
}

void Check(const FuzzInput& input) {
    const CodePage codePage = input.codePage;
    const std::string& base = input.fields[0];
    const reference::Values values{input.fields[1], input.fields[2], input.fields[3],
                                   input.fields[4]};
    if (CouldGrowPastLimit(base.size(), values)) {
        return;
    }

    const std::string beforeNul = base.substr(0, base.find('\0'));
    std::string real = beforeNul;
    std::string model = beforeNul;
    for (const auto& [token, value] : reference::Passes(values)) {
        const std::string before = real;
        const bool replaced = ReplaceAll(real, token, value, codePage);
        const std::size_t count = reference::ReplacePass(model, token, value, codePage);
        Expect(real == model && replaced == (count > 0), "one replace-all pass", codePage,
               {{"token", token},
                {"value", value},
                {"text", before},
                {"ReplaceAll", real},
                {"reference", model},
                {"reported a replacement", replaced ? "yes" : "no"}});
    }

    const ListedEntry entry{std::string(values.name), std::string(values.path),
                            std::string(values.title)};
    const std::string expanded = ExpandBaseScript(base, values.folder, entry, codePage);
    const std::string expected = reference::Expand(base, values, codePage);
    Expect(expanded == expected, "the expansion", codePage,
           {{"base script", base},
            {"folder", values.folder},
            {"path", values.path},
            {"name", values.name},
            {"title", values.title},
            {"ExpandBaseScript", expanded},
            {"reference", expected}});

    // Whatever the reference says: the result is NUL-free when the values are, and a base
    // script without a '<' comes back as it was, up to its first NUL.
    bool valuesHoldNul = false;
    for (const auto& pass : reference::Passes(values)) {
        valuesHoldNul = valuesHoldNul || pass.second.find('\0') != std::string_view::npos;
    }
    Expect(valuesHoldNul || expanded.find('\0') == std::string::npos, "no NUL in the result",
           codePage, {{"base script", base}, {"ExpandBaseScript", expanded}});
    Expect(beforeNul.find('<') != std::string::npos || expanded == beforeNul,
           "a text without tokens is unchanged", codePage,
           {{"base script", base}, {"ExpandBaseScript", expanded}});
}

}  // namespace
}  // namespace quillet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quillet::fuzz::Check(quillet::fuzz::SplitInput(data, size, 5));
    return 0;
}
