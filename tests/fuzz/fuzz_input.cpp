#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>

namespace quillet::fuzz {

namespace {

std::string Escaped(std::string_view bytes) {
    std::string shown;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            shown.push_back(c);
        } else {
            constexpr std::string_view kHex = "0123456789ABCDEF";
            shown += "\\x";
            shown.push_back(kHex[byte >> 4U]);
            shown.push_back(kHex[byte & 0x0FU]);
        }
    }
    return shown;
}

}  // namespace

FuzzInput SplitInput(const std::uint8_t* data, std::size_t size, std::size_t fieldCount) {
    const std::string bytes(data, data + size);
    FuzzInput input;
    input.fields.resize(fieldCount);
    if (bytes.empty()) {
        return input;
    }
    input.codePage =
        (static_cast<unsigned char>(bytes[0]) & 1U) != 0 ? CodePage::Cp932 : CodePage::None;
    std::size_t begin = 1;
    for (std::size_t field = 0; field < fieldCount && begin <= bytes.size(); ++field) {
        const std::size_t end =
            field + 1 == fieldCount ? std::string::npos : bytes.find('\xFF', begin);
        input.fields[field] = bytes.substr(begin, end == std::string::npos ? end : end - begin);
        begin = end == std::string::npos ? bytes.size() + 1 : end + 1;
    }
    return input;
}

void Fail(std::string_view rule, CodePage codePage, Shown shown) {
    std::fprintf(stderr, "broken: %.*s (%s)\n", static_cast<int>(rule.size()), rule.data(),
                 codePage == CodePage::Cp932 ? "double-byte walk" : "no double-byte walk");
    for (const auto& [label, text] : shown) {
        std::fprintf(stderr, "  %.*s: \"%s\" (%zu bytes)\n", static_cast<int>(label.size()),
                     label.data(), Escaped(text).c_str(), text.size());
    }
    std::abort();
}

}  // namespace quillet::fuzz
