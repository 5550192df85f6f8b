#include "platform/system_info.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

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
    // A Shift-JIS locale compiled into a private folder, as no system ships one ready.
    quillet::testing::TempDir locales;
    const std::string command = "localedef --no-warnings=ascii -f SHIFT_JIS -i ja_JP '" +
                                (locales / "ja_JP.SJIS") + "' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    if (!std::filesystem::exists(locales / "ja_JP.SJIS")) {
        GTEST_SKIP() << "localedef could not build ja_JP.SJIS (status " << status
                     << "); install the Debian package 'locales'";
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
