#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/prompter.h"

namespace quillet::cli {

class Console;

// Every message box of the run becomes one line on standard error, "quillet-cli: " and the
// text with its line break shown as a space. The save dialog's answer is the OUTPUT operand.
class CliPrompter final : public Prompter {
public:
    // How the overwrite question is answered.
    enum class Overwrite {
        kYes,     // -y: OK without asking
        kAsk,     // on a terminal: the person answers
        kCancel,  // nobody to ask: Cancel
    };

    CliPrompter(const Console& console, std::string outputPath, Overwrite overwrite);

    std::optional<std::string> PromptSavePath() override;
    int ShowMessageBox(std::string_view text, unsigned type) override;

    // True once the run reported success.
    [[nodiscard]] bool Succeeded() const noexcept { return m_succeeded; }

private:
    const Console& m_console;
    std::string m_outputPath;
    Overwrite m_overwrite;
    bool m_succeeded = false;
};

// "quillet-cli: " and `text` as one line in the user's charset (without its line feed).
std::string MessageLine(const Console& console, std::string_view text);

}  // namespace quillet::cli
