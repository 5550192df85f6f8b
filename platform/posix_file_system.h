#pragma once

#include "core/file_system.h"

namespace quillet::platform {

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
