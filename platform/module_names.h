#pragma once

#include <string>
#include <string_view>

#include "core/code_page.h"

namespace quillet::platform {

// The names the application derives from its executable's path once at start-up.
struct ModuleNames {
    std::string exeName;       // the file name without its extension
    std::string appTitle;      // the caption of every message box: the executable name
    std::string helpFilePath;  // the path without its extension, then ".html"
};

// Names for the executable at `modulePath`. The extension is the part of the file name from
// its last '.' on (a '.' that begins the name does not start one); dots in folder names never
// count, so "/home/me/.local/bin/quillet" is titled "quillet". Walked character by character.
ModuleNames NamesFromModulePath(std::string_view modulePath, CodePage codePage);

// The full path of the running executable (from /proc/self/exe), or `fallback` when the
// system does not tell.
std::string ModulePath(const std::string& fallback);

}  // namespace quillet::platform
