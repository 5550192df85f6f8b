#include "cli/standard_output_file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix_file_system.h"

namespace quillet::cli {

namespace {

// Writes to a descriptor that the process was given: a pipe, a terminal, a file the shell
// opened. Each piece still reaches it in as few writes as it takes.
class DescriptorOutput final : public OutputFile {
public:
    DescriptorOutput(int descriptor, bool durable) noexcept
        : m_descriptor(descriptor), m_durable(durable) {}

    void Write(const char* bytes, std::size_t count) override {
        platform::WriteAll(m_descriptor, bytes, count);
    }

    void Close() override {
        // The descriptor belongs to the process; only the promise that the script is on disk
        // is kept here, where the descriptor leads to a disk at all.
        if (m_durable && ::fsync(m_descriptor) != 0) {
            throw CFileException(errno);
        }
    }

    void Abort() noexcept override {}

private:
    int m_descriptor;
    bool m_durable;
};

}  // namespace

bool StandardOutputFileSystem::Exists(const std::string& path) {
    return path != kPath && m_inner.Exists(path);
}

bool StandardOutputFileSystem::IsSameFile(const std::string& left, const std::string& right) {
    if (left != kPath && right != kPath) {
        return m_inner.IsSameFile(left, right);
    }
    if (left == kPath && right == kPath) {
        return true;
    }
    const std::string& other = left == kPath ? right : left;
    struct stat descriptorStatus {};
    struct stat otherStatus {};
    return other.find('\0') == std::string::npos && ::fstat(m_descriptor, &descriptorStatus) == 0 &&
           ::stat(other.c_str(), &otherStatus) == 0 &&
           descriptorStatus.st_dev == otherStatus.st_dev &&
           descriptorStatus.st_ino == otherStatus.st_ino;
}

std::unique_ptr<OutputFile> StandardOutputFileSystem::OpenOutput(const std::string& path) {
    if (path != kPath) {
        return m_inner.OpenOutput(path);
    }
    struct stat status {};
    if (::fstat(m_descriptor, &status) != 0) {
        return nullptr;
    }
    return std::make_unique<DescriptorOutput>(m_descriptor,
                                              S_ISREG(status.st_mode) || S_ISBLK(status.st_mode));
}

}  // namespace quillet::cli
