#pragma once

#include <cstddef>

#include "core/file_system.h"

namespace quillet::platform {

// Writes all `count` bytes to the descriptor, however many write calls the system needs, and
// waits when a descriptor handed over in non-blocking mode is full. Raises CFileException on a
// failure, and with ENOSPC when the descriptor takes no more bytes.
void WriteAll(int descriptor, const char* bytes, std::size_t count);

// The generation run's file and folder operations on POSIX. Files are held exclusively with
// flock(LOCK_EX | LOCK_NB), taken before anything is truncated, so a file that another run
// holds is never emptied. Opens never block: a FIFO without a reader fails instead of hanging.
class PosixFileSystem final : public FileSystem {
public:
    bool Exists(const std::string& path) override;
    bool IsSameFile(const std::string& left, const std::string& right) override;
    bool CanEnterAndList(const std::string& folder) override;
    std::unique_ptr<OutputFile> OpenOutput(const std::string& path) override;
    std::unique_ptr<BaseScriptFile> OpenBaseScript(const std::string& path) override;
    bool ChangeDirectory(const std::string& folder) override;
    bool CurrentDirectory(std::string& path) override;
    bool ListCurrentDirectory(NameList& names) override;
};

}  // namespace quillet::platform
