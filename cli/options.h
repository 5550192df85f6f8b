#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/code_page.h"

namespace quillet::cli {

// What the command line asks for, its texts exactly as given.
struct CommandLine {
    std::string baseScript{};
    std::string targetFolder{};
    std::string output{};  // "-" is standard output
    std::optional<std::string> headerFile{};
    std::optional<std::string> footerFile{};
    std::vector<std::string> includes{};  // name patterns; none means every entry
    std::optional<CodePage> codePage{};   // none given: the locale's
    bool yes = false;                     // answer the overwrite question with OK

    bool operator==(const CommandLine&) const = default;
};

// A mistake on the command line: a fixed text (UTF-8, to be shown in the user's charset) and
// the argument it is about, exactly as given.
struct UsageError {
    std::string_view text{};
    std::string argument{};

    bool operator==(const UsageError&) const = default;
};

struct ParsedArguments {
    enum class Action { kRun, kHelp, kVersion, kUsageError };
    Action action = Action::kUsageError;
    CommandLine commandLine{};  // for kRun
    UsageError error{};         // for kUsageError

    bool operator==(const ParsedArguments&) const = default;
};

namespace usage {
inline constexpr std::string_view kUnknownOption = "不明なｵﾌﾟｼｮﾝです / unknown option: ";
inline constexpr std::string_view kMissingValue = "ｵﾌﾟｼｮﾝに値がありません / option needs a value: ";
inline constexpr std::string_view kUnexpectedValue =
    "このｵﾌﾟｼｮﾝは値をとりません / option takes no value: ";
inline constexpr std::string_view kBadCodePage =
    "ｺｰﾄﾞﾍﾟｰｼﾞは 932 か none です / code page must be 932 or none: ";
inline constexpr std::string_view kMissingArgument = "引数が足りません / missing argument: ";
inline constexpr std::string_view kExtraArgument = "引数が多すぎます / too many arguments: ";
inline constexpr std::string_view kUnreadableFile = "ﾌｧｲﾙを読めません / cannot read file: ";
}  // namespace usage

// Reads the arguments after the program's name, left to right. Options may stand before,
// between and after the three operands; "--" ends the options, and "-" is an operand. The first
// mistake, --help or --version ends the reading. A repeated --header, --footer or --code-page
// takes its last value; --include adds a pattern each time.
ParsedArguments ParseArguments(std::span<const std::string_view> arguments);

}  // namespace quillet::cli
