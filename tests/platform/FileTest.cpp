#include "platform/File.h"
#include "platform/FileError.h"
#include "tests/support/FileLock.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <array>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace velmora {
namespace {

using test::HeldLock;
using test::IsLockedElsewhere;
using test::ReadAll;
using test::TempDir;

TEST(File, reading_refuses_what_it_cannot_hold_alone) {
    const TempDir dir;
    const auto held = dir.Write("held.txt", "text");
    const auto heldByFile = dir.Write("heldByFile.txt", "text");
    std::filesystem::create_directory(dir / "folder");
    std::vector<const char*> names = {"missing.txt", "folder", "held.txt", "heldByFile.txt"};
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    names.push_back("pipe");
#endif
    const HeldLock lock(held);
    ASSERT_TRUE(lock.Holds());
    File holder;
    ASSERT_TRUE(holder.OpenForReading(heldByFile.string()));

    for (const char* name : names) {
        SCOPED_TRACE(name);
        File file;
        EXPECT_FALSE(file.OpenForReading((dir / name).string()));
        EXPECT_FALSE(file.IsOpen());
    }
}

TEST(File, reading_holds_the_file_until_closed) {
    const TempDir dir;
    const auto path = dir.Write("novel.txt", "0123456789");
    {
        File file;
        ASSERT_TRUE(file.OpenForReading(path.string()));
        EXPECT_TRUE(IsLockedElsewhere(path));
        file.Close();
        EXPECT_FALSE(file.IsOpen());
        EXPECT_FALSE(IsLockedElsewhere(path)) << "after Close";
        file.Close();  // a second close does nothing

        ASSERT_TRUE(file.OpenForReading(path.string()));
        EXPECT_TRUE(IsLockedElsewhere(path));
    }
    EXPECT_FALSE(IsLockedElsewhere(path)) << "after the destructor";
}

TEST(File, reads_length_and_bytes_and_knows_its_full_path) {
    const TempDir dir;
    dir.Write("novel.txt", std::string("ab\0\xFF\r\n", 6));
    const test::CurrentDirectory here(dir.Path());

    File file;
    ASSERT_TRUE(file.OpenForReading("novel.txt"));
    EXPECT_EQ(file.Path(), (std::filesystem::current_path() / "novel.txt").string());
    EXPECT_EQ(file.Length(), 6);
    std::string buffer(10, '?');
    ASSERT_EQ(file.Read(buffer.data(), buffer.size()), 6U) << "fewer bytes at the end";
    EXPECT_EQ(buffer, std::string("ab\0\xFF\r\n????", 10));
    EXPECT_EQ(file.Read(buffer.data(), buffer.size()), 0U);
}

TEST(File, writing_creates_or_empties_the_file_and_holds_it) {
    const TempDir dir;
    const auto existing = dir.Write("Script.htm", "old script, longer than the new one");
    const test::CurrentDirectory here(dir.Path());
    {
        File file;
        ASSERT_TRUE(file.OpenForWriting("Script.htm"));
        EXPECT_EQ(file.Path(), (std::filesystem::current_path() / "Script.htm").string());
        EXPECT_EQ(ReadAll(existing), "") << "emptied on open";
        EXPECT_TRUE(IsLockedElsewhere(existing));
        file.Write("<HTML>");
        file.Write("");
        EXPECT_EQ(ReadAll(existing), "<HTML>") << "written through at once";
        file.Close();
        EXPECT_FALSE(IsLockedElsewhere(existing));
    }
    File created;
    ASSERT_TRUE(created.OpenForWriting("new.htm"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "new.htm"));
}

TEST(File, writing_refused_while_held_leaves_the_file_alone) {
    const TempDir dir;
    const auto held = dir.Write("held.htm", "kept");
    const auto besideLockFile = dir.Write("Script.htm", "kept");
    dir.Write(".~lock.Script.htm#", ",someone,host,01.01.2026 10:00,someone;");
    dir.Write(".~lock.Other.htm#", "");
    {
        const HeldLock lock(held);
        ASSERT_TRUE(lock.Holds());
        for (const char* name : {"held.htm", "Script.htm", "Other.htm"}) {
            SCOPED_TRACE(name);
            File file;
            EXPECT_FALSE(file.OpenForWriting((dir / name).string()));
            EXPECT_FALSE(file.IsOpen());
        }
    }
    EXPECT_EQ(ReadAll(held), "kept");  // once let go of: Windows reads no held file
    EXPECT_EQ(ReadAll(besideLockFile), "kept");
    EXPECT_FALSE(std::filesystem::exists(dir / "Other.htm")) << "not created either";

    File unrelated;
    EXPECT_TRUE(unrelated.OpenForWriting((dir / "Script2.htm").string()))
        << "a lock file stands for its own document only";
}

// The script is read and written through one open that nobody else can share, created only
// where nothing was, and cut only shorter.
TEST(File, updating_reads_and_writes_in_place_and_never_lengthens) {
    const TempDir dir;
    const auto path = dir.Write("Script.htm", "<HTML><BR>Dawn.<BR>cut here");
    File file;
    ASSERT_TRUE(file.OpenForUpdating(path.string()));
    EXPECT_TRUE(IsLockedElsewhere(path));
    std::string start(6, '?');
    ASSERT_EQ(file.Read(start.data(), start.size()), 6U) << "reading starts at the beginning";
    EXPECT_EQ(start, "<HTML>");
    try {
        file.Truncate(100);
        FAIL() << "a cut past the end must throw";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Cause(), FileErrorCause::EndOfFile);
        EXPECT_EQ(error.FileName(), file.Path());
    }
    EXPECT_EQ(file.Length(), 27) << "nothing added";
    file.Truncate(19);
    file.Write("<BR>Dusk.<BR>");
    file.Seek(10);
    std::string word(5, '?');
    ASSERT_EQ(file.Read(word.data(), word.size()), 5U);
    EXPECT_EQ(word, "Dawn.");
    file.Close();
    EXPECT_EQ(ReadAll(path), "<HTML><BR>Dawn.<BR><BR>Dusk.<BR>");

    File missing;
    EXPECT_FALSE(missing.OpenForUpdating((dir / "missing.htm").string()));
    EXPECT_EQ(missing.LastRefusal().failure, OpenFailure::Missing);
    std::filesystem::create_directory(dir / "folder");
    File folder;
    EXPECT_FALSE(folder.OpenForUpdating((dir / "folder").string()));
    EXPECT_EQ(folder.LastRefusal().failure, OpenFailure::NotAFile);
}

TEST(File, creating_anew_never_opens_what_is_there) {
    const TempDir dir;
    const auto existing = dir.Write("Script.htm", "kept");
    File file;
    EXPECT_FALSE(file.CreateNew(existing.string()));
    EXPECT_EQ(ReadAll(existing), "kept");
    ASSERT_TRUE(file.CreateNew((dir / "new.htm").string()));
    EXPECT_TRUE(IsLockedElsewhere(dir / "new.htm"));
    file.Write("<HTML>");
    file.Close();
    EXPECT_EQ(ReadAll(dir / "new.htm"), "<HTML>");
}

// Renaming keeps the file open and held, never replaces what the new name holds, and only
// moves the name while it still leads to the open file.
TEST(File, renames_the_held_file_without_replacing_anything) {
    const TempDir dir;
    const auto path = dir.Write("Script.htm", "earlier");
    dir.Write("Script.htm.bak", "older");
    File file;
    ASSERT_TRUE(file.OpenForUpdating(path.string()));
    int error = 0;
    EXPECT_FALSE(file.RenameWithoutReplacing((dir / "Script.htm.bak").string(), error));
    EXPECT_TRUE(IsNameTaken(error));
    ASSERT_TRUE(file.RenameWithoutReplacing((dir / "Script.htm.bak2").string(), error));
    EXPECT_EQ(file.Path(), (dir / "Script.htm.bak2").string());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(IsLockedElsewhere(dir / "Script.htm.bak2")) << "still held";
    file.Seek(file.Length());
    file.Write(" and more");
    file.Close();
    EXPECT_EQ(ReadAll(dir / "Script.htm.bak2"), "earlier and more");
    EXPECT_EQ(ReadAll(dir / "Script.htm.bak"), "older");
}

// Removing takes away the one name, and only while it leads to the open file: another name
// of the same file keeps it, and a file put in its place is left alone.
TEST(File, removes_only_its_own_name) {
    const TempDir dir;
    const auto path = dir.Write("Script.htm", "bytes");
    std::filesystem::create_hard_link(path, dir / "Script.htm.bak");
    File file;
    ASSERT_TRUE(file.OpenForUpdating(path.string()));
    int error = 0;
    EXPECT_TRUE(file.RemoveAndClose(error));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(ReadAll(dir / "Script.htm.bak"), "bytes");

#ifndef _WIN32
    // A file another program put in its place meanwhile is left alone.
    const auto replaced = dir.Write("replaced.htm", "held");
    File stale;
    ASSERT_TRUE(stale.OpenForUpdating(replaced.string()));
    std::filesystem::rename(dir.Write("other.htm", "another"), replaced);
    EXPECT_FALSE(stale.RemoveAndClose(error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadAll(replaced), "another");
#endif
}

#ifndef _WIN32
// Devices and pipes by their Unix names.
TEST(File, failed_write_throws_disk_full_with_the_path) {
    File file;
    ASSERT_TRUE(file.OpenForWriting("/dev/full"));
    file.Write("");  // nothing to write asks nothing of the device
    try {
        file.Write("<HTML>");
        FAIL() << "a write to a full device must throw";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Cause(), FileErrorCause::DiskFull);
        EXPECT_EQ(error.FileName(), "/dev/full");
        EXPECT_STREQ(error.what(), "Disk full while accessing /dev/full.");
    }
    EXPECT_TRUE(file.IsOpen()) << "a failed write leaves the file open";
}

TEST(File, writing_to_a_device_or_pipe_neither_locks_nor_hangs) {
    File first;
    File second;
    EXPECT_TRUE(first.OpenForWriting("/dev/null"));
    EXPECT_TRUE(second.OpenForWriting("/dev/null")) << "a shared device is not held";

    const TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    File pipe;
    EXPECT_FALSE(pipe.OpenForWriting((dir / "pipe").string())) << "no reader: refused at once";
}

// A program started without standard streams gets them on the null device, so that the
// next file it opens does not take a stream's number.
TEST(File, closed_standard_streams_are_opened_on_the_null_device) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(STDIN_FILENO);
        ::close(STDERR_FILENO);
        OpenClosedStandardStreams();
        int failures = 0;
        for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
            std::array<char, 64> target{};
            const auto path = "/proc/self/fd/" + std::to_string(stream);
            const ssize_t length = ::readlink(path.c_str(), target.data(), target.size() - 1);
            const bool onNull = length > 0 && std::string(target.data()) == "/dev/null";
            failures += stream == STDOUT_FILENO ? (onNull ? 1 : 0) : (onNull ? 0 : 1);
        }
        ::_exit(failures);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "input and error on the null device, output untouched";
}
#endif

}  // namespace
}  // namespace velmora
