#include "platform/File.h"

#include "platform/FileError.h"
#include "platform/FileErrorCauses.h"

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {
namespace {

std::string ResolveFullPath(const std::string& name) {
    std::error_code error;
    auto full = std::filesystem::absolute(name, error);
    if (error) {
        return name;
    }
    return full.lexically_normal().string();
}

// A word processor that has a document open keeps ".~lock.NAME#" beside it.
bool WordProcessorHolds(const std::string& name) {
    const std::filesystem::path path(name);
    const auto lockFile = path.parent_path() / (".~lock." + path.filename().string() + "#");
    std::error_code error;
    return std::filesystem::exists(lockFile, error);
}

int Descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

[[noreturn]] void ThrowFromErrno(int error, std::string_view name) {
    throw FileError(CauseFromErrno(error), std::string(name));
}

}  // namespace

File::~File() { CloseQuietly(); }

bool File::IsOpen() const noexcept { return handle_ >= 0; }

bool File::OpenForReading(const std::string& name) noexcept {
    CloseQuietly();
    try {
        // Non-blocking so that a named pipe cannot hang the open; it is refused below.
        const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
            ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return false;
        }
        handle_ = fd;
        path_ = ResolveFullPath(name);
        return true;
    } catch (...) {
        CloseQuietly();
        return false;
    }
}

bool File::OpenForWriting(const std::string& name) noexcept {
    CloseQuietly();
    try {
        if (WordProcessorHolds(name)) {
            return false;
        }
        // Not O_TRUNC: a file another program holds must not be emptied before we know.
        // Non-blocking so that a named pipe without a reader cannot hang the open.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
        if (fd < 0) {
            return false;
        }
        // Only regular files are held and emptied: a device such as /dev/null is shared
        // by every program, and locking it would only make them wait for each other.
        struct stat info {};
        const int flags = ::fcntl(fd, F_GETFL);
        if (::fstat(fd, &info) != 0 || flags < 0 ||
            ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
            (S_ISREG(info.st_mode) &&
             (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0))) {
            ::close(fd);
            return false;
        }
        handle_ = fd;
        path_ = ResolveFullPath(name);
        return true;
    } catch (...) {
        CloseQuietly();
        return false;
    }
}

std::int64_t File::Length() {
    struct stat info {};
    if (::fstat(Descriptor(handle_), &info) != 0) {
        ThrowFromErrno(errno, kUnnamedFile);
    }
    return static_cast<std::int64_t>(info.st_size);
}

std::size_t File::Read(char* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(Descriptor(handle_), buffer + done, count - done);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowFromErrno(errno, kUnnamedFile);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void File::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(Descriptor(handle_), bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowFromErrno(errno, path_);
        }
        if (put == 0) {
            throw FileError(FileErrorCause::DiskFull, path_);
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
}

void File::Close() {
    if (!IsOpen()) {
        return;
    }
    const int fd = Descriptor(handle_);
    handle_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        ThrowFromErrno(errno, kUnnamedFile);
    }
}

void File::CloseQuietly() noexcept {
    if (IsOpen()) {
        ::close(Descriptor(handle_));
        handle_ = -1;
    }
}

}  // namespace velmora
