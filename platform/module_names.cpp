#include "platform/module_names.h"

#include <unistd.h>

#include <array>
#include <climits>

namespace quillet::platform {

ModuleNames NamesFromModulePath(std::string_view modulePath, CodePage codePage) {
    std::size_t nameStart = 0;
    WalkCharacters(modulePath, codePage, [&](std::size_t position, std::size_t length) {
        if (length == 1 && modulePath[position] == '/') {
            nameStart = position + 1;
        }
    });
    const std::string_view name = modulePath.substr(nameStart);
    std::size_t cut = name.size();
    WalkCharacters(name, codePage, [&](std::size_t position, std::size_t length) {
        if (length == 1 && name[position] == '.' && position > 0) {
            cut = position;
        }
    });
    ModuleNames names;
    names.exeName = std::string(name.substr(0, cut));
    names.appTitle = names.exeName;
    names.helpFilePath = std::string(modulePath.substr(0, nameStart + cut)) + ".html";
    return names;
}

std::string ModulePath(const std::string& fallback) {
    std::array<char, PATH_MAX> buffer{};
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return fallback;
    }
    return {buffer.data(), static_cast<std::size_t>(length)};
}

}  // namespace quillet::platform
