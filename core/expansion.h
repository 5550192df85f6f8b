#pragma once

#include <string>
#include <string_view>

#include "core/code_page.h"
#include "core/listed_entry.h"

namespace quillet {

inline constexpr std::string_view kTargetFolderToken = "<TARGET_FOLDER>";
inline constexpr std::string_view kTargetFilePathToken = "<TARGET_FILEPATH>";
inline constexpr std::string_view kTargetFileNameToken = "<TARGET_FNAMEEXT>";
inline constexpr std::string_view kTargetFileTitleToken = "<TARGET_FNAMETITLE>";

// The text written for one entry: the base script text (the bytes before its first NUL) with
// the four tokens replaced in this order: folder, full path, name, title. Each token is one
// replace-all pass over the whole current text that resumes after each inserted value, so a
// later pass also searches what earlier passes inserted. Nothing else about the bytes changes.
std::string ExpandBaseScript(std::string_view baseScript, std::string_view targetFolder,
                             const ListedEntry& entry, CodePage codePage);

// One replace-all pass: every occurrence of `token` that begins a character becomes `value`;
// the scan resumes after the inserted value. Returns false when nothing was replaced.
bool ReplaceAll(std::string& text, std::string_view token, std::string_view value,
                CodePage codePage);

// ExpandBaseScript for entry after entry of one run: the same text for each, in two buffers
// that are reused, so a long listing costs no memory allocation per entry once they have grown
// to the longest text.
class BaseScriptExpander {
public:
    BaseScriptExpander(std::string_view baseScript, std::string_view targetFolder,
                       CodePage codePage);

    // The text to write for `entry`, valid until the next call.
    std::string_view Expand(const ListedEntry& entry);

private:
    CodePage m_codePage;
    std::string m_withFolder;  // the base script text after the folder pass
    std::string m_text;
    std::string m_scratch;
};

}  // namespace quillet
