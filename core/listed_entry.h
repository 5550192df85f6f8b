#pragma once

#include <string>

namespace quillet {

// One visited entry of the target folder: the three values that the expansion puts in place of
// the entry's tokens. Byte strings, exactly as the file system gives the name.
struct ListedEntry {
    std::string m_strFileName;   // the name as the folder listing returns it
    std::string m_strFilePath;   // the listed folder's absolute path, '/', the name
    std::string m_strFileTitle;  // the name up to its last '.', at most 255 bytes
};

}  // namespace quillet
