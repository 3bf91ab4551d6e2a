#include "platform/FileErrorCauses.h"

#include "platform/File.h"

#include <array>
#include <cerrno>
#include <utility>

namespace velmora {
namespace {

using Cause = FileErrorCause;

struct ErrorNumberCause {
    unsigned long number;
    Cause cause;
};

// Windows system error numbers and the cause each one reports.
// One row per cause, as in the cause table.
// clang-format off
constexpr std::array kWin32Causes = std::to_array<ErrorNumberCause>({
    {0, Cause::None},
    {2, Cause::FileNotFound}, {6, Cause::FileNotFound}, {18, Cause::FileNotFound},
    {107, Cause::FileNotFound},
    {3, Cause::BadPath}, {15, Cause::BadPath}, {17, Cause::BadPath}, {34, Cause::BadPath},
    {52, Cause::BadPath}, {53, Cause::BadPath}, {55, Cause::BadPath}, {67, Cause::BadPath},
    {70, Cause::BadPath}, {85, Cause::BadPath}, {111, Cause::BadPath}, {123, Cause::BadPath},
    {124, Cause::BadPath}, {125, Cause::BadPath}, {144, Cause::BadPath}, {154, Cause::BadPath},
    {161, Cause::BadPath}, {206, Cause::BadPath}, {208, Cause::BadPath}, {267, Cause::BadPath},
    {4, Cause::TooManyOpenFiles}, {36, Cause::TooManyOpenFiles}, {68, Cause::TooManyOpenFiles},
    {113, Cause::TooManyOpenFiles},
    {5, Cause::AccessDenied}, {12, Cause::AccessDenied}, {19, Cause::AccessDenied},
    {29, Cause::AccessDenied}, {54, Cause::AccessDenied}, {58, Cause::AccessDenied},
    {64, Cause::AccessDenied}, {65, Cause::AccessDenied}, {71, Cause::AccessDenied},
    {80, Cause::AccessDenied}, {82, Cause::AccessDenied}, {86, Cause::AccessDenied},
    {170, Cause::AccessDenied}, {183, Cause::AccessDenied}, {999, Cause::AccessDenied},
    {11, Cause::InvalidFile}, {26, Cause::InvalidFile}, {60, Cause::InvalidFile},
    {66, Cause::InvalidFile}, {114, Cause::InvalidFile}, {182, Cause::InvalidFile},
    {191, Cause::InvalidFile}, {193, Cause::InvalidFile},
    {16, Cause::RemoveCurrentDir}, {145, Cause::RemoveCurrentDir},
    {62, Cause::DirectoryFull},
    {24, Cause::BadSeek}, {25, Cause::BadSeek}, {27, Cause::BadSeek}, {30, Cause::BadSeek},
    {131, Cause::BadSeek}, {132, Cause::BadSeek},
    {20, Cause::HardIO}, {21, Cause::HardIO}, {22, Cause::HardIO}, {23, Cause::HardIO},
    {57, Cause::HardIO}, {59, Cause::HardIO}, {88, Cause::HardIO}, {117, Cause::HardIO},
    {995, Cause::HardIO}, {996, Cause::HardIO}, {997, Cause::HardIO},
    {32, Cause::SharingViolation},
    {33, Cause::LockViolation}, {108, Cause::LockViolation}, {167, Cause::LockViolation},
    {39, Cause::DiskFull}, {112, Cause::DiskFull},
    {38, Cause::EndOfFile},
});
// clang-format on

struct ErrnoCause {
    int number;
    Cause cause;
};

// The POSIX counterparts of the Windows table, by meaning.
// One row per cause, as in the cause table.
// clang-format off
constexpr std::array kErrnoCauses = std::to_array<ErrnoCause>({
    {0, Cause::None},
    {ENOENT, Cause::FileNotFound}, {ENXIO, Cause::FileNotFound}, {ENODEV, Cause::FileNotFound},
    {ENOTDIR, Cause::BadPath}, {ENAMETOOLONG, Cause::BadPath}, {ELOOP, Cause::BadPath},
    {EXDEV, Cause::BadPath}, {EINVAL, Cause::BadPath},
    {EMFILE, Cause::TooManyOpenFiles}, {ENFILE, Cause::TooManyOpenFiles},
    {EACCES, Cause::AccessDenied}, {EPERM, Cause::AccessDenied}, {EROFS, Cause::AccessDenied},
    {EISDIR, Cause::AccessDenied}, {EEXIST, Cause::AccessDenied}, {ETXTBSY, Cause::AccessDenied},
    {EBADF, Cause::InvalidFile},
    {EBUSY, Cause::RemoveCurrentDir},
    {EMLINK, Cause::DirectoryFull},
    {ESPIPE, Cause::BadSeek}, {EOVERFLOW, Cause::BadSeek},
    {EIO, Cause::HardIO}, {EPIPE, Cause::HardIO},
    {EWOULDBLOCK, Cause::SharingViolation},
    {ENOLCK, Cause::LockViolation}, {EDEADLK, Cause::LockViolation},
    {ENOSPC, Cause::DiskFull}, {EFBIG, Cause::DiskFull},
#ifdef EDQUOT  // a quota exceeded is a full disk to the user; Windows has no such errno
    {EDQUOT, Cause::DiskFull},
#endif
});
// clang-format on

constexpr std::array<std::string_view, 15> kMessages = {
    "No error occurred.",
    "An unknown error occurred while accessing %1.",
    "%1 was not found.",
    "%1 contains an invalid path.",
    "%1 could not be opened because there are too many open files.",
    "Access to %1 was denied.",
    "An invalid file handle was associated with %1.",
    "%1 could not be removed because it is the current directory.",
    "%1 could not be created because the directory is full.",
    "Seek failed on %1",
    "A hardware I/O error was reported while accessing %1.",
    "A sharing violation occurred while accessing %1.",
    "A locking violation occurred while accessing %1.",
    "Disk full while accessing %1.",
    "An attempt was made to access %1 past its end.",
};

template <typename Table, typename Number>
Cause Lookup(const Table& table, Number number) noexcept {
    for (const auto& entry : table) {
        if (entry.number == number) {
            return entry.cause;
        }
    }
    return Cause::Generic;
}

// Drops a UTF-8 sequence that the cut left incomplete at the end.
void TrimBrokenUtf8Tail(std::string& text) {
    std::size_t lead = text.size();
    std::size_t continuation = 0;
    while (lead > 0 && continuation < 4 &&
           (static_cast<unsigned char>(text[lead - 1]) & 0xC0U) == 0x80U) {
        --lead;
        ++continuation;
    }
    if (lead == 0) {
        return;
    }
    const auto first = static_cast<unsigned char>(text[lead - 1]);
    std::size_t expected = 0;
    if ((first & 0xE0U) == 0xC0U) {
        expected = 1;
    } else if ((first & 0xF0U) == 0xE0U) {
        expected = 2;
    } else if ((first & 0xF8U) == 0xF0U) {
        expected = 3;
    }
    if (expected > continuation) {
        text.resize(lead - 1);
    }
}

}  // namespace

FileErrorCause CauseFromWin32Error(unsigned long error) noexcept {
    return Lookup(kWin32Causes, error);
}

FileErrorCause CauseFromErrno(int error) noexcept { return Lookup(kErrnoCauses, error); }

FileErrorCause CauseOfRefusal(const OpenRefusal& refusal) noexcept {
    switch (refusal.failure) {
    case OpenFailure::None:
        return Cause::None;
    case OpenFailure::Missing:
        return Cause::FileNotFound;
    case OpenFailure::InUse:
    case OpenFailure::WordProcessor:
        return Cause::SharingViolation;
    case OpenFailure::NotAFile:
        return Cause::AccessDenied;
    case OpenFailure::System:
        break;
    }
#ifdef _WIN32
    return CauseFromWin32Error(static_cast<unsigned long>(refusal.error));
#else
    return CauseFromErrno(refusal.error);
#endif
}

std::string FileErrorMessage(FileErrorCause cause, std::string_view fileName) {
    auto index = static_cast<std::size_t>(cause);
    if (index >= kMessages.size()) {
        index = static_cast<std::size_t>(Cause::Generic);
    }
    const std::string_view pattern = kMessages[index];
    std::string message;
    const auto placeholder = pattern.find("%1");
    if (placeholder == std::string_view::npos) {
        message = pattern;
    } else {
        message.reserve(pattern.size() + fileName.size());
        message.append(pattern.substr(0, placeholder));
        message.append(fileName);
        message.append(pattern.substr(placeholder + 2));
    }
    if (message.size() > kMaxFileErrorMessage) {
        message.resize(kMaxFileErrorMessage);
        TrimBrokenUtf8Tail(message);
    }
    return message;
}

}  // namespace velmora
