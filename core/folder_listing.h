#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/code_page.h"

namespace quillet {

class FileSystem;
struct ListedEntry;

// Which folder entries a run expands: true for a name to expand. An empty filter takes every
// entry.
using EntryFilter = std::function<bool(std::string_view name)>;

// The names of one folder, packed into a single buffer: a folder can hold a million entries,
// and a string object per name would cost several times the names themselves.
class NameList {
public:
    void Add(std::string_view name);
    void Clear() noexcept;
    [[nodiscard]] std::size_t Size() const noexcept { return m_entries.size(); }
    [[nodiscard]] std::string_view operator[](std::size_t index) const noexcept;

    // Orders the names byte by byte, with a-z taken as A-Z; names equal that way are ordered by
    // their plain bytes.
    void SortByName();

private:
    struct Entry {
        std::uint64_t key;  // while sorting: eight case-folded bytes of the name, as one number
        std::size_t begin;  // where the name's length and bytes are stored in m_bytes
    };

    [[nodiscard]] std::string_view NameAt(std::size_t begin) const noexcept;

    std::string m_bytes;           // every name after its length, back to back
    std::vector<Entry> m_entries;  // in listing order, then in name order
};

// True when `left` sorts before `right` in the listing's order (see NameList::SortByName).
bool NameLess(std::string_view left, std::string_view right) noexcept;

// The title of a name: the bytes before its last '.' (found character by character), or the
// whole name when it has none; at most 255 bytes, 254 when the 255th byte would begin a
// double-byte character. A lead byte that is the name's last byte is never part of it.
std::string FileTitle(std::string_view name, CodePage codePage);
// The same title, as the part of `name` it is.
std::string_view FileTitleOf(std::string_view name, CodePage codePage) noexcept;

// The full path of an entry: the listed folder's absolute path, then '/' unless that path
// already ends in a '/' character (the root directory), then the name.
std::string FullPath(std::string_view root, std::string_view name, CodePage codePage);

// True when the name holds a byte 0x01-0x1F or 0x7F: copied into a script, a line feed or a
// carriage return in a name would start a command of its own.
bool HoldsControlByte(std::string_view name) noexcept;

// The enumeration of the current directory that the generation run walks, in the manner of
// the original folder enumerator: FindFile opens it and fetches the first entry;
// FindNextFile makes the fetched entry current and tells whether another one follows, so the
// last entry becomes current in the call that returns false and is still to be visited.
class FolderListing {
public:
    enum class Opening { kEntries, kNoEntries, kFailed };

    FolderListing(FileSystem& fileSystem, CodePage codePage);

    // Lists the current directory whole, sorts it, and takes the directory's absolute path as
    // the root of every full path. kFailed when the folder cannot be read or its path cannot
    // be had: the listing then has no entries, and the caller reports it.
    Opening FindFile();
    bool FindNextFile();

    [[nodiscard]] std::string GetFileName() const;
    [[nodiscard]] std::string GetFilePath() const;
    [[nodiscard]] std::string GetFileTitle() const;
    // The current entry's name without a copy, valid until the listing changes.
    [[nodiscard]] std::string_view GetFileNameView() const noexcept;
    // The current entry's name, full path and title, written over `entry`'s texts: a long
    // listing then costs no allocation per entry once the texts have grown long enough.
    void GetListedEntry(ListedEntry& entry) const;

    // Only names that `included` takes count: a name the run will not expand never reaches the
    // script.
    [[nodiscard]] bool AnyNameHoldsControlByte(const EntryFilter& included = {}) const;

private:
    FileSystem& m_fileSystem;
    CodePage m_codePage;
    NameList m_names;
    std::string m_root;
    bool m_rootEndsInSeparator = false;
    std::size_t m_next = 0;
    std::size_t m_current = 0;
    bool m_open = false;
};

}  // namespace quillet
