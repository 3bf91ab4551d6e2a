// What File does on Windows beyond the shared contract of FileTest.cpp.
#include "platform/File.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace velmora {
namespace {

using test::TempDir;

// The error another program's open gets while File holds the file.
DWORD OpenElsewhere(const std::filesystem::path& path, DWORD access, DWORD share) {
    HANDLE handle = ::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return ::GetLastError();
    }
    ::CloseHandle(handle);
    return ERROR_SUCCESS;
}

// Share mode 0 is enforced by the system for every program, not only for those that ask
// for locks: while File holds the file nobody may open it, even just to read it.
TEST(FileOnWindows, holds_the_file_against_every_other_open) {
    const TempDir dir;
    const auto path = dir.Write("novel.txt", "text");
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    for (const bool writing : {false, true}) {
        SCOPED_TRACE(writing ? "open for writing" : "open for reading");
        File file;
        ASSERT_TRUE(writing ? file.OpenForWriting(path.string())
                            : file.OpenForReading(path.string()));
        EXPECT_EQ(OpenElsewhere(path, GENERIC_READ, kShareAll),
                  static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        EXPECT_EQ(OpenElsewhere(path, GENERIC_WRITE, kShareAll),
                  static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        EXPECT_FALSE(std::ifstream(path).is_open());
        file.Close();
        EXPECT_EQ(OpenElsewhere(path, GENERIC_READ, 0), static_cast<DWORD>(ERROR_SUCCESS));
    }
}

// A program that shares the file with readers still keeps File out: File asks to be alone.
TEST(FileOnWindows, refuses_a_file_another_program_has_open_even_shared) {
    const TempDir dir;
    const auto path = dir.Write("novel.txt", "text");
    HANDLE other = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    File file;
    EXPECT_FALSE(file.OpenForReading(path.string()));
    EXPECT_FALSE(file.OpenForWriting(path.string()));
    ::CloseHandle(other);
    EXPECT_TRUE(file.OpenForReading(path.string()));
}

// The full path is the system's resolution: drive, backslashes, no "." or "..", either
// separator accepted.
TEST(FileOnWindows, resolves_the_full_path_the_windows_way) {
    const TempDir dir;
    dir.Write("novel.txt", "text");
    std::filesystem::create_directory(dir / "sub");
    const test::CurrentDirectory here(dir / "sub");
    const std::string expected =
        (std::filesystem::current_path().parent_path() / "novel.txt").make_preferred().string();
    for (const char* name : {"..\\novel.txt", "../novel.txt", ".\\..\\sub\\..\\novel.txt"}) {
        SCOPED_TRACE(name);
        File file;
        ASSERT_TRUE(file.OpenForReading(name));
        EXPECT_EQ(file.Path(), expected);
        EXPECT_EQ(file.Path().find('/'), std::string::npos);
        EXPECT_EQ(file.Path()[1], ':');
    }
}

}  // namespace
}  // namespace velmora
