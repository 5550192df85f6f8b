#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace quillet::testing {

// A Shift-JIS locale "ja_JP.SJIS" compiled into `folder`, as no system ships one ready; use it
// with LOCPATH set to the folder. Returns why it could not be built, or an empty text.
inline std::string CompileShiftJisLocale(const TempDir& folder) {
    const std::string command = "localedef --no-warnings=ascii -f SHIFT_JIS -i ja_JP '" +
                                (folder / "ja_JP.SJIS") + "' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    if (std::filesystem::exists(folder / "ja_JP.SJIS")) {
        return {};
    }
    return "localedef could not build ja_JP.SJIS (status " + std::to_string(status) +
           "); install the Debian package 'locales'";
}

}  // namespace quillet::testing
