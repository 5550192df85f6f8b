#include "platform/posix_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/folder_listing.h"
#include "support/descriptors.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace quillet::platform {
namespace {

using quillet::testing::CurrentDirectoryGuard;
using quillet::testing::OpenDescriptors;
using quillet::testing::ReadFile;
using quillet::testing::RunUnprivileged;
using quillet::testing::TempDir;
using quillet::testing::WriteFile;
using namespace std::string_literals;

class PosixFileSystemTest : public ::testing::Test {
protected:
    TempDir dir;
    PosixFileSystem fileSystem;
};

TEST_F(PosixFileSystemTest, ExistsForEverythingAtThePathEvenWhatCannotBeRead) {
    WriteFile(dir / "plain", "x");
    WriteFile(dir / "locked", "x");
    ::chmod((dir / "locked").c_str(), 0);
    ASSERT_EQ(::symlink("nowhere", (dir / "dangling").c_str()), 0);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);

    for (const char* name : {"plain", "locked", "dangling", "fifo"}) {
        EXPECT_TRUE(fileSystem.Exists(dir / name)) << name;
    }
    EXPECT_TRUE(fileSystem.Exists(dir.Path()));
    EXPECT_FALSE(fileSystem.Exists(dir / "missing"));
    EXPECT_FALSE(fileSystem.Exists(""));
    EXPECT_FALSE(fileSystem.Exists(dir.Path() + "\0/missing"s))
        << "a NUL byte must not cut the path";
}

TEST_F(PosixFileSystemTest, IsSameFileSeesThroughHardAndSymbolicLinks) {
    WriteFile(dir / "base.scr", "x");
    WriteFile(dir / "other.scr", "x");
    ASSERT_EQ(::link((dir / "base.scr").c_str(), (dir / "hard").c_str()), 0);
    ASSERT_EQ(::symlink("base.scr", (dir / "soft").c_str()), 0);

    EXPECT_TRUE(fileSystem.IsSameFile(dir / "base.scr", dir / "base.scr"));
    EXPECT_TRUE(fileSystem.IsSameFile(dir / "hard", dir / "base.scr"));
    EXPECT_TRUE(fileSystem.IsSameFile(dir / "soft", dir / "base.scr"));
    EXPECT_TRUE(fileSystem.IsSameFile(dir.Path() + "/./base.scr", dir / "base.scr"));
    EXPECT_FALSE(fileSystem.IsSameFile(dir / "other.scr", dir / "base.scr"));
    EXPECT_FALSE(fileSystem.IsSameFile(dir / "missing", dir / "base.scr"));
    EXPECT_FALSE(fileSystem.IsSameFile(dir / "base.scr", ""));
}

TEST_F(PosixFileSystemTest, CanEnterAndListOnlyFoldersWithTheRights) {
    WriteFile(dir / "file", "x");
    ASSERT_EQ(::mkdir((dir / "sub").c_str(), 0700), 0);
    ASSERT_EQ(::symlink("sub", (dir / "link").c_str()), 0);

    EXPECT_TRUE(fileSystem.CanEnterAndList(dir / "sub"));
    EXPECT_TRUE(fileSystem.CanEnterAndList(dir / "link"));
    EXPECT_TRUE(fileSystem.CanEnterAndList("/"));
    EXPECT_FALSE(fileSystem.CanEnterAndList(""));
    EXPECT_FALSE(fileSystem.CanEnterAndList(dir / "missing"));
    EXPECT_FALSE(fileSystem.CanEnterAndList(dir / "file"));
}

TEST_F(PosixFileSystemTest, CanEnterAndListRefusesFoldersWithoutReadOrSearchRights) {
    ::chmod(dir.Path().c_str(), 0755);
    ASSERT_EQ(::mkdir((dir / "unreadable").c_str(), 0311), 0);
    ASSERT_EQ(::mkdir((dir / "unenterable").c_str(), 0666), 0);
    ASSERT_EQ(::mkdir((dir / "open").c_str(), 0755), 0);
    const std::string failure = RunUnprivileged([&]() -> std::string {
        if (fileSystem.CanEnterAndList(dir / "unreadable")) {
            return "a folder without read rights was taken as listable";
        }
        if (fileSystem.CanEnterAndList(dir / "unenterable")) {
            return "a folder without search rights was taken as enterable";
        }
        if (!fileSystem.CanEnterAndList(dir / "open")) {
            return "an open folder was refused";
        }
        return {};
    });
    EXPECT_EQ(failure, "");
}

TEST_F(PosixFileSystemTest, OutputIsCreatedOrEmptiedAndWrittenWhole) {
    const std::string path = dir / "out.scr";
    {
        auto output = fileSystem.OpenOutput(path);
        ASSERT_NE(output, nullptr);
        output->Write("abc", 3);
        output->Write("", 0);
        output->Close();
    }
    EXPECT_EQ(ReadFile(path), "abc");

    WriteFile(path, "a much longer former content");
    auto output = fileSystem.OpenOutput(path);
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(ReadFile(path), "") << "replaced, not appended to";
    std::string big(1 << 20, 'z');
    output->Write(big.data(), big.size());
    output->Close();
    EXPECT_EQ(ReadFile(path), big);
}

TEST_F(PosixFileSystemTest, HeldOutputIsNeitherOpenedNorEmptiedBySecondHolder) {
    const std::string path = dir / "out.scr";
    WriteFile(path, "held");
    auto first = fileSystem.OpenOutput(path);
    ASSERT_NE(first, nullptr);
    first->Write("new", 3);

    EXPECT_EQ(fileSystem.OpenOutput(path), nullptr);
    EXPECT_EQ(fileSystem.OpenBaseScript(path), nullptr);
    EXPECT_EQ(ReadFile(path), "new");

    first->Close();
    EXPECT_NE(fileSystem.OpenOutput(path), nullptr) << "released by the close";
}

TEST_F(PosixFileSystemTest, OutputOpenFailsForFoldersMissingFoldersAndUnreadFifos) {
    const std::string fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(fileSystem.OpenOutput(fifo), nullptr) << "no reader: the open must fail, not wait";
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));

    EXPECT_EQ(fileSystem.OpenOutput(dir.Path()), nullptr);
    EXPECT_EQ(fileSystem.OpenOutput(dir / "missing/out.scr"), nullptr);
    EXPECT_EQ(fileSystem.OpenOutput(""), nullptr);
    EXPECT_EQ(fileSystem.OpenOutput(dir / "x\0y"s), nullptr);
    EXPECT_FALSE(fileSystem.Exists(dir / "x")) << "the cut-short path must not be created";
}

TEST_F(PosixFileSystemTest, WriteErrorsRaiseAndDevNullTakesEverything) {
    auto full = fileSystem.OpenOutput("/dev/full");
    ASSERT_NE(full, nullptr);
    EXPECT_THROW(full->Write("x", 1), CFileException);
    full->Abort();

    auto null = fileSystem.OpenOutput("/dev/null");
    ASSERT_NE(null, nullptr);
    null->Write("x", 1);
    EXPECT_NO_THROW(null->Close()) << "a device that cannot sync is no failure";
}

// Standard output may be a pipe that the shell left in non-blocking mode: a piece larger than
// the pipe must still arrive whole, in order, once the reader catches up.
TEST(WriteAllTest, WaitsForAFullNonBlockingPipeAndDeliversEveryByte) {
    std::array<int, 2> ends{};
    ASSERT_EQ(::pipe2(ends.data(), O_NONBLOCK | O_CLOEXEC), 0);
    std::string piece(std::size_t{1} << 20, '\0');
    for (std::size_t i = 0; i < piece.size(); ++i) {
        piece[i] = static_cast<char>('a' + i % 23);
    }

    std::string received;
    std::thread reader([&] {
        std::array<char, 4096> chunk{};
        for (;;) {
            const ssize_t got = ::read(ends[0], chunk.data(), chunk.size());
            if (got == 0) {
                break;
            }
            if (got < 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));  // the writer is slow
                continue;
            }
            received.append(chunk.data(), static_cast<std::size_t>(got));
        }
    });
    EXPECT_NO_THROW(WriteAll(ends[1], piece.data(), piece.size()));
    ::close(ends[1]);
    reader.join();
    ::close(ends[0]);
    EXPECT_TRUE(received == piece) << received.size() << " of " << piece.size() << " bytes";
}

TEST(WriteAllTest, ReportsTheSystemsErrorAndAFullDevice) {
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    int error = 0;
    try {
        WriteAll(full, "x", 1);
    } catch (const CFileException& exception) {
        error = exception.Error();
    }
    ::close(full);
    EXPECT_EQ(error, ENOSPC);
    EXPECT_THROW(WriteAll(-1, "x", 1), CFileException);
    EXPECT_NO_THROW(WriteAll(-1, "", 0)) << "nothing to write touches nothing";
}

TEST_F(PosixFileSystemTest, BaseScriptIsReadFromRegularFilesOnly) {
    const std::string path = dir / "base.scr";
    WriteFile(path, "OPEN <TARGET_FILEPATH>\r\n\0tail"s);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("base.scr", (dir / "link").c_str()), 0);
    ASSERT_EQ(::symlink("loop", (dir / "loop").c_str()), 0);

    for (const std::string& bad :
         {dir.Path(), dir / "fifo", "/dev/zero"s, dir / "missing", dir / "loop", ""s}) {
        EXPECT_EQ(fileSystem.OpenBaseScript(bad), nullptr) << bad;
    }

    auto base = fileSystem.OpenBaseScript(dir / "link");
    ASSERT_NE(base, nullptr);
    ASSERT_EQ(base->GetLength(), 29U);
    std::vector<char> buffer(40, '\0');
    base->Read(buffer.data(), 35);
    EXPECT_EQ(std::string(buffer.data(), 29), "OPEN <TARGET_FILEPATH>\r\n\0tail"s);
    EXPECT_TRUE(std::all_of(buffer.begin() + 29, buffer.end(), [](char c) { return c == '\0'; }))
        << "bytes the file does not deliver stay zero";
    EXPECT_EQ(fileSystem.OpenBaseScript(path), nullptr) << "held while the run reads it";
    EXPECT_EQ(fileSystem.OpenOutput(path), nullptr);
    EXPECT_EQ(ReadFile(path).size(), 29U) << "and never emptied by an output open";
    base->Close();
}

TEST_F(PosixFileSystemTest, FilesLeakNoDescriptorOnAnyPath) {
    WriteFile(dir / "base.scr", "x");
    const auto before = OpenDescriptors();
    {
        auto output = fileSystem.OpenOutput(dir / "out.scr");
        auto base = fileSystem.OpenBaseScript(dir / "base.scr");
        ASSERT_NE(output, nullptr);
        ASSERT_NE(base, nullptr);
        output->Abort();
        output->Abort();
        base->Close();
        EXPECT_EQ(fileSystem.OpenOutput(dir.Path()), nullptr);
        EXPECT_EQ(fileSystem.OpenBaseScript(dir.Path()), nullptr);
    }
    {
        auto dropped = fileSystem.OpenOutput(dir / "dropped.scr");
        ASSERT_NE(dropped, nullptr);
    }
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(PosixFileSystemTest, ListsTheCurrentDirectoryWithEveryKindOfName) {
    CurrentDirectoryGuard guard;
    const std::vector<std::string> names{"a.dwg",      "line\nfeed",          "bad\xFF\xFE",
                                         "\x95\\.dwg", std::string(255, 'n'), "sub"};
    for (const std::string& name : names) {
        WriteFile(dir / name, "");
    }
    ASSERT_TRUE(fileSystem.ChangeDirectory(dir.Path()));

    NameList listed;
    ASSERT_TRUE(fileSystem.ListCurrentDirectory(listed));
    std::vector<std::string> got;
    for (std::size_t i = 0; i < listed.Size(); ++i) {
        got.emplace_back(listed[i]);
    }
    std::vector<std::string> expected = names;
    expected.insert(expected.end(), {".", ".."});
    std::ranges::sort(got);
    std::ranges::sort(expected);
    EXPECT_EQ(got, expected);

    std::string cwd;
    ASSERT_TRUE(fileSystem.CurrentDirectory(cwd));
    EXPECT_EQ(cwd, std::filesystem::canonical(dir.Path()).string());
}

TEST_F(PosixFileSystemTest, CurrentDirectoryFailsOnceTheFolderIsRemoved) {
    CurrentDirectoryGuard guard;
    ASSERT_EQ(::mkdir((dir / "gone").c_str(), 0700), 0);
    ASSERT_TRUE(fileSystem.ChangeDirectory(dir / "gone"));
    ASSERT_EQ(::rmdir((dir / "gone").c_str()), 0);
    std::string cwd;
    EXPECT_FALSE(fileSystem.CurrentDirectory(cwd));
    EXPECT_FALSE(fileSystem.ChangeDirectory(dir / "gone"));
    EXPECT_FALSE(fileSystem.ChangeDirectory(""));
}

}  // namespace
}  // namespace quillet::platform
