#include "core/folder_listing.h"

#include <algorithm>
#include <compare>

#include "core/file_system.h"

namespace quillet {

namespace {

constexpr std::size_t kMaxTitleBytes = 255;

constexpr unsigned char FoldCase(unsigned char byte) noexcept {
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - ('a' - 'A')) : byte;
}

}  // namespace

void NameList::Add(std::string_view name) {
    m_bytes.append(name);
    m_order.push_back(m_ends.size());
    m_ends.push_back(m_bytes.size());
}

void NameList::Clear() noexcept {
    m_bytes.clear();
    m_ends.clear();
    m_order.clear();
}

std::string_view NameList::Stored(std::size_t slot) const noexcept {
    const std::size_t begin = slot == 0 ? 0 : m_ends[slot - 1];
    return std::string_view(m_bytes).substr(begin, m_ends[slot] - begin);
}

std::string_view NameList::operator[](std::size_t index) const noexcept {
    return Stored(m_order[index]);
}

void NameList::SortByName() {
    // Sorting a permutation keeps the names where they are: no second copy of them is needed.
    std::ranges::sort(m_order, [this](std::size_t left, std::size_t right) {
        return NameLess(Stored(left), Stored(right));
    });
}

bool NameLess(std::string_view left, std::string_view right) noexcept {
    const auto folded = std::lexicographical_compare_three_way(
        left.begin(), left.end(), right.begin(), right.end(), [](char a, char b) {
            return FoldCase(static_cast<unsigned char>(a)) <=>
                   FoldCase(static_cast<unsigned char>(b));
        });
    if (std::is_neq(folded)) {
        return std::is_lt(folded);
    }
    return std::ranges::lexicographical_compare(left, right, [](char a, char b) {
        return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
    });
}

std::string FileTitle(std::string_view name, CodePage codePage) {
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
    return std::string(name.substr(0, std::min(titleEnd, cap)));
}

std::string FullPath(std::string_view root, std::string_view name, CodePage codePage) {
    bool endsInSeparator = false;
    WalkCharacters(root, codePage, [&](std::size_t position, std::size_t length) {
        endsInSeparator = length == 1 && root[position] == '/';
    });
    std::string path;
    path.reserve(root.size() + 1 + name.size());
    path.append(root);
    if (!endsInSeparator) {
        path.push_back('/');
    }
    path.append(name);
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

std::string_view FolderListing::CurrentName() const noexcept {
    return m_open ? m_names[m_current] : std::string_view{};
}

std::string FolderListing::GetFileName() const {
    return std::string(CurrentName());
}

std::string FolderListing::GetFilePath() const {
    return FullPath(m_root, CurrentName(), m_codePage);
}

std::string FolderListing::GetFileTitle() const {
    return FileTitle(CurrentName(), m_codePage);
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
