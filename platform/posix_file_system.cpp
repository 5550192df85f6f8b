#include "platform/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "core/folder_listing.h"

namespace quillet::platform {

namespace {

// A path with a NUL byte would reach the system cut short, naming another file.
bool Usable(const std::string& path) noexcept {
    return path.find('\0') == std::string::npos;
}

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) noexcept : m_fd(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            Reset();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }
    ~UniqueFd() { Reset(); }

    [[nodiscard]] int Get() const noexcept { return m_fd; }
    [[nodiscard]] explicit operator bool() const noexcept { return m_fd >= 0; }
    int Release() noexcept { return std::exchange(m_fd, -1); }
    void Reset() noexcept {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

private:
    int m_fd;
};

// Closes and reports whether the close succeeded; the descriptor is gone either way.
bool CloseChecked(UniqueFd& fd) noexcept {
    return ::close(fd.Release()) == 0;
}

bool LockExclusively(int fd) noexcept {
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool ClearNonBlocking(int fd) noexcept {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

class PosixOutputFile final : public OutputFile {
public:
    PosixOutputFile(UniqueFd fd, bool durable) noexcept : m_fd(std::move(fd)), m_durable(durable) {}

    void Write(const char* bytes, std::size_t count) override {
        WriteAll(m_fd.Get(), bytes, count);
    }

    void Close() override {
        if (!m_fd) {
            return;
        }
        // The success message promises that the script is on disk.
        int error = 0;
        if (m_durable && ::fsync(m_fd.Get()) != 0) {
            error = errno;
        }
        if (!CloseChecked(m_fd) && error == 0) {
            error = errno;
        }
        if (error != 0) {
            throw CFileException(error);
        }
    }

    void Abort() noexcept override { m_fd.Reset(); }

private:
    UniqueFd m_fd;
    bool m_durable;  // fsync applies: regular files and block devices, not pipes or /dev/null
};

class PosixBaseScriptFile final : public BaseScriptFile {
public:
    explicit PosixBaseScriptFile(UniqueFd fd) noexcept : m_fd(std::move(fd)) {}

    std::uint64_t GetLength() override {
        struct stat status {};
        if (::fstat(m_fd.Get(), &status) != 0) {
            throw CFileException(errno);
        }
        return static_cast<std::uint64_t>(status.st_size);
    }

    void Read(char* buffer, std::size_t count) override {
        // One read as far as the caller is concerned; the system may hand large files over in
        // parts. The file ending early leaves the rest of the buffer as it was.
        std::size_t done = 0;
        while (done < count) {
            const ssize_t got =
                ::pread(m_fd.Get(), buffer + done, count - done, static_cast<off_t>(done));
            if (got < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throw CFileException(errno);
            }
            if (got == 0) {
                break;
            }
            done += static_cast<std::size_t>(got);
        }
    }

    void Close() override {
        if (m_fd && !CloseChecked(m_fd)) {
            throw CFileException(errno);
        }
    }

    void Abort() noexcept override { m_fd.Reset(); }

private:
    UniqueFd m_fd;
};

}  // namespace

void WriteAll(int descriptor, const char* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t written = ::write(descriptor, bytes, count);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd ready{descriptor, POLLOUT, 0};
                if (::poll(&ready, 1, -1) >= 0 || errno == EINTR) {
                    continue;
                }
            }
            throw CFileException(errno);
        }
        if (written == 0) {
            throw CFileException(ENOSPC);
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
}

bool PosixFileSystem::Exists(const std::string& path) {
    struct stat status {};
    return Usable(path) && ::lstat(path.c_str(), &status) == 0;
}

bool PosixFileSystem::IsSameFile(const std::string& left, const std::string& right) {
    struct stat leftStatus {};
    struct stat rightStatus {};
    return Usable(left) && Usable(right) && ::stat(left.c_str(), &leftStatus) == 0 &&
           ::stat(right.c_str(), &rightStatus) == 0 && leftStatus.st_dev == rightStatus.st_dev &&
           leftStatus.st_ino == rightStatus.st_ino;
}

bool PosixFileSystem::CanEnterAndList(const std::string& folder) {
    if (!Usable(folder)) {
        return false;
    }
    // Opening for reading proves it can be listed; search permission lets chdir enter it.
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd && ::faccessat(AT_FDCWD, folder.c_str(), X_OK, AT_EACCESS) == 0;
}

std::unique_ptr<OutputFile> PosixFileSystem::OpenOutput(const std::string& path) {
    if (!Usable(path)) {
        return nullptr;
    }
    // No O_TRUNC: the file is emptied only once the lock is ours.
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    struct stat status {};
    if (!fd || !LockExclusively(fd.Get()) || ::fstat(fd.Get(), &status) != 0) {
        return nullptr;
    }
    if (S_ISREG(status.st_mode) && ::ftruncate(fd.Get(), 0) != 0) {
        return nullptr;
    }
    if (!ClearNonBlocking(fd.Get())) {
        return nullptr;
    }
    const bool durable = S_ISREG(status.st_mode) || S_ISBLK(status.st_mode);
    return std::make_unique<PosixOutputFile>(std::move(fd), durable);
}

std::unique_ptr<BaseScriptFile> PosixFileSystem::OpenBaseScript(const std::string& path) {
    if (!Usable(path)) {
        return nullptr;
    }
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    // Regular files only: a folder, a FIFO or a device such as /dev/zero is no base script.
    if (!fd || ::fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        !LockExclusively(fd.Get()) || !ClearNonBlocking(fd.Get())) {
        return nullptr;
    }
    return std::make_unique<PosixBaseScriptFile>(std::move(fd));
}

bool PosixFileSystem::ChangeDirectory(const std::string& folder) {
    return Usable(folder) && ::chdir(folder.c_str()) == 0;
}

bool PosixFileSystem::CurrentDirectory(std::string& path) {
    std::vector<char> buffer(256);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return false;
        }
        buffer.resize(buffer.size() * 2);
    }
    // Linux marks a directory that is no longer reachable from the root this way.
    if (buffer[0] != '/') {
        return false;
    }
    path.assign(buffer.data());
    return true;
}

bool PosixFileSystem::ListCurrentDirectory(NameList& names) {
    DIR* directory = ::opendir(".");
    if (directory == nullptr) {
        return false;
    }
    bool complete = true;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(directory);
        if (entry == nullptr) {
            complete = errno == 0;
            break;
        }
        names.Add(entry->d_name);
    }
    ::closedir(directory);
    return complete;
}

}  // namespace quillet::platform
