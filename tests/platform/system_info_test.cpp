#include "platform/system_info.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "support/shift_jis_locale.h"
#include "support/temp_dir.h"

namespace quillet::platform {
namespace {

// Sets an environment variable for the test's lifetime.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
            m_had = true;
        }
        ::setenv(name, value.c_str(), 1);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv() {
        if (m_had) {
            ::setenv(m_name, m_old.c_str(), 1);
        } else {
            ::unsetenv(m_name);
        }
    }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

TEST(CodePageFromLocale, Utf8LocaleWalksBytes) {
    ScopedEnv all("LC_ALL", "C.UTF-8");
    EXPECT_EQ(CodePageFromLocale(), CodePage::None);
}

TEST(CodePageFromLocale, UnknownLocaleWalksBytes) {
    ScopedEnv all("LC_ALL", "xx_NOWHERE.SJIS");
    EXPECT_EQ(CodePageFromLocale(), CodePage::None);
}

TEST(CodePageFromLocale, ShiftJisLocaleWalksDoubleByteCharacters) {
    quillet::testing::TempDir locales;
    if (const std::string why = quillet::testing::CompileShiftJisLocale(locales); !why.empty()) {
        GTEST_SKIP() << why;
    }
    ScopedEnv path("LOCPATH", locales.Path());
    ScopedEnv all("LC_ALL", "ja_JP.SJIS");
    EXPECT_EQ(CodePageFromLocale(), CodePage::Cp932);
}

TEST(PhysicalMemoryBytes, IsTheMachinesMemory) {
    const std::uint64_t bytes = PhysicalMemoryBytes();
    EXPECT_GE(bytes, std::uint64_t{64} << 20);
    EXPECT_LT(bytes, std::uint64_t{1} << 50);
}

}  // namespace
}  // namespace quillet::platform
