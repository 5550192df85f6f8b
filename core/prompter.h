#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// Message box types and answers, with the values the dialogs have always used, so the front
// ends can apply the same icon rule to them.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_OKCANCEL = 0x01;
inline constexpr unsigned MB_ICONMASK = 0xF0;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// What a generation run asks of the person (or the script) that started it.
class Prompter {
public:
    virtual ~Prompter() = default;
    // The save dialog: the chosen output path, or nothing when it was not confirmed.
    virtual std::optional<std::string> PromptSavePath() = 0;
    // A message box with `text` (UTF-8; "\n" breaks the line) and `type` (MB_*); returns the
    // button pressed (IDOK, IDCANCEL).
    virtual int ShowMessageBox(std::string_view text, unsigned type) = 0;
};

}  // namespace quillet
