#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scenario_name.h"

namespace quillet::cli {
namespace {

using Action = ParsedArguments::Action;

ParsedArguments Runs(CommandLine line) {
    return {Action::kRun, std::move(line), {}};
}

ParsedArguments Fails(std::string_view text, std::string argument) {
    return {Action::kUsageError, {}, {text, std::move(argument)}};
}

const ParsedArguments kHelp{Action::kHelp, {}, {}};
const ParsedArguments kVersion{Action::kVersion, {}, {}};

struct ArgumentsCase {
    const char* scenario;
    std::vector<std::string_view> arguments;
    ParsedArguments expected;
};

void PrintTo(const ArgumentsCase& c, std::ostream* out) {
    *out << c.scenario;
}

class ParseArgumentsTest : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(ParseArgumentsTest, Reads) {
    const ArgumentsCase& c = GetParam();
    const ParsedArguments parsed = ParseArguments(c.arguments);
    EXPECT_EQ(parsed.action, c.expected.action);
    EXPECT_EQ(parsed.error, c.expected.error) << parsed.error.text << parsed.error.argument;
    EXPECT_EQ(parsed.commandLine, c.expected.commandLine);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseArgumentsTest,
    ::testing::Values(
        ArgumentsCase{"three operands",
                      {"b.scr", "dwg", "out.scr"},
                      Runs({.baseScript = "b.scr", .targetFolder = "dwg", .output = "out.scr"})},
        ArgumentsCase{"every option before the operands",
                      {"-y", "--header", "h", "--footer", "f", "--include", "*.dwg", "--include",
                       "*.dxf", "--code-page", "932", "b", "d", "o"},
                      Runs({"b", "d", "o", "h", "f", {"*.dwg", "*.dxf"}, CodePage::Cp932, true})},
        ArgumentsCase{
            "values after an equals sign",
            {"--header=h=1", "--footer=", "--code-page=none", "--include=a*", "b", "d", "o"},
            Runs({"b", "d", "o", "h=1", "", {"a*"}, CodePage::None, false})},
        ArgumentsCase{"options between and after the operands",
                      {"b", "--yes", "d", "o", "--include", "x"},
                      Runs({"b", "d", "o", {}, {}, {"x"}, {}, true})},
        ArgumentsCase{"a lone dash is an operand",
                      {"b", "d", "-"},
                      Runs({.baseScript = "b", .targetFolder = "d", .output = "-"})},
        ArgumentsCase{"double dash ends the options",
                      {"--", "-b", "--yes", "-y"},
                      Runs({.baseScript = "-b", .targetFolder = "--yes", .output = "-y"})},
        ArgumentsCase{"a value may begin with a dash",
                      {"--header", "-h", "b", "d", "o"},
                      Runs({"b", "d", "o", "-h", {}, {}, {}, false})},
        ArgumentsCase{"the last header counts",
                      {"--header", "1", "--header=2", "b", "d", "o"},
                      Runs({"b", "d", "o", "2", {}, {}, {}, false})},
        ArgumentsCase{"empty operands are operands", {"", "", ""}, Runs({})},
        ArgumentsCase{"help wherever it stands", {"b", "d", "--help", "--bogus"}, kHelp},
        ArgumentsCase{"short help", {"-h"}, kHelp},
        ArgumentsCase{"version", {"--version", "x"}, kVersion},
        ArgumentsCase{"a mistake before help",
                      {"--bogus", "--help"},
                      Fails(usage::kUnknownOption, "--bogus")},
        ArgumentsCase{
            "unknown short option", {"-x", "b", "d", "o"}, Fails(usage::kUnknownOption, "-x")},
        ArgumentsCase{"short options are not bundled",
                      {"-yh", "b", "d", "o"},
                      Fails(usage::kUnknownOption, "-yh")},
        ArgumentsCase{"no abbreviations",
                      {"--inc", "x", "b", "d", "o"},
                      Fails(usage::kUnknownOption, "--inc")},
        ArgumentsCase{"value missing at the end",
                      {"b", "d", "o", "--include"},
                      Fails(usage::kMissingValue, "--include")},
        ArgumentsCase{"a flag given a value",
                      {"--yes=no", "b", "d", "o"},
                      Fails(usage::kUnexpectedValue, "--yes=no")},
        ArgumentsCase{"unknown code page",
                      {"--code-page", "65001", "b", "d", "o"},
                      Fails(usage::kBadCodePage, "65001")},
        ArgumentsCase{"code page names are exact",
                      {"--code-page=NONE", "b", "d", "o"},
                      Fails(usage::kBadCodePage, "NONE")},
        ArgumentsCase{"no operands", {}, Fails(usage::kMissingArgument, "BASE_SCRIPT")},
        ArgumentsCase{"two operands", {"b", "d"}, Fails(usage::kMissingArgument, "OUTPUT")},
        ArgumentsCase{
            "four operands", {"b", "d", "o", "x", "y"}, Fails(usage::kExtraArgument, "x")}),
    testing::ScenarioName());

}  // namespace
}  // namespace quillet::cli
