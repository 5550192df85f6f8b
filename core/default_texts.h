#pragma once

#include <string_view>

namespace quillet {

// The header and footer every front end starts with: commands that keep the CAD application
// from opening dialogs and notices while the script runs, and set them back at the end. Each
// line, the last one included, ends in CR LF, as the dialog's edits break lines.
inline constexpr std::string_view kDefaultHeader =
    ";---- HEADER\r\n"
    "CMDDIA 0\r\n"
    "FILEDIA 0\r\n"
    "PROXYNOTICE 0\r\n"
    ";---- MAIN SCRIPT\r\n";

inline constexpr std::string_view kDefaultFooter =
    ";---- FOOTER\r\n"
    "NEW .\r\n"
    "PROXYNOTICE 1\r\n"
    "FILEDIA 1\r\n"
    "CMDDIA 1\r\n";

static_assert(kDefaultHeader.size() == 69);
static_assert(kDefaultFooter.size() == 57);

}  // namespace quillet
