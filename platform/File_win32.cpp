#include "platform/File.h"

#include "platform/FileError.h"
#include "platform/FileErrorCauses.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace velmora {
namespace {

HANDLE Native(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

[[noreturn]] void ThrowLastError(std::string_view name) {
    throw FileError(CauseFromWin32Error(::GetLastError()), std::string(name));
}

int LastErrorNumber() { return static_cast<int>(::GetLastError()); }

}  // namespace

bool File::IsOpen() const noexcept { return handle_ != -1; }

bool File::OpenNative(const std::string& name, Access access) {
    // Share mode 0: nobody else may open the file while we hold it. Not CREATE_ALWAYS: a
    // file another program holds must not be emptied before we know. DELETE for the files
    // read and written in place, so that they can be renamed while held.
    DWORD rights = GENERIC_WRITE;
    DWORD disposition = OPEN_EXISTING;
    switch (access) {
    case Access::Read:
        rights = GENERIC_READ;
        break;
    case Access::Create:
        disposition = OPEN_ALWAYS;
        break;
    case Access::Append:
        break;
    case Access::Update:
        rights = GENERIC_READ | GENERIC_WRITE | DELETE;
        break;
    case Access::CreateNew:
        rights = GENERIC_READ | GENERIC_WRITE | DELETE;
        disposition = CREATE_NEW;
        break;
    }
    const bool mayBeMissing = access == Access::Append || access == Access::Update;
    HANDLE handle = ::CreateFileA(name.c_str(), rights, 0, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
            return Refuse(OpenFailure::InUse, static_cast<int>(error));
        }
        // A folder cannot be opened as a file: Windows only says access is denied.
        const DWORD attributes = ::GetFileAttributesA(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return Refuse(OpenFailure::NotAFile, static_cast<int>(error));
        }
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return Refuse(missing && mayBeMissing ? OpenFailure::Missing : OpenFailure::System,
                      static_cast<int>(error));
    }
    const DWORD type = ::GetFileType(handle);
    const bool isRegular = type == FILE_TYPE_DISK;
    if ((access == Access::Read || access == Access::Update) && !isRegular) {
        ::CloseHandle(handle);
        return Refuse(OpenFailure::NotAFile, ERROR_ACCESS_DENIED);
    }
    LARGE_INTEGER zero{};
    const bool ready =
        !isRegular ||
        (access == Access::Create
             ? ::SetFilePointerEx(handle, zero, nullptr, FILE_BEGIN) && ::SetEndOfFile(handle)
         : access == Access::Append ? ::SetFilePointerEx(handle, zero, nullptr, FILE_END) != 0
                                    : true);
    if (!ready) {
        const int error = LastErrorNumber();
        ::CloseHandle(handle);
        return Refuse(OpenFailure::System, error);
    }
    try {
        Adopt(reinterpret_cast<std::intptr_t>(handle), name, isRegular);
    } catch (...) {
        ::CloseHandle(handle);
        handle_ = -1;
        throw;
    }
    return true;
}

FileIdentity File::Identity() {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(Native(handle_), &info)) {
        ThrowLastError(kUnnamedFile);
    }
    return {info.dwVolumeSerialNumber,
            (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32U) | info.nFileIndexLow};
}

std::int64_t File::Length() {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(Native(handle_), &size)) {
        ThrowLastError(kUnnamedFile);
    }
    return size.QuadPart;
}

std::size_t File::Read(char* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1U << 30U));
        DWORD got = 0;
        if (!::ReadFile(Native(handle_), buffer + done, chunk, &got, nullptr)) {
            if (::GetLastError() == ERROR_SUCCESS) {
                break;
            }
            ThrowLastError(kUnnamedFile);
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

void File::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30U));
        DWORD put = 0;
        if (!::WriteFile(Native(handle_), bytes.data(), chunk, &put, nullptr)) {
            if (::GetLastError() == ERROR_SUCCESS) {
                throw FileError(FileErrorCause::DiskFull, path_);
            }
            ThrowLastError(path_);
        }
        if (put < chunk) {
            throw FileError(FileErrorCause::DiskFull, path_);
        }
        bytes.remove_prefix(put);
    }
}

void File::Seek(std::int64_t offset) {
    LARGE_INTEGER position{};
    position.QuadPart = offset;
    if (!::SetFilePointerEx(Native(handle_), position, nullptr, FILE_BEGIN)) {
        ThrowLastError(path_);
    }
}

void File::Truncate(std::int64_t length) {
    if (!isRegular_) {
        return;
    }
    if (length > Length()) {
        throw FileError(FileErrorCause::EndOfFile, path_);
    }
    LARGE_INTEGER position{};
    position.QuadPart = length;
    if (!::SetFilePointerEx(Native(handle_), position, nullptr, FILE_BEGIN) ||
        !::SetEndOfFile(Native(handle_))) {
        ThrowLastError(path_);
    }
}

void File::FlushToDisk() {
    if (isRegular_ && !::FlushFileBuffers(Native(handle_))) {
        ThrowLastError(path_);
    }
}

void File::Close() {
    if (!IsOpen()) {
        return;
    }
    HANDLE handle = Native(handle_);
    handle_ = -1;
    if (!::CloseHandle(handle) && ::GetLastError() != ERROR_SUCCESS) {
        ThrowLastError(kUnnamedFile);
    }
}

void File::CloseQuietly() noexcept {
    if (IsOpen()) {
        ::CloseHandle(Native(handle_));
        handle_ = -1;
    }
}

std::optional<FileIdentity> IdentityOf(const std::string& name) noexcept {
    // No access rights and full sharing: asking must not disturb a program that holds it.
    HANDLE handle =
        ::CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    ::CloseHandle(handle);
    if (!known) {
        return std::nullopt;
    }
    return FileIdentity{
        info.dwVolumeSerialNumber,
        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32U) | info.nFileIndexLow};
}

bool File::RenameWithoutReplacing(const std::string& to, int& error) noexcept {
    try {
        if (IdentityOf(path_) != std::optional(Identity())) {
            error = ERROR_FILE_NOT_FOUND;
            return false;
        }
        // Renamed through the handle itself: no other open could (share mode 0). The new
        // name is given in the system's own form of a full path (\??\C:\folder\name), which
        // every version reads alike; a bare name may be taken from the current folder.
        std::string renamed = ResolveFullPath(to);
        const bool network = renamed.starts_with("\\\\");
        const std::string native = network ? "\\??\\UNC\\" + renamed.substr(2) : "\\??\\" + renamed;
        const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, native.data(),
                                                     static_cast<int>(native.size()), nullptr, 0);
        if (wideLength <= 0) {
            error = LastErrorNumber();
            return false;
        }
        const std::size_t bytes =
            sizeof(FILE_RENAME_INFO) + static_cast<std::size_t>(wideLength) * sizeof(WCHAR);
        std::vector<std::byte> buffer(bytes);
        auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
        info->ReplaceIfExists = FALSE;
        info->RootDirectory = nullptr;
        info->FileNameLength = static_cast<DWORD>(wideLength) * sizeof(WCHAR);
        ::MultiByteToWideChar(CP_ACP, 0, native.data(), static_cast<int>(native.size()),
                              info->FileName, wideLength);
        if (!::SetFileInformationByHandle(Native(handle_), FileRenameInfo, info,
                                          static_cast<DWORD>(bytes))) {
            error = LastErrorNumber();
            return false;
        }
        path_ = std::move(renamed);
    } catch (const FileError&) {
        error = ERROR_READ_FAULT;
        return false;
    } catch (const std::bad_alloc&) {
        error = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    }
    error = 0;
    return true;
}

bool File::RemoveAndClose(int& error) noexcept {
    error = 0;
    // Removed by name once let go of: removing through the handle would remove what a
    // link leads to rather than the link.
    std::optional<FileIdentity> identity;
    try {
        identity = Identity();
    } catch (const FileError&) {
        error = ERROR_READ_FAULT;
    }
    CloseQuietly();
    if (!identity || IdentityOf(path_) != identity) {
        return false;
    }
    if (!::DeleteFileA(path_.c_str())) {
        error = LastErrorNumber();
        return false;
    }
    return true;
}

bool IsNameTaken(int error) noexcept {
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
}

bool StandardInputIsTerminal() noexcept {
    // Only a console has a console mode; NUL, a pipe or a file has none.
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

void OpenClosedStandardStreams() noexcept {
    for (const DWORD stream : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        HANDLE handle = ::GetStdHandle(stream);
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
            HANDLE null = ::CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr);
            if (null != INVALID_HANDLE_VALUE) {
                ::SetStdHandle(stream, null);
            }
        }
    }
}

std::string SystemErrorText(int error) {
    std::array<char, 512> text{};
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(error), 0, text.data(), static_cast<DWORD>(text.size()), nullptr);
    std::string message(text.data(), length);
    // The system's messages end with a full stop and a line break; ours add their own.
    while (!message.empty() &&
           (message.back() == '\r' || message.back() == '\n' || message.back() == '.')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(error) : message;
}

std::string ResolveFullPath(const std::string& name) {
    std::array<char, MAX_PATH * 4> full{};
    const DWORD length =
        ::GetFullPathNameA(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size()) {
        return name;
    }
    return std::string(full.data(), length);
}

// Replacing a file whole.

bool CreateNewFile(const std::string& name, int& error) noexcept {
    HANDLE handle = ::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = LastErrorNumber();
        return false;
    }
    ::CloseHandle(handle);
    error = 0;
    return true;
}

void ReplaceFileWith(const std::string& from, const std::string& to) {
    // Write-through: the call returns once the new name is on the disk.
    if (!::MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ThrowLastError(to);
    }
}

bool RemoveFile(const std::string& name) noexcept { return ::DeleteFileA(name.c_str()) != 0; }

}  // namespace velmora
