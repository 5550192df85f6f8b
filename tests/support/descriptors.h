#pragma once

#include <dirent.h>

#include <cstdlib>
#include <set>
#include <string>

namespace quillet::testing {

// The process's open descriptors, to show that an operation leaked none.
inline std::set<int> OpenDescriptors() {
    std::set<int> descriptors;
    DIR* directory = ::opendir("/proc/self/fd");
    if (directory == nullptr) {
        return descriptors;
    }
    const int own = ::dirfd(directory);
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            const int fd = std::atoi(name.c_str());
            if (fd != own) {
                descriptors.insert(fd);
            }
        }
    }
    ::closedir(directory);
    return descriptors;
}

}  // namespace quillet::testing
