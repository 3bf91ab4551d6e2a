#include "platform/File.h"
#include "platform/FileError.h"
#include "tests/support/FileLock.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
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
#endif

}  // namespace
}  // namespace velmora
