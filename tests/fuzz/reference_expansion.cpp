#include "reference_expansion.h"

namespace quillet::reference {

bool IsLead(CodePage codePage, char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return codePage == CodePage::Cp932 &&
           ((value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC));
}

std::vector<std::pair<std::size_t, std::size_t>> Characters(std::string_view text,
                                                            CodePage codePage) {
    std::vector<std::pair<std::size_t, std::size_t>> characters;
    std::size_t position = 0;
    while (position < text.size()) {
        const bool lead = IsLead(codePage, text[position]);
        if (lead && position + 1 == text.size()) {
            break;
        }
        characters.emplace_back(position, lead ? 2 : 1);
        position += lead ? 2 : 1;
    }
    return characters;
}

std::size_t FindFrom(std::string_view text, std::string_view needle, std::size_t scan,
                     CodePage codePage) {
    std::size_t position = scan;
    while (position < text.size()) {
        const bool lead = IsLead(codePage, text[position]);
        if (lead && position + 1 == text.size()) {
            break;  // a lead byte with no second byte: the walk ends here
        }
        if (text.substr(position, needle.size()) == needle) {
            return position;
        }
        position += lead ? 2 : 1;
    }
    return std::string_view::npos;
}

std::size_t ReplacePass(std::string& text, std::string_view token, std::string_view value,
                        CodePage codePage) {
    // The scan begins at the first byte; after each replacement it resumes at the first byte
    // after the inserted value, which a fresh walk takes as the start of a character, so the
    // value is never searched for this pass's token.
    std::size_t replaced = 0;
    std::size_t scan = 0;
    while (true) {
        const std::size_t hit = FindFrom(text, token, scan, codePage);
        if (hit == std::string_view::npos) {
            return replaced;
        }
        text.replace(hit, token.size(), value);
        scan = hit + value.size();
        ++replaced;
    }
}

std::array<std::pair<std::string_view, std::string_view>, 4> Passes(const Values& values) {
    return {{{"<TARGET_FOLDER>", values.folder},
             {"<TARGET_FILEPATH>", values.path},
             {"<TARGET_FNAMEEXT>", values.name},
             {"<TARGET_FNAMETITLE>", values.title}}};
}

std::string Expand(std::string_view baseScript, const Values& values, CodePage codePage) {
    std::string text;
    for (const char byte : baseScript) {
        if (byte == '\0') {
            break;
        }
        text.push_back(byte);
    }
    for (const auto& [token, value] : Passes(values)) {
        ReplacePass(text, token, value, codePage);
    }
    return text;
}

}  // namespace quillet::reference
