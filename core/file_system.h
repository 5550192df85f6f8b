#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>

namespace quillet {

class NameList;

// A failed file operation in the middle of a run: a read or write error, a full disk, a failed
// close. The run does not look inside; it ends with its cancellation message.
class CFileException : public std::exception {
public:
    explicit CFileException(int error = 0) noexcept : m_error(error) {}
    [[nodiscard]] int Error() const noexcept { return m_error; }
    [[nodiscard]] const char* what() const noexcept override { return "file operation failed"; }

private:
    int m_error;
};

// The script being written. Held exclusively from its opening to its closing.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    // All bytes, or CFileException; a count of 0 writes nothing.
    virtual void Write(const char* bytes, std::size_t count) = 0;
    // Makes the written bytes durable and closes; CFileException when either fails, the file
    // counting as closed all the same.
    virtual void Close() = 0;
    // Closes if still open, ignoring every failure; never throws.
    virtual void Abort() noexcept = 0;
};

// The base script, held exclusively while the run reads it.
class BaseScriptFile {
public:
    virtual ~BaseScriptFile() = default;
    virtual std::uint64_t GetLength() = 0;
    // Reads up to `count` bytes from the start into `buffer`; bytes that the file does not
    // deliver stay as they were. CFileException on a read error.
    virtual void Read(char* buffer, std::size_t count) = 0;
    virtual void Close() = 0;
    virtual void Abort() noexcept = 0;
};

// Every file and folder operation of a generation run. Paths are byte strings, taken as they
// are; a path that the system cannot take (one holding a NUL byte) fails like a missing file.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // True when anything exists at the path, readable or not, a dangling link included.
    virtual bool Exists(const std::string& path) = 0;
    // True when both paths name the same file (hard links and symbolic links included).
    virtual bool IsSameFile(const std::string& left, const std::string& right) = 0;
    // True when the path is a folder that can be made the current directory and be listed.
    virtual bool CanEnterAndList(const std::string& folder) = 0;

    // Opens for writing, creating the file or emptying it, held exclusively; nullptr when that
    // fails. A file that another holder has is neither opened nor emptied.
    virtual std::unique_ptr<OutputFile> OpenOutput(const std::string& path) = 0;
    // Opens an existing regular file for reading, held exclusively; nullptr when that fails.
    virtual std::unique_ptr<BaseScriptFile> OpenBaseScript(const std::string& path) = 0;

    virtual bool ChangeDirectory(const std::string& folder) = 0;
    // The absolute path of the current directory; false when it cannot be had.
    virtual bool CurrentDirectory(std::string& path) = 0;
    // Every name in the current directory, "." and ".." included, in the system's order;
    // false when the folder cannot be read to its end.
    virtual bool ListCurrentDirectory(NameList& names) = 0;
};

}  // namespace quillet
