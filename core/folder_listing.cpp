#include "core/folder_listing.h"

#include <algorithm>

#include "core/file_system.h"
#include "core/listed_entry.h"

namespace quillet {

namespace {

constexpr std::size_t kMaxTitleBytes = 255;

constexpr unsigned char FoldCase(unsigned char byte) noexcept {
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - ('a' - 'A')) : byte;
}

}  // namespace

void NameList::Add(std::string_view name) {
    const std::size_t begin = m_bytes.size();
    // The length first, seven bits to a byte, low bits first: one byte for every real name.
    std::size_t length = name.size();
    while (length >= 0x80) {
        m_bytes.push_back(static_cast<char>((length & 0x7F) | 0x80));
        length >>= 7;
    }
    m_bytes.push_back(static_cast<char>(length));
    m_bytes.append(name);
    m_entries.push_back({0, begin});
}

void NameList::Clear() noexcept {
    m_bytes.clear();
    m_entries.clear();
}

std::string_view NameList::NameAt(std::size_t begin) const noexcept {
    std::size_t length = 0;
    unsigned shift = 0;
    std::size_t at = begin;
    for (;;) {
        const auto byte = static_cast<unsigned char>(m_bytes[at++]);
        length |= static_cast<std::size_t>(byte & 0x7FU) << shift;
        if ((byte & 0x80U) == 0) {
            break;
        }
        shift += 7;
    }
    return std::string_view(m_bytes).substr(at, length);
}

std::string_view NameList::operator[](std::size_t index) const noexcept {
    return NameAt(m_entries[index].begin);
}

void NameList::SortByName() {
    // Names are compared eight case-folded bytes at a time, as one number kept beside each
    // name: one pass sorts by the first eight, and only names that tie there are sorted again
    // by the next eight. Large folders of names such as "drawing-000001.dwg" are then sorted
    // without reaching into the names at all, and where a tie goes to the end of the names,
    // NameLess decides among the few that tie.
    struct Range {
        std::size_t begin;
        std::size_t end;
        std::size_t depth;
    };
    std::vector<Range> pending{{0, m_entries.size(), 0}};
    while (!pending.empty()) {
        const Range range = pending.back();
        pending.pop_back();
        const auto first = m_entries.begin() + static_cast<std::ptrdiff_t>(range.begin);
        const auto last = m_entries.begin() + static_cast<std::ptrdiff_t>(range.end);
        for (auto entry = first; entry != last; ++entry) {
            const std::string_view name = NameAt(entry->begin);
            std::uint64_t key = 0;
            for (std::size_t at = range.depth; at < range.depth + 8; ++at) {
                // A name that ends sorts before every longer one: its missing bytes count as 0.
                const unsigned char byte =
                    at < name.size() ? FoldCase(static_cast<unsigned char>(name[at])) : 0;
                key = (key << 8) | byte;
            }
            entry->key = key;
        }
        std::sort(first, last,
                  [](const Entry& left, const Entry& right) { return left.key < right.key; });
        for (auto tie = first; tie != last;) {
            const auto tieEnd = std::find_if(
                tie, last, [key = tie->key](const Entry& entry) { return entry.key != key; });
            if (tieEnd - tie > 1) {
                const bool goesOn = std::any_of(tie, tieEnd, [&](const Entry& entry) {
                    return NameAt(entry.begin).size() > range.depth + 8;
                });
                if (goesOn) {
                    pending.push_back({static_cast<std::size_t>(tie - m_entries.begin()),
                                       static_cast<std::size_t>(tieEnd - m_entries.begin()),
                                       range.depth + 8});
                } else {
                    std::sort(tie, tieEnd, [this](const Entry& left, const Entry& right) {
                        return NameLess(NameAt(left.begin), NameAt(right.begin));
                    });
                }
            }
            tie = tieEnd;
        }
    }
}

bool NameLess(std::string_view left, std::string_view right) noexcept {
    // Names in one folder tend to share long prefixes ("drawing-0001", "drawing-0002"): the
    // equal bytes are skipped with a plain comparison, which agrees with the case-folded one
    // wherever the bytes are the same.
    const std::size_t common = std::min(left.size(), right.size());
    const auto firstDifference = static_cast<std::size_t>(
        std::ranges::mismatch(left.substr(0, common), right.substr(0, common)).in1 - left.begin());
    if (firstDifference == common) {
        return left.size() < right.size();  // one is a prefix of the other, folded or not
    }
    for (std::size_t at = firstDifference; at < common; ++at) {
        const unsigned char a = FoldCase(static_cast<unsigned char>(left[at]));
        const unsigned char b = FoldCase(static_cast<unsigned char>(right[at]));
        if (a != b) {
            return a < b;
        }
    }
    if (left.size() != right.size()) {
        return left.size() < right.size();
    }
    // Equal but for case: the plain bytes decide, at the first place where they differ.
    return static_cast<unsigned char>(left[firstDifference]) <
           static_cast<unsigned char>(right[firstDifference]);
}

std::string_view FileTitleOf(std::string_view name, CodePage codePage) noexcept {
    std::size_t end = 0;  // where the walk stopped: a trailing lone lead byte is left out
    std::size_t lastDot = std::string_view::npos;
    std::size_t cap = std::min(name.size(), kMaxTitleBytes);
    WalkCharacters(name, codePage, [&](std::size_t position, std::size_t length) {
        if (length == 1 && name[position] == '.') {
            lastDot = position;
        }
        if (position < kMaxTitleBytes && position + length > kMaxTitleBytes) {
            cap = position;  // the 255-byte limit would split this character
        }
        end = position + length;
    });
    const std::size_t titleEnd = lastDot != std::string_view::npos ? lastDot : end;
    return name.substr(0, std::min(titleEnd, cap));
}

std::string FileTitle(std::string_view name, CodePage codePage) {
    return std::string(FileTitleOf(name, codePage));
}

namespace {

// Only a '/' that is the root's last byte counts: a lead byte with no second byte after it ends
// the walk unvisited, and the '/' before it must not pass for the root's end, or the name would
// run into the folder's own name.
bool EndsInSeparator(std::string_view root, CodePage codePage) noexcept {
    bool endsInSeparator = false;
    WalkCharacters(root, codePage, [&](std::size_t position, std::size_t length) {
        endsInSeparator = length == 1 && root[position] == '/' && position + 1 == root.size();
    });
    return endsInSeparator;
}

void AssignFullPath(std::string& path, std::string_view root, bool rootEndsInSeparator,
                    std::string_view name) {
    path.assign(root);
    if (!rootEndsInSeparator) {
        path.push_back('/');
    }
    path.append(name);
}

}  // namespace

std::string FullPath(std::string_view root, std::string_view name, CodePage codePage) {
    std::string path;
    path.reserve(root.size() + 1 + name.size());
    AssignFullPath(path, root, EndsInSeparator(root, codePage), name);
    return path;
}

bool HoldsControlByte(std::string_view name) noexcept {
    return std::ranges::any_of(name, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= 0x01 && byte <= 0x1F) || byte == 0x7F;
    });
}

FolderListing::FolderListing(FileSystem& fileSystem, CodePage codePage)
    : m_fileSystem(fileSystem), m_codePage(codePage) {}

FolderListing::Opening FolderListing::FindFile() {
    m_open = false;
    m_names.Clear();
    if (!m_fileSystem.ListCurrentDirectory(m_names) || !m_fileSystem.CurrentDirectory(m_root)) {
        m_names.Clear();
        return Opening::kFailed;
    }
    if (m_names.Size() == 0) {
        return Opening::kNoEntries;
    }
    m_names.SortByName();
    m_rootEndsInSeparator = EndsInSeparator(m_root, m_codePage);
    m_open = true;
    m_next = 0;
    return Opening::kEntries;
}

bool FolderListing::FindNextFile() {
    if (!m_open) {
        return false;
    }
    m_current = m_next;
    m_next = m_current + 1;
    return m_next < m_names.Size();
}

std::string_view FolderListing::GetFileNameView() const noexcept {
    return m_open ? m_names[m_current] : std::string_view{};
}

std::string FolderListing::GetFileName() const {
    return std::string(GetFileNameView());
}

std::string FolderListing::GetFilePath() const {
    std::string path;
    AssignFullPath(path, m_root, m_rootEndsInSeparator, GetFileNameView());
    return path;
}

std::string FolderListing::GetFileTitle() const {
    return FileTitle(GetFileNameView(), m_codePage);
}

void FolderListing::GetListedEntry(ListedEntry& entry) const {
    const std::string_view name = GetFileNameView();
    entry.m_strFileName.assign(name);
    AssignFullPath(entry.m_strFilePath, m_root, m_rootEndsInSeparator, name);
    entry.m_strFileTitle.assign(FileTitleOf(name, m_codePage));
}

bool FolderListing::AnyNameHoldsControlByte(const EntryFilter& included) const {
    for (std::size_t index = 0; index < m_names.Size(); ++index) {
        const std::string_view name = m_names[index];
        if (HoldsControlByte(name) && (!included || included(name))) {
            return true;
        }
    }
    return false;
}

}  // namespace quillet
