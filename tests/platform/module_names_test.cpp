#include "platform/module_names.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scenario_name.h"

namespace quillet::platform {
namespace {

struct NamesCase {
    const char* scenario;
    std::string modulePath;
    std::string title;
    std::string helpFile;
};

class NamesFromModulePathTest : public ::testing::TestWithParam<NamesCase> {};

TEST_P(NamesFromModulePathTest, TitleAndHelpFileFollowTheExecutable) {
    const NamesCase& c = GetParam();
    const ModuleNames names = NamesFromModulePath(c.modulePath, CodePage::None);
    EXPECT_EQ(names.exeName, c.title);
    EXPECT_EQ(names.appTitle, c.title);
    EXPECT_EQ(names.helpFilePath, c.helpFile);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, NamesFromModulePathTest,
    ::testing::Values(
        NamesCase{"installed program", "/usr/local/bin/quillet", "quillet",
                  "/usr/local/bin/quillet.html"},
        NamesCase{"renamed with an extension", "/opt/gen.kit/sgen.exe", "sgen",
                  "/opt/gen.kit/sgen.html"},
        NamesCase{"dot in a folder, none in the name", "/a.b/tool", "tool", "/a.b/tool.html"},
        NamesCase{"hidden folder on the way", "/home/me/.local/bin/quillet", "quillet",
                  "/home/me/.local/bin/quillet.html"},
        NamesCase{"last dot cuts", "/x/gen2.tar.bin", "gen2.tar", "/x/gen2.tar.html"},
        NamesCase{"leading dot is no extension", "/x/.quillet", ".quillet", "/x/.quillet.html"},
        NamesCase{"no folder", "quillet", "quillet", "quillet.html"}),
    quillet::testing::ScenarioName());

TEST(ModulePath, NamesTheRunningExecutable) {
    const std::string path = ModulePath("fallback");
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_NE(path.find("module_names_tests"), std::string::npos) << path;
}

}  // namespace
}  // namespace quillet::platform
