#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace quillet::testing {

// A fresh folder under the system's temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir() : TempDir(std::filesystem::temp_directory_path()) {}
    // In another folder, such as a memory file system where many files come and go quickly.
    explicit TempDir(const std::filesystem::path& parent) {
        std::string pattern = (parent / "quillet-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        m_path = pattern;
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ignored;
        // Tests take rights away; give them back so that everything can be removed.
        for (auto it = std::filesystem::recursive_directory_iterator(
                 m_path, std::filesystem::directory_options::skip_permission_denied, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
                ::chmod(it->path().c_str(), 0700);
            }
        }
        ::chmod(m_path.c_str(), 0700);
        std::filesystem::remove_all(m_path, ignored);
    }

    [[nodiscard]] const std::string& Path() const { return m_path; }
    [[nodiscard]] std::string operator/(std::string_view name) const {
        return m_path + "/" + std::string(name);
    }

private:
    std::string m_path;
};

inline void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

// Restores the current directory when the test ends: a run leaves it at the target folder.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() : m_saved(std::filesystem::current_path()) {}
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;
    ~CurrentDirectoryGuard() {
        std::error_code ignored;
        std::filesystem::current_path(m_saved, ignored);
    }

private:
    std::filesystem::path m_saved;
};

}  // namespace quillet::testing
