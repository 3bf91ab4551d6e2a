#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

// Why a file operation failed. The numbers are fixed: they select the message text
// and users quote them in reports.
enum class FileErrorCause : int {
    None = 0,
    Generic = 1,
    FileNotFound = 2,
    BadPath = 3,
    TooManyOpenFiles = 4,
    AccessDenied = 5,
    InvalidFile = 6,
    RemoveCurrentDir = 7,
    DirectoryFull = 8,
    BadSeek = 9,
    HardIO = 10,
    SharingViolation = 11,
    LockViolation = 12,
    DiskFull = 13,
    EndOfFile = 14,
};

// The one error type for a file operation that failed after the file was opened.
// what() is the message shown to the user.
class FileError : public std::runtime_error {
public:
    FileError(FileErrorCause cause, std::string fileName);

    [[nodiscard]] FileErrorCause Cause() const noexcept { return cause_; }
    [[nodiscard]] const std::string& FileName() const noexcept { return fileName_; }

private:
    FileErrorCause cause_;
    std::string fileName_;
};

}  // namespace velmora
