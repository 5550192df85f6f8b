#include "cli/base_script_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>

#include "core/expansion.h"

namespace quillet::cli {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) noexcept : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor(Descriptor&&) = delete;
    Descriptor& operator=(Descriptor&&) = delete;
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    [[nodiscard]] int Get() const noexcept { return m_fd; }

private:
    int m_fd;
};

// Reads to the end, or to `limit` bytes (EFBIG beyond); the system's error number, or 0.
int ReadToEnd(int fd, std::string& bytes, std::size_t limit) {
    std::array<char, std::size_t{64} * 1024> chunk{};
    for (;;) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (got == 0) {
            return 0;
        }
        if (static_cast<std::size_t>(got) > limit - bytes.size()) {
            return EFBIG;
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

}  // namespace

BaseScriptFindings CheckBaseScript(std::string_view fileBytes, CodePage codePage) {
    const std::string_view text = fileBytes.substr(0, fileBytes.find('\0'));
    BaseScriptFindings findings;
    findings.lastLineUnended = !text.empty() && text.back() != '\n' && text.back() != '\r';
    constexpr std::array<std::string_view, 4> kTokens{kTargetFolderToken, kTargetFilePathToken,
                                                      kTargetFileNameToken, kTargetFileTitleToken};
    findings.noPlaceholder = std::ranges::none_of(kTokens, [&](std::string_view token) {
        return FindCharacter(text, token, 0, codePage) != std::string_view::npos;
    });
    return findings;
}

std::optional<std::string> ReadBaseScriptForCheck(const std::string& path) {
    if (path.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    // Non-blocking: a FIFO without a writer must not hold the program up before the run.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::uint64_t>(status.st_size) > kLargestCheckedBaseScript) {
        return std::nullopt;
    }
    std::string bytes;
    if (ReadToEnd(fd.Get(), bytes, kLargestCheckedBaseScript) != 0) {
        return std::nullopt;
    }
    return bytes;
}

int ReadWholeFile(const std::string& path, std::string& bytes) {
    if (path.find('\0') != std::string::npos) {
        return ENOENT;
    }
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0) {
        return errno;
    }
    bytes.clear();
    const int failure = ReadToEnd(fd.Get(), bytes, kLargestPieceFile);
    if (failure != 0) {
        bytes.clear();
    }
    return failure;
}

std::vector<std::string_view> WarningTexts(const BaseScriptFindings& findings) {
    std::vector<std::string_view> texts;
    if (findings.lastLineUnended) {
        texts.push_back(warnings::kLastLineUnended);
    }
    if (findings.noPlaceholder) {
        texts.push_back(warnings::kNoPlaceholder);
    }
    return texts;
}

}  // namespace quillet::cli
