#include "cli/options.h"

#include <array>

namespace quillet::cli {

namespace {

constexpr std::array<std::string_view, 3> kOperandNames{"BASE_SCRIPT", "TARGET_FOLDER", "OUTPUT"};

ParsedArguments Failure(std::string_view text, std::string_view argument) {
    ParsedArguments parsed;
    parsed.action = ParsedArguments::Action::kUsageError;
    parsed.error = {text, std::string(argument)};
    return parsed;
}

ParsedArguments Only(ParsedArguments::Action action) {
    ParsedArguments parsed;
    parsed.action = action;
    return parsed;
}

}  // namespace

ParsedArguments ParseArguments(std::span<const std::string_view> arguments) {
    ParsedArguments parsed;
    parsed.action = ParsedArguments::Action::kRun;
    CommandLine& line = parsed.commandLine;
    std::vector<std::string_view> operands;
    bool optionsEnded = false;

    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string_view argument = arguments[index];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }

        // "--name=value" or "--name value" for the options that take a value.
        std::string_view name = argument;
        std::optional<std::string_view> attached;
        if (argument.starts_with("--")) {
            if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
                name = argument.substr(0, equals);
                attached = argument.substr(equals + 1);
            }
        }
        const auto value = [&]() -> std::optional<std::string_view> {
            if (attached) {
                return attached;
            }
            if (index + 1 < arguments.size()) {
                return arguments[++index];
            }
            return std::nullopt;
        };

        if (name == "-h" || name == "--help" || name == "-y" || name == "--yes" ||
            name == "--version") {
            if (attached) {
                return Failure(usage::kUnexpectedValue, argument);
            }
            if (name == "-y" || name == "--yes") {
                line.yes = true;
                continue;
            }
            return Only(name == "--version" ? ParsedArguments::Action::kVersion
                                            : ParsedArguments::Action::kHelp);
        }
        if (name == "--header" || name == "--footer" || name == "--include" ||
            name == "--code-page") {
            const std::optional<std::string_view> given = value();
            if (!given) {
                return Failure(usage::kMissingValue, name);
            }
            if (name == "--header") {
                line.headerFile = std::string(*given);
            } else if (name == "--footer") {
                line.footerFile = std::string(*given);
            } else if (name == "--include") {
                line.includes.emplace_back(*given);
            } else if (*given == "932") {
                line.codePage = CodePage::Cp932;
            } else if (*given == "none") {
                line.codePage = CodePage::None;
            } else {
                return Failure(usage::kBadCodePage, *given);
            }
            continue;
        }
        return Failure(usage::kUnknownOption, argument);
    }

    if (operands.size() < kOperandNames.size()) {
        return Failure(usage::kMissingArgument, kOperandNames[operands.size()]);
    }
    if (operands.size() > kOperandNames.size()) {
        return Failure(usage::kExtraArgument, operands[kOperandNames.size()]);
    }
    line.baseScript = operands[0];
    line.targetFolder = operands[1];
    line.output = operands[2];
    return parsed;
}

}  // namespace quillet::cli
