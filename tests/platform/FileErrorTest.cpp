#include "platform/FileError.h"
#include "platform/FileErrorCauses.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <initializer_list>
#include <string>

namespace velmora {
namespace {

using Cause = FileErrorCause;

struct MessageCase {
    Cause cause;
    const char* expected;
};

TEST(FileErrorCauses, every_cause_has_its_message_with_the_name_filled_in) {
    const MessageCase cases[] = {
        {Cause::None, "No error occurred."},
        {Cause::Generic, "An unknown error occurred while accessing /s/Script.htm."},
        {Cause::FileNotFound, "/s/Script.htm was not found."},
        {Cause::BadPath, "/s/Script.htm contains an invalid path."},
        {Cause::TooManyOpenFiles,
         "/s/Script.htm could not be opened because there are too many open files."},
        {Cause::AccessDenied, "Access to /s/Script.htm was denied."},
        {Cause::InvalidFile, "An invalid file handle was associated with /s/Script.htm."},
        {Cause::RemoveCurrentDir,
         "/s/Script.htm could not be removed because it is the current directory."},
        {Cause::DirectoryFull, "/s/Script.htm could not be created because the directory is full."},
        {Cause::BadSeek, "Seek failed on /s/Script.htm"},
        {Cause::HardIO, "A hardware I/O error was reported while accessing /s/Script.htm."},
        {Cause::SharingViolation, "A sharing violation occurred while accessing /s/Script.htm."},
        {Cause::LockViolation, "A locking violation occurred while accessing /s/Script.htm."},
        {Cause::DiskFull, "Disk full while accessing /s/Script.htm."},
        {Cause::EndOfFile, "An attempt was made to access /s/Script.htm past its end."},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE("cause " + std::to_string(static_cast<int>(row.cause)));
        EXPECT_EQ(FileErrorMessage(row.cause, "/s/Script.htm"), row.expected);
    }
}

TEST(FileErrorCauses, message_is_cut_at_511_bytes) {
    const std::string name(600, 'n');
    const std::string message = FileErrorMessage(Cause::DiskFull, name);
    EXPECT_EQ(message, "Disk full while accessing " + std::string(511 - 26, 'n'));

    const std::string fits(511 - 27, 'n');
    EXPECT_EQ(FileErrorMessage(Cause::DiskFull, fits).size(), 511U) << "exactly 511 stays whole";
    EXPECT_EQ(FileErrorMessage(Cause::DiskFull, fits).back(), '.');
}

TEST(FileErrorCauses, cut_does_not_split_a_utf8_sequence) {
    std::string name;
    for (int i = 0; i < 300; ++i) {
        name += "\xC3\xA9";  // 485 bytes of name fit: 242 letters and half of one
    }
    const std::string message = FileErrorMessage(Cause::DiskFull, name);
    EXPECT_EQ(message, "Disk full while accessing " + name.substr(0, 484));
}

TEST(FileError, carries_cause_name_and_message) {
    const FileError error(Cause::DiskFull, "/s/Script.htm");
    EXPECT_EQ(error.Cause(), Cause::DiskFull);
    EXPECT_EQ(error.FileName(), "/s/Script.htm");
    EXPECT_STREQ(error.what(), "Disk full while accessing /s/Script.htm.");

    const FileError unnamed(Cause::HardIO, std::string(kUnnamedFile));
    EXPECT_STREQ(unnamed.what(),
                 "A hardware I/O error was reported while accessing an unnamed file.");
}

struct NumbersCause {
    Cause cause;
    std::initializer_list<unsigned long> numbers;
};

TEST(FileErrorCauses, win32_error_numbers_select_their_cause) {
    const NumbersCause table[] = {
        {Cause::None, {0}},
        {Cause::FileNotFound, {2, 6, 18, 107}},
        {Cause::BadPath,
         {3, 15, 17, 34, 52, 53, 55, 67, 70, 85, 111, 123, 124, 125, 144, 154, 161, 206, 208, 267}},
        {Cause::TooManyOpenFiles, {4, 36, 68, 113}},
        {Cause::AccessDenied, {5, 12, 19, 29, 54, 58, 64, 65, 71, 80, 82, 86, 170, 183, 999}},
        {Cause::InvalidFile, {11, 26, 60, 66, 114, 182, 191, 193}},
        {Cause::RemoveCurrentDir, {16, 145}},
        {Cause::DirectoryFull, {62}},
        {Cause::BadSeek, {24, 25, 27, 30, 131, 132}},
        {Cause::HardIO, {20, 21, 22, 23, 57, 59, 88, 117, 995, 996, 997}},
        {Cause::SharingViolation, {32}},
        {Cause::LockViolation, {33, 108, 167}},
        {Cause::DiskFull, {39, 112}},
        {Cause::EndOfFile, {38}},
        {Cause::Generic, {1, 7, 8, 9, 10, 13, 14, 31, 37, 40, 87, 998, 1000, 0xFFFFFFFFUL}},
    };
    for (const auto& row : table) {
        for (const unsigned long number : row.numbers) {
            SCOPED_TRACE("Win32 error " + std::to_string(number));
            EXPECT_EQ(CauseFromWin32Error(number), row.cause);
        }
    }
}

TEST(FileErrorCauses, errno_values_select_the_cause_of_their_win32_counterpart) {
    struct Row {
        const char* label;
        int number;
        Cause cause;
    };
    const Row table[] = {
        {"0", 0, Cause::None},
        {"ENOENT", ENOENT, Cause::FileNotFound},
        {"ENOTDIR", ENOTDIR, Cause::BadPath},
        {"ENAMETOOLONG", ENAMETOOLONG, Cause::BadPath},
        {"ELOOP", ELOOP, Cause::BadPath},
        {"EMFILE", EMFILE, Cause::TooManyOpenFiles},
        {"ENFILE", ENFILE, Cause::TooManyOpenFiles},
        {"EACCES", EACCES, Cause::AccessDenied},
        {"EPERM", EPERM, Cause::AccessDenied},
        {"EROFS", EROFS, Cause::AccessDenied},
        {"EBADF", EBADF, Cause::InvalidFile},
        {"ESPIPE", ESPIPE, Cause::BadSeek},
        {"EIO", EIO, Cause::HardIO},
        {"EWOULDBLOCK", EWOULDBLOCK, Cause::SharingViolation},
        {"ENOSPC", ENOSPC, Cause::DiskFull},
#ifdef EDQUOT
        {"EDQUOT", EDQUOT, Cause::DiskFull},
#endif
        {"EFBIG", EFBIG, Cause::DiskFull},
        {"ECONNREFUSED", ECONNREFUSED, Cause::Generic},
        {"EPROTO", EPROTO, Cause::Generic},
        {"-1", -1, Cause::Generic},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(CauseFromErrno(row.number), row.cause);
    }
}

}  // namespace
}  // namespace velmora
