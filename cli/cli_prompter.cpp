#include "cli/cli_prompter.h"

#include <algorithm>

#include "cli/console.h"
#include "core/messages.h"

namespace quillet::cli {

std::string MessageLine(const Console& console, std::string_view text) {
    std::string line = "quillet-cli: ";
    line.append(text);
    std::ranges::replace(line, '\n', ' ');
    return console.Localize(line);
}

CliPrompter::CliPrompter(const Console& console, std::string outputPath, Overwrite overwrite)
    : m_console(console), m_outputPath(std::move(outputPath)), m_overwrite(overwrite) {}

std::optional<std::string> CliPrompter::PromptSavePath() {
    return m_outputPath;
}

int CliPrompter::ShowMessageBox(std::string_view text, unsigned type) {
    const std::string line = MessageLine(m_console, text);
    if ((type & ~MB_ICONMASK) == MB_OKCANCEL && m_overwrite == Overwrite::kAsk) {
        return Console::Ask(line + " [y/N] ") ? IDOK : IDCANCEL;
    }
    Console::WriteError(line + "\n");
    if ((type & ~MB_ICONMASK) == MB_OKCANCEL) {
        return m_overwrite == Overwrite::kYes ? IDOK : IDCANCEL;
    }
    if (text == messages::kGenerated) {
        m_succeeded = true;
    }
    return IDOK;
}

}  // namespace quillet::cli
