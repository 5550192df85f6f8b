#pragma once

#include <cstdint>

#include "core/code_page.h"

namespace quillet::platform {

// The character walk's mode for the environment's locale (LC_ALL, LC_CTYPE, LANG), read
// without changing the process's own locale.
CodePage CodePageFromLocale();

// The machine's physical memory in bytes: the largest base script a run will hold.
std::uint64_t PhysicalMemoryBytes();

}  // namespace quillet::platform
