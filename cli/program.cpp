#include "cli/program.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "cli/base_script_check.h"
#include "cli/cli_prompter.h"
#include "cli/console.h"
#include "cli/options.h"
#include "cli/standard_output_file_system.h"
#include "cli/version.h"
#include "core/default_texts.h"
#include "core/generation.h"
#include "core/messages.h"
#include "core/name_pattern.h"
#include "platform/posix_file_system.h"
#include "platform/system_info.h"

namespace quillet::cli {

const std::string_view kHelpText =
    "使い方: quillet-cli [OPTIONS] BASE_SCRIPT TARGET_FOLDER OUTPUT\n"
    "\n"
    "ﾍｯﾀﾞ、対象ﾌｫﾙﾀﾞ TARGET_FOLDER の項目ごとにﾌﾟﾚｰｽﾎﾙﾀﾞを埋めたﾍﾞｰｽｽｸﾘﾌﾟﾄ\n"
    "BASE_SCRIPT のｺﾋﾟｰ、ﾌｯﾀを、この順にｽｸﾘﾌﾟﾄ OUTPUT へ書き出します。\n"
    "OUTPUT が - なら標準出力へ書き出します (- という名前のﾌｧｲﾙは ./- と指定)。\n"
    "ﾌﾟﾚｰｽﾎﾙﾀﾞ: <TARGET_FOLDER> <TARGET_FILEPATH> <TARGET_FNAMEEXT> <TARGET_FNAMETITLE>\n"
    "\n"
    "  -y, --yes             既存の OUTPUT を確認せずに上書きする\n"
    "                        (なければ端末で確認、端末がなければｷｬﾝｾﾙ)\n"
    "      --header FILE     FILE の内容をそのままﾍｯﾀﾞにする (既定は標準のﾍｯﾀﾞ)\n"
    "      --footer FILE     FILE の内容をそのままﾌｯﾀにする (既定は標準のﾌｯﾀ)\n"
    "      --include GLOB    名前が GLOB (* ? [...]、英字の大小は区別しない) に一致する\n"
    "                        項目だけを展開する。繰り返し指定可\n"
    "      --code-page 932|none  文字の区切り方 (既定はﾛｹｰﾙから)\n"
    "  -h, --help            この説明を表示する\n"
    "      --version         版を表示する\n"
    "\n"
    "終了ｽﾃｰﾀｽ: 0 生成に成功、1 ｷｬﾝｾﾙ、2 使い方の誤り\n"
    "\n"
    "Usage: quillet-cli [OPTIONS] BASE_SCRIPT TARGET_FOLDER OUTPUT\n"
    "\n"
    "Writes the script OUTPUT: the header, then one copy of BASE_SCRIPT for every entry of\n"
    "TARGET_FOLDER with the placeholders filled in, then the footer. OUTPUT - writes to\n"
    "standard output (a file named - is ./-).\n"
    "Placeholders: <TARGET_FOLDER> <TARGET_FILEPATH> <TARGET_FNAMEEXT> <TARGET_FNAMETITLE>\n"
    "\n"
    "  -y, --yes             overwrite an existing OUTPUT without asking\n"
    "                        (otherwise asked on a terminal, cancelled without one)\n"
    "      --header FILE     the header is FILE's bytes as they are (default: the standard one)\n"
    "      --footer FILE     the footer is FILE's bytes as they are (default: the standard one)\n"
    "      --include GLOB    expand only entries whose name matches GLOB (* ? [...], letters\n"
    "                        in either case); may be repeated\n"
    "      --code-page 932|none  how characters are walked (default: from the locale)\n"
    "  -h, --help            show this help\n"
    "      --version         show the version\n"
    "\n"
    "Exit status: 0 generated, 1 cancelled, 2 usage error\n";

namespace {

int ReportUsageError(const Console& console, const UsageError& error) {
    Console::WriteError(MessageLine(console, error.text) + error.argument + "\n");
    return kExitUsage;
}

// The header or footer: the file's bytes, or the default text when no file is given.
bool ReadPiece(const std::optional<std::string>& file, std::string_view fallback,
               std::string& piece, UsageError& error) {
    if (!file) {
        piece = fallback;
        return true;
    }
    if (const int failure = ReadWholeFile(*file, piece); failure != 0) {
        error = {usage::kUnreadableFile, *file + ": " + std::strerror(failure)};
        return false;
    }
    return true;
}

}  // namespace

int ReportCancelled() noexcept {
    try {
        Console::WriteError(MessageLine(Console(), messages::kCancelled) + "\n");
    } catch (...) {  // NOLINT(bugprone-empty-catch): nothing is left to report it to
    }
    return kExitCancelled;
}

int RunProgram(std::span<const std::string_view> arguments) {
    const Console console;
    const ParsedArguments parsed = ParseArguments(arguments);
    switch (parsed.action) {
        case ParsedArguments::Action::kHelp:
            Console::WriteOut(console.Localize(kHelpText));
            return kExitGenerated;
        case ParsedArguments::Action::kVersion:
            Console::WriteOut("quillet-cli " + std::string(kVersion) + "\n");
            return kExitGenerated;
        case ParsedArguments::Action::kUsageError:
            return ReportUsageError(console, parsed.error);
        case ParsedArguments::Action::kRun:
            break;
    }
    const CommandLine& line = parsed.commandLine;

    GenerationSettings settings{line.baseScript, line.targetFolder, {}, {}};
    UsageError error;
    if (!ReadPiece(line.headerFile, kDefaultHeader, settings.m_strHeader, error) ||
        !ReadPiece(line.footerFile, kDefaultFooter, settings.m_strFooter, error)) {
        return ReportUsageError(console, error);
    }
    const CodePage codePage = line.codePage.value_or(platform::CodePageFromLocale());

    // Read once before the run, with a shared open that is closed again, so the run's own
    // exclusive open and single read stay exactly as they are.
    if (const std::optional<std::string> base = ReadBaseScriptForCheck(line.baseScript)) {
        for (const std::string_view warning : WarningTexts(CheckBaseScript(*base, codePage))) {
            Console::WriteError(MessageLine(console, warning) + "\n");
        }
    }

    EntryFilter includeEntry;
    if (!line.includes.empty()) {
        includeEntry = [&line, codePage](std::string_view name) {
            return std::ranges::any_of(line.includes, [&](const std::string& pattern) {
                return MatchesNamePattern(pattern, name, codePage);
            });
        };
    }
    const CliPrompter::Overwrite overwrite = line.yes            ? CliPrompter::Overwrite::kYes
                                             : Console::CanAsk() ? CliPrompter::Overwrite::kAsk
                                                                 : CliPrompter::Overwrite::kCancel;
    CliPrompter prompter(console, line.output, overwrite);
    platform::PosixFileSystem posix;
    StandardOutputFileSystem fileSystem(posix, STDOUT_FILENO);
    GenerateScript(settings,
                   {prompter, fileSystem, codePage, platform::PhysicalMemoryBytes(), includeEntry});
    return prompter.Succeeded() ? kExitGenerated : kExitCancelled;
}

}  // namespace quillet::cli
