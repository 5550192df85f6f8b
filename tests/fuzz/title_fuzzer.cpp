// Holds the title rule to the simple reference, and to what every title must be.
// Field: the name.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/folder_listing.h"
#include "fuzz_input.h"
#include "reference_expansion.h"
#include "reference_listing.h"

namespace quillet::fuzz {
namespace {

void Check(const FuzzInput& input) {
    const CodePage codePage = input.codePage;
    const std::string& name = input.fields[0];
    const std::string title = FileTitle(name, codePage);
    const std::string expected = reference::Title(name, codePage);
    Expect(title == expected, "the title", codePage,
           {{"name", name}, {"FileTitle", title}, {"reference", expected}});

    Expect(name.starts_with(title) && title.size() <= 255,
           "a title is a prefix of at most 255 bytes", codePage,
           {{"name", name}, {"FileTitle", title}});
    // It ends where a character of the name ends: never between a lead byte and its partner.
    const auto characters = reference::Characters(name, codePage);
    const bool endsOnCharacter =
        title.empty() || std::ranges::any_of(characters, [&](const auto& character) {
            return character.first + character.second == title.size();
        });
    Expect(endsOnCharacter, "a title ends between characters", codePage,
           {{"name", name}, {"FileTitle", title}});
    // It stops short of the name only at a '.', at the 255-byte limit, or before a lead byte
    // that is the name's last byte.
    const std::size_t stop = title.size();
    const bool stopsForAReason =
        stop == name.size() || name[stop] == '.' || stop >= 254 ||
        (stop + 1 == name.size() && reference::IsLead(codePage, name[stop]));
    Expect(stopsForAReason, "a title stops only for a reason", codePage,
           {{"name", name}, {"FileTitle", title}});
}

}  // namespace
}  // namespace quillet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quillet::fuzz::Check(quillet::fuzz::SplitInput(data, size, 1));
    return 0;
}
