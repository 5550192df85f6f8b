#include "core/expansion.h"

namespace quillet {

bool ReplaceAll(std::string& text, std::string_view token, std::string_view value,
                CodePage codePage) {
    const std::string_view source = text;
    std::size_t hit = FindCharacter(source, token, 0, codePage);
    if (hit == std::string_view::npos) {
        return false;
    }
    std::string result;
    result.reserve(source.size() + (value.size() > token.size() ? value.size() - token.size() : 0));
    std::size_t copied = 0;
    while (hit != std::string_view::npos) {
        result.append(source.substr(copied, hit - copied));
        result.append(value);
        copied = hit + token.size();
        // The inserted value is never searched for this pass's token: the walk picks up again
        // in the original text right after the token, which begins a character (tokens are
        // plain ASCII).
        hit = FindCharacter(source, token, copied, codePage);
    }
    result.append(source.substr(copied));
    text = std::move(result);
    return true;
}

std::string ExpandBaseScript(std::string_view baseScript, std::string_view targetFolder,
                             const ListedEntry& entry, CodePage codePage) {
    std::string text(baseScript.substr(0, baseScript.find('\0')));
    ReplaceAll(text, kTargetFolderToken, targetFolder, codePage);
    ReplaceAll(text, kTargetFilePathToken, entry.m_strFilePath, codePage);
    ReplaceAll(text, kTargetFileNameToken, entry.m_strFileName, codePage);
    ReplaceAll(text, kTargetFileTitleToken, entry.m_strFileTitle, codePage);
    return text;
}

}  // namespace quillet
