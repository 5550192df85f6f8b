#include "core/folder_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/file_system.h"
#include "core/listed_entry.h"
#include "support/scenario_name.h"

namespace quillet {
namespace {

struct TitleCase {
    const char* scenario;
    std::string name;
    std::string under932;
    std::string underNone;
};

class FileTitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(FileTitleTest, TakesTheNameUpToItsLastDot) {
    const TitleCase& c = GetParam();
    EXPECT_EQ(FileTitle(c.name, CodePage::Cp932), c.under932);
    EXPECT_EQ(FileTitle(c.name, CodePage::None), c.underNone);
}

const std::string k300 = std::string(300, 'a');
// 254 ASCII bytes, then a double-byte character across the 255-byte limit.
const std::string kSplitAt255 = std::string(254, 'a') + "\x95\\" + "bc";

INSTANTIATE_TEST_SUITE_P(
    Cases, FileTitleTest,
    ::testing::Values(TitleCase{"extension", "plan.dwg", "plan", "plan"},
                      TitleCase{"several dots", "a.b.c", "a.b", "a.b"},
                      TitleCase{"tar gz", "archive.tar.gz", "archive.tar", "archive.tar"},
                      TitleCase{"no dot", "README", "README", "README"},
                      TitleCase{"leading dot only", ".hidden", "", ""},
                      TitleCase{"trailing dot", "name.", "name", "name"},
                      TitleCase{"dot entries", "..", ".", "."},
                      TitleCase{"0x5C second byte kept", "\x95\\.dwg", "\x95\\", "\x95\\"},
                      TitleCase{"backslash and colon are ordinary", "C:a\\b.c", "C:a\\b", "C:a\\b"},
                      TitleCase{"dot as a second byte is not a dot", "\x95.x", "\x95.x", "\x95"},
                      TitleCase{"trailing lone lead byte left out", "ab\x81", "ab", "ab\x81"},
                      TitleCase{"trailing lone lead byte after a dot", "a.b\x81", "a", "a"},
                      TitleCase{"long name capped at 255", k300, std::string(255, 'a'),
                                std::string(255, 'a')},
                      TitleCase{"limit never splits a character", kSplitAt255,
                                std::string(254, 'a'), kSplitAt255.substr(0, 255)},
                      TitleCase{"dot beyond the limit", k300 + ".dwg", std::string(255, 'a'),
                                std::string(255, 'a')},
                      TitleCase{"empty", "", "", ""}),
    testing::ScenarioName());

TEST(FullPath, JoinsWithOneSlashAndNoneAfterTheRoot) {
    EXPECT_EQ(FullPath("/work/dwg", "plan.dwg", CodePage::Cp932), "/work/dwg/plan.dwg");
    EXPECT_EQ(FullPath("/", "plan.dwg", CodePage::Cp932), "/plan.dwg");
    EXPECT_EQ(FullPath("/", "plan.dwg", CodePage::None), "/plan.dwg");
    // A folder named 工程表 (its last byte 0x5C) still gets its separator.
    EXPECT_EQ(FullPath("/work/\x8D\x48\x92\xF6\x95\\", "plan.dwg", CodePage::Cp932),
              "/work/\x8D\x48\x92\xF6\x95\\/plan.dwg");
    EXPECT_EQ(FullPath("/work", "a\\b", CodePage::None), "/work/a\\b");
    // A folder named by a lone lead byte: the '/' before it is not the root's end.
    EXPECT_EQ(FullPath("/work/\x81", "plan.dwg", CodePage::Cp932), "/work/\x81/plan.dwg");
    EXPECT_EQ(FullPath("/\x81", "plan.dwg", CodePage::Cp932), "/\x81/plan.dwg");
}

TEST(NameLess, SortsCaseFoldedBytesThenPlainBytes) {
    std::vector<std::string> names{"b.dwg",        "_x", "B.dwg", "a",  ".",  "..", "A",
                                   "\xE3\x81\x82", "Z",  "[",     "ab", "aB", "~"};
    std::ranges::sort(names,
                      [](const std::string& l, const std::string& r) { return NameLess(l, r); });
    const std::vector<std::string> expected{".",     "..", "A", "a",  "aB", "ab",          "B.dwg",
                                            "b.dwg", "Z",  "[", "_x", "~",  "\xE3\x81\x82"};
    EXPECT_EQ(names, expected);
}

// Every pair of short names over letters of both cases, a sign between them in byte order and a
// byte above 0x7F, against the order written out plainly: the names with a-z taken as A-Z
// compared byte by byte, and the plain bytes where that finds them equal.
TEST(NameLess, AgreesWithFoldedThenPlainOrderOnEveryShortName) {
    const std::string alphabet = "aAbB_\xE3";
    std::vector<std::string> names{""};
    for (std::size_t begin = 0, length = 1; length <= 3; ++length) {
        const std::size_t end = names.size();
        for (std::size_t index = begin; index < end; ++index) {
            for (const char c : alphabet) {
                names.push_back(names[index] + c);
            }
        }
        begin = end;
    }
    const auto folded = [](std::string name) {
        for (char& c : name) {
            c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
        }
        return name;
    };
    const auto bytes = [](const std::string& name) {
        return std::vector<unsigned char>(name.begin(), name.end());
    };
    int disagreements = 0;
    for (const std::string& left : names) {
        for (const std::string& right : names) {
            const auto l = bytes(folded(left));
            const auto r = bytes(folded(right));
            const bool expected = l != r ? l < r : bytes(left) < bytes(right);
            if (NameLess(left, right) != expected && ++disagreements <= 5) {
                ADD_FAILURE() << "'" << left << "' < '" << right << "' should be " << expected;
            }
        }
    }
    EXPECT_EQ(disagreements, 0);
}

TEST(NameList, KeepsEveryNameByteForByteAndSortsAsNameLess) {
    // Names that share a long prefix and differ inside or beyond the eight bytes after it, in
    // case only, as prefixes of each other; lengths around every step of the stored length.
    const std::string shared = "project-bridge-";
    std::vector<std::string> names{".",
                                   "..",
                                   shared + "a-000000001.dwg",
                                   shared + "A-000000001.dwg",
                                   shared + "a-000000002.dwg",
                                   shared + "a-00000000",
                                   shared + "a-00000000-",
                                   shared + "a",
                                   shared,
                                   shared + "B",
                                   shared + "_",
                                   shared + "\xE3\x81\x82",
                                   shared + std::string("nul\0inside", 10),
                                   shared + std::string(127 - shared.size(), 'm'),
                                   shared + std::string(128 - shared.size(), 'm'),
                                   shared + std::string(20000, 'M'),
                                   shared + std::string(20000, 'M') + "a"};
    std::ranges::shuffle(names, std::mt19937(7));
    NameList list;
    for (const std::string& name : names) {
        list.Add(name);
    }
    ASSERT_EQ(list.Size(), names.size());
    for (std::size_t index = 0; index < names.size(); ++index) {
        EXPECT_EQ(list[index], names[index]) << "listing order, before sorting";
    }
    list.SortByName();
    std::ranges::sort(names, NameLess);
    for (std::size_t index = 0; index < names.size(); ++index) {
        EXPECT_EQ(list[index], names[index]) << "at " << index;
    }
}

TEST(HoldsControlByte, FlagsC0BytesAndDeleteOnly) {
    for (const char* name : {"a\nb", "a\rb", "\tx", "x\x1F", "x\x7F", "\x01"}) {
        EXPECT_TRUE(HoldsControlByte(name)) << name;
    }
    for (const char* name : {"plan.dwg", " spaced name ", "\x80\xFF", "\x95\\", "~"}) {
        EXPECT_FALSE(HoldsControlByte(name)) << name;
    }
}

// Serves a fixed listing; every file operation is out of place here.
class ListingOnlyFileSystem final : public FileSystem {
public:
    std::vector<std::string> names;
    std::string root = "/target";
    bool listingFails = false;
    bool rootFails = false;

    bool Exists(const std::string&) override { return Unexpected(); }
    bool IsSameFile(const std::string&, const std::string&) override { return Unexpected(); }
    bool CanEnterAndList(const std::string&) override { return Unexpected(); }
    std::unique_ptr<OutputFile> OpenOutput(const std::string&) override {
        return Unexpected(), nullptr;
    }
    std::unique_ptr<BaseScriptFile> OpenBaseScript(const std::string&) override {
        return Unexpected(), nullptr;
    }
    bool ChangeDirectory(const std::string&) override { return Unexpected(); }
    bool CurrentDirectory(std::string& path) override {
        path = root;
        return !rootFails;
    }
    bool ListCurrentDirectory(NameList& list) override {
        for (const std::string& name : names) {
            list.Add(name);
        }
        return !listingFails;
    }

private:
    static bool Unexpected() {
        ADD_FAILURE() << "the listing touched a file";
        return false;
    }
};

// The loop that the generation run follows over a listing.
std::vector<ListedEntry> Visit(FolderListing& listing) {
    std::vector<ListedEntry> visited;
    if (listing.FindFile() != FolderListing::Opening::kEntries) {
        return visited;
    }
    bool more = true;
    ListedEntry reused;
    while (more) {
        more = listing.FindNextFile();
        visited.push_back({listing.GetFileName(), listing.GetFilePath(), listing.GetFileTitle()});
        EXPECT_EQ(listing.GetFileNameView(), visited.back().m_strFileName);
        listing.GetListedEntry(reused);  // the run's way: one entry's texts written over
        EXPECT_EQ(reused.m_strFileName, visited.back().m_strFileName);
        EXPECT_EQ(reused.m_strFilePath, visited.back().m_strFilePath);
        EXPECT_EQ(reused.m_strFileTitle, visited.back().m_strFileTitle);
    }
    return visited;
}

TEST(FolderListing, VisitsEveryEntryOnceInNameOrderTheLastOneIncluded) {
    ListingOnlyFileSystem fileSystem;
    fileSystem.names = {"b.dwg", ".", "old", "..", "A.DWG", ".hidden"};
    FolderListing listing(fileSystem, CodePage::Cp932);

    const std::vector<ListedEntry> visited = Visit(listing);

    ASSERT_EQ(visited.size(), 6U);
    const std::vector<std::string> expectedNames{".", "..", ".hidden", "A.DWG", "b.dwg", "old"};
    for (std::size_t i = 0; i < visited.size(); ++i) {
        EXPECT_EQ(visited[i].m_strFileName, expectedNames[i]);
        EXPECT_EQ(visited[i].m_strFilePath, "/target/" + expectedNames[i]);
    }
    EXPECT_EQ(visited[2].m_strFileTitle, "");
    EXPECT_EQ(visited[3].m_strFileTitle, "A");
    EXPECT_EQ(visited[5].m_strFileTitle, "old");
    EXPECT_FALSE(listing.FindNextFile()) << "stepping past the end fetches nothing";
}

TEST(FolderListing, SingleEntryIsVisited) {
    ListingOnlyFileSystem fileSystem;
    fileSystem.names = {"only.dwg"};
    fileSystem.root = "/";
    FolderListing listing(fileSystem, CodePage::None);
    const std::vector<ListedEntry> visited = Visit(listing);
    ASSERT_EQ(visited.size(), 1U);
    EXPECT_EQ(visited[0].m_strFilePath, "/only.dwg");
}

TEST(FolderListing, ReportsEmptyAndFailedListingsApart) {
    ListingOnlyFileSystem fileSystem;
    FolderListing listing(fileSystem, CodePage::None);
    EXPECT_EQ(listing.FindFile(), FolderListing::Opening::kNoEntries);
    EXPECT_FALSE(listing.FindNextFile());

    fileSystem.names = {"a", "b"};
    fileSystem.listingFails = true;
    EXPECT_EQ(listing.FindFile(), FolderListing::Opening::kFailed);
    EXPECT_FALSE(listing.FindNextFile()) << "a failed listing yields nothing, not a partial list";

    fileSystem.listingFails = false;
    fileSystem.rootFails = true;
    EXPECT_EQ(listing.FindFile(), FolderListing::Opening::kFailed);
}

TEST(FolderListing, FindsControlBytesInAnyName) {
    ListingOnlyFileSystem fileSystem;
    fileSystem.names = {".", "..", "a.dwg", "evil\n_ERASE ALL\n.dwg"};
    FolderListing listing(fileSystem, CodePage::None);
    ASSERT_EQ(listing.FindFile(), FolderListing::Opening::kEntries);
    EXPECT_TRUE(listing.AnyNameHoldsControlByte());

    fileSystem.names = {".", "..", "a.dwg"};
    ASSERT_EQ(listing.FindFile(), FolderListing::Opening::kEntries);
    EXPECT_FALSE(listing.AnyNameHoldsControlByte());
}

}  // namespace
}  // namespace quillet
