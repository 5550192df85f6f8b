#pragma once

#include <span>
#include <string_view>

namespace quillet::cli {

// Exit statuses.
inline constexpr int kExitGenerated = 0;
inline constexpr int kExitCancelled = 1;
inline constexpr int kExitUsage = 2;

// The whole command: reads the arguments (without the program's name), runs the generation
// with standard input, output and error, and returns the exit status.
int RunProgram(std::span<const std::string_view> arguments);

// Shows the run's cancellation message and returns kExitCancelled: for a failure that ends the
// program before the run could report it itself.
int ReportCancelled() noexcept;

// The usage text, in Japanese and English (UTF-8).
extern const std::string_view kHelpText;

}  // namespace quillet::cli
