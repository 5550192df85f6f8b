#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/prompter.h"

namespace quillet {

// What a run started from the dialog asks: the save dialog and the message boxes of the
// application object.
class DialogPrompter final : public Prompter {
public:
    std::optional<std::string> PromptSavePath() override;
    int ShowMessageBox(std::string_view text, unsigned type) override;
};

}  // namespace quillet
