#include "platform/File.h"

#include "platform/FileError.h"
#include "platform/FileErrorCauses.h"

#include <algorithm>
#include <array>
#include <string>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace velmora {
namespace {

HANDLE Native(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::string ResolveFullPath(const std::string& name) {
    std::array<char, MAX_PATH * 4> full{};
    const DWORD length =
        ::GetFullPathNameA(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size()) {
        return name;
    }
    return std::string(full.data(), length);
}

[[noreturn]] void ThrowLastError(std::string_view name) {
    throw FileError(CauseFromWin32Error(::GetLastError()), std::string(name));
}

}  // namespace

File::~File() { CloseQuietly(); }

bool File::IsOpen() const noexcept { return handle_ != -1; }

bool File::OpenForReading(const std::string& name) noexcept {
    CloseQuietly();
    // Share mode 0: nobody else may open the file while we hold it.
    HANDLE handle = ::CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    try {
        path_ = ResolveFullPath(name);
    } catch (...) {
        ::CloseHandle(handle);
        return false;
    }
    handle_ = reinterpret_cast<std::intptr_t>(handle);
    return true;
}

bool File::OpenForWriting(const std::string& name) noexcept {
    CloseQuietly();
    HANDLE handle = ::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    try {
        path_ = ResolveFullPath(name);
    } catch (...) {
        ::CloseHandle(handle);
        return false;
    }
    handle_ = reinterpret_cast<std::intptr_t>(handle);
    return true;
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

}  // namespace velmora
