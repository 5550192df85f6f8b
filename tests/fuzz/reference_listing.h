#pragma once

#include <string>
#include <string_view>

#include "core/code_page.h"

// Simple models of the title rule and the full-path rule, written from the rules alone; the
// fuzzers hold the core's FileTitle and FullPath to them.
namespace quillet::reference {

// The name up to its last '.' (a whole one-byte character), or the whole name when it has none;
// whole characters only, at most 255 bytes; a lead byte that is the last byte is left out.
std::string Title(std::string_view name, CodePage codePage);

// The root, then '/' unless the root's last character is a whole one-byte '/', then the name.
std::string FullPath(std::string_view root, std::string_view name, CodePage codePage);

}  // namespace quillet::reference
