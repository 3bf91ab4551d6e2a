#include "platform/ReplacingFile.h"

#include "platform/FileError.h"
#include "tests/support/FileLock.h"
#include "tests/support/FullDisk.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace velmora {
namespace {

using test::ReadAll;
using test::TempDir;

// The files in a folder, by name.
std::size_t FileCount(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

TEST(ReplacingFile, a_new_file_appears_only_once_committed) {
    const TempDir dir;
    const std::string name = (dir / "Script.fountain").string();
    ReplacingFile file;
    ASSERT_TRUE(file.Open(name));
    EXPECT_EQ(file.Path(), name);
    file.Write("Title: T\n");
    EXPECT_FALSE(std::filesystem::exists(name)) << "nothing takes the name before the commit";
    file.Commit();
    EXPECT_EQ(ReadAll(name), "Title: T\n");
    EXPECT_EQ(FileCount(dir.Path()), 1U) << "the temporary file is gone";
}

TEST(ReplacingFile, an_older_file_is_replaced_whole) {
    const TempDir dir;
    const auto name = dir.Write("Script.fdx", "the older export, a long one");
    ReplacingFile file;
    ASSERT_TRUE(file.Open(name.string()));
    file.Write("new");
    EXPECT_EQ(ReadAll(name), "the older export, a long one");
    file.Commit();
    EXPECT_EQ(ReadAll(name), "new");
    EXPECT_EQ(FileCount(dir.Path()), 1U);
}

TEST(ReplacingFile, one_given_up_leaves_the_older_file_and_no_temporary_one) {
    const TempDir dir;
    const auto name = dir.Write("Script.pdf", "older");
    {
        ReplacingFile file;
        ASSERT_TRUE(file.Open(name.string()));
        file.Write("half of a new one");
    }
    EXPECT_EQ(ReadAll(name), "older");
    EXPECT_EQ(FileCount(dir.Path()), 1U);
}

TEST(ReplacingFile, a_stale_temporary_file_is_passed_over_and_kept) {
    const TempDir dir;
    dir.Write(".Script.pdf.1.tmp", "left by a run that died");
    ReplacingFile file;
    ASSERT_TRUE(file.Open((dir / "Script.pdf").string()));
    file.Write("new");
    file.Commit();
    EXPECT_EQ(ReadAll(dir / "Script.pdf"), "new");
    EXPECT_EQ(ReadAll(dir / ".Script.pdf.1.tmp"), "left by a run that died");
}

TEST(ReplacingFile, a_folder_that_is_not_there_refuses_the_open) {
    const TempDir dir;
    ReplacingFile file;
    EXPECT_FALSE(file.Open((dir / "missing" / "Script.pdf").string()));
    EXPECT_NE(file.LastRefusal().failure, OpenFailure::None);
    EXPECT_NE(file.LastRefusal().error, 0);
}

TEST(ReplacingFile, a_rename_that_fails_names_the_export_and_keeps_what_is_there) {
    const TempDir dir;
    // A folder of that name cannot be renamed over by a file.
    std::filesystem::create_directory(dir / "Script.fdx");
    dir.Write("Script.fdx/inside", "kept");
    ReplacingFile file;
    ASSERT_TRUE(file.Open((dir / "Script.fdx").string()));
    file.Write("new");
    try {
        file.Commit();
        FAIL() << "renaming over a folder must throw";
    } catch (const FileError& error) {
        EXPECT_NE(error.Cause(), FileErrorCause::None);
        EXPECT_EQ(error.FileName(), (dir / "Script.fdx").string());
    }
    EXPECT_EQ(ReadAll(dir / "Script.fdx" / "inside"), "kept");
    EXPECT_EQ(FileCount(dir.Path()), 1U) << "the temporary file is removed";
}

TEST(ReplacingFile, a_full_disk_names_the_export_and_keeps_the_older_one) {
    VELMORA_NEEDS_A_FULL_DISK();
    const TempDir dir;
    const auto name = dir.Write("Script.fountain", "older");
    ReplacingFile file;
    ASSERT_TRUE(file.Open(name.string()));
    try {
        const test::FileSizeLimit full(4);
        file.Write("more than four bytes");
        FAIL() << "a write past the limit must throw";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Cause(), FileErrorCause::DiskFull);
        EXPECT_EQ(error.FileName(), name.string());
    }
    EXPECT_EQ(ReadAll(name), "older");
}

}  // namespace
}  // namespace velmora
