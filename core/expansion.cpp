#include "core/expansion.h"

namespace quillet {

namespace {

// One replace-all pass from `source` into `result`, which is overwritten. False, with `result`
// left alone, when `source` holds no occurrence.
bool ReplaceAllInto(std::string_view source, std::string_view token, std::string_view value,
                    CodePage codePage, std::string& result) {
    std::size_t hit = FindCharacter(source, token, 0, codePage);
    if (hit == std::string_view::npos) {
        return false;
    }
    result.clear();
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
    return true;
}

// Runs one pass over `text`, using `scratch` for the result and swapping the two when anything
// was replaced: two buffers serve every pass without a new one for each.
void Pass(std::string& text, std::string& scratch, std::string_view token, std::string_view value,
          CodePage codePage) {
    if (ReplaceAllInto(text, token, value, codePage, scratch)) {
        text.swap(scratch);
    }
}

}  // namespace

bool ReplaceAll(std::string& text, std::string_view token, std::string_view value,
                CodePage codePage) {
    std::string result;
    if (!ReplaceAllInto(text, token, value, codePage, result)) {
        return false;
    }
    text = std::move(result);
    return true;
}

std::string ExpandBaseScript(std::string_view baseScript, std::string_view targetFolder,
                             const ListedEntry& entry, CodePage codePage) {
    std::string text(baseScript.substr(0, baseScript.find('\0')));
    std::string scratch;
    Pass(text, scratch, kTargetFolderToken, targetFolder, codePage);
    Pass(text, scratch, kTargetFilePathToken, entry.m_strFilePath, codePage);
    Pass(text, scratch, kTargetFileNameToken, entry.m_strFileName, codePage);
    Pass(text, scratch, kTargetFileTitleToken, entry.m_strFileTitle, codePage);
    return text;
}

BaseScriptExpander::BaseScriptExpander(std::string_view baseScript, std::string_view targetFolder,
                                       CodePage codePage)
    : m_codePage(codePage), m_withFolder(baseScript.substr(0, baseScript.find('\0'))) {
    // The first pass depends on nothing but the base script and the folder text: it is the
    // same for every entry, and done once.
    Pass(m_withFolder, m_text, kTargetFolderToken, targetFolder, codePage);
}

std::string_view BaseScriptExpander::Expand(const ListedEntry& entry) {
    m_text.assign(m_withFolder);
    Pass(m_text, m_scratch, kTargetFilePathToken, entry.m_strFilePath, m_codePage);
    Pass(m_text, m_scratch, kTargetFileNameToken, entry.m_strFileName, m_codePage);
    Pass(m_text, m_scratch, kTargetFileTitleToken, entry.m_strFileTitle, m_codePage);
    return m_text;
}

}  // namespace quillet
