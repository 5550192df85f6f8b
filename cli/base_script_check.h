#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/code_page.h"

namespace quillet::cli {

// Mistakes in a base script that break real scripts while the run itself succeeds.
struct BaseScriptFindings {
    bool lastLineUnended = false;  // the next copy, or the footer, runs into its last line
    bool noPlaceholder = false;    // every copy is the same: none of the four tokens is in it

    bool operator==(const BaseScriptFindings&) const = default;
};

// Looks at the text the run expands (the bytes before the first NUL) as the run will: a token
// counts only where the character walk of `codePage` finds it. A line may end in LF or CR.
BaseScriptFindings CheckBaseScript(std::string_view fileBytes, CodePage codePage);

// A base script holds a few lines of commands; a larger file than this is not checked, so that a
// huge or sparse one costs the check nothing (the run decides what becomes of it).
inline constexpr std::size_t kLargestCheckedBaseScript = std::size_t{16} << 20;

// The base script's bytes for the check, read with a plain shared open that is closed again
// before the run opens the file for itself; nothing when it is not a readable regular file of
// at most kLargestCheckedBaseScript bytes (the run reports what is wrong with it).
std::optional<std::string> ReadBaseScriptForCheck(const std::string& path);

// A header or footer file is a few lines; one that goes on past this (/dev/zero, a runaway pipe)
// is refused instead of filling the memory.
inline constexpr std::size_t kLargestPieceFile = std::size_t{64} << 20;

// The whole content of a file given on the command line (a pipe such as <(...) included), or
// the system's error number: EFBIG past kLargestPieceFile bytes.
int ReadWholeFile(const std::string& path, std::string& bytes);

namespace warnings {
inline constexpr std::string_view kLastLineUnended =
    "警告: ﾍﾞｰｽｽｸﾘﾌﾟﾄの最後の行が改行で終わっていません / warning: the base script's last "
    "line has no line break";
inline constexpr std::string_view kNoPlaceholder =
    "警告: ﾍﾞｰｽｽｸﾘﾌﾟﾄにﾌﾟﾚｰｽﾎﾙﾀﾞがありません / warning: the base script holds none of the "
    "four placeholders";
}  // namespace warnings

// The warning texts for the findings, in a fixed order.
std::vector<std::string_view> WarningTexts(const BaseScriptFindings& findings);

}  // namespace quillet::cli
