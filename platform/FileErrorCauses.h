#pragma once

#include "platform/FileError.h"

#include <string>
#include <string_view>

namespace velmora {

struct OpenRefusal;

// Shown in place of a file name for read, length and close failures.
inline constexpr std::string_view kUnnamedFile = "an unnamed file";

// Longest message shown, in bytes.
inline constexpr std::size_t kMaxFileErrorMessage = 511;

// Maps a Windows system error number to its cause.
[[nodiscard]] FileErrorCause CauseFromWin32Error(unsigned long error) noexcept;

// Maps a POSIX errno value to its cause.
[[nodiscard]] FileErrorCause CauseFromErrno(int error) noexcept;

// The cause of a refused open, for reporting it as a file error: the system's error
// number read on the system it came from, a file held by another program a sharing
// violation, a folder or a device denied access.
[[nodiscard]] FileErrorCause CauseOfRefusal(const OpenRefusal& refusal) noexcept;

// The user-facing text of a cause with %1 replaced by fileName, cut at 511 bytes
// (never inside a UTF-8 sequence).
[[nodiscard]] std::string FileErrorMessage(FileErrorCause cause, std::string_view fileName);

}  // namespace velmora
