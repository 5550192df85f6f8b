#pragma once

#include <string>
#include <string_view>

namespace quillet::cli {

// The program's standard streams. Fixed texts are UTF-8 in the code and reach the person in
// the charset of their locale (Shift_JIS in a Shift_JIS locale, for example), so that the
// messages read as the dialog shows them; bytes that came from the command line or the file
// system are passed through as they are.
class Console {
public:
    // Takes the charset from the environment's locale (LC_ALL, LC_CTYPE, LANG).
    Console();

    // `utf8` in the locale's charset; unchanged when the locale is UTF-8, or when the charset
    // cannot spell it (the C locale cannot spell Japanese: most terminals show UTF-8 then).
    [[nodiscard]] std::string Localize(std::string_view utf8) const;

    // Whole texts, each in as few writes as the stream takes; failures are ignored, as nothing
    // is left to report them to.
    static void WriteOut(std::string_view bytes) noexcept;
    static void WriteError(std::string_view bytes) noexcept;

    // True when a question can be asked: both standard input and standard error are a terminal.
    [[nodiscard]] static bool CanAsk() noexcept;
    // Shows `prompt` on standard error and reads one line of standard input: true for "y" or
    // "yes" in any case, false for anything else and at the end of the input.
    [[nodiscard]] static bool Ask(std::string_view prompt);

private:
    std::string m_charset;  // empty for UTF-8
};

}  // namespace quillet::cli
