#pragma once

#include <string_view>

#include "core/file_system.h"

namespace quillet::cli {

// The run's file operations, with the output path "-" standing for an already open descriptor
// (standard output): it exists for no question, is neither held exclusively nor emptied, and is
// left open after the run. Every other path, "./-" included, goes to the file system beneath.
class StandardOutputFileSystem final : public FileSystem {
public:
    static constexpr std::string_view kPath = "-";

    StandardOutputFileSystem(FileSystem& inner, int descriptor) noexcept
        : m_inner(inner), m_descriptor(descriptor) {}

    bool Exists(const std::string& path) override;
    // A base script that is the very file standard output writes to counts as the same file.
    bool IsSameFile(const std::string& left, const std::string& right) override;
    bool CanEnterAndList(const std::string& folder) override {
        return m_inner.CanEnterAndList(folder);
    }
    std::unique_ptr<OutputFile> OpenOutput(const std::string& path) override;
    std::unique_ptr<BaseScriptFile> OpenBaseScript(const std::string& path) override {
        return m_inner.OpenBaseScript(path);
    }
    bool ChangeDirectory(const std::string& folder) override {
        return m_inner.ChangeDirectory(folder);
    }
    bool CurrentDirectory(std::string& path) override { return m_inner.CurrentDirectory(path); }
    bool ListCurrentDirectory(NameList& names) override {
        return m_inner.ListCurrentDirectory(names);
    }

private:
    FileSystem& m_inner;
    int m_descriptor;
};

}  // namespace quillet::cli
