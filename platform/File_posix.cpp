#include "platform/File.h"

#include "platform/FileError.h"
#include "platform/FileErrorCauses.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {
namespace {

int Descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

[[noreturn]] void ThrowFromErrno(int error, std::string_view name) {
    throw FileError(CauseFromErrno(error), std::string(name));
}

int OpenFlags(int access) {
    // Non-blocking so that a named pipe cannot hang the open; it is refused or released
    // from that mode below.
    return access | O_NONBLOCK | O_CLOEXEC;
}

}  // namespace

bool File::IsOpen() const noexcept { return handle_ >= 0; }

bool File::OpenNative(const std::string& name, Access access) {
    // Not O_TRUNC: a file another program holds must not be emptied before we know.
    int flags = O_WRONLY;
    switch (access) {
    case Access::Read:
        flags = O_RDONLY;
        break;
    case Access::Create:
        flags = O_WRONLY | O_CREAT;
        break;
    case Access::Append:
        break;
    case Access::Update:
        flags = O_RDWR;
        break;
    case Access::CreateNew:
        flags = O_RDWR | O_CREAT | O_EXCL;
        break;
    }
    const bool mayBeMissing = access == Access::Append || access == Access::Update;
    const int fd = ::open(name.c_str(), OpenFlags(flags), 0666);
    if (fd < 0) {
        const int error = errno;
        const OpenFailure failure = error == EISDIR                   ? OpenFailure::NotAFile
                                    : error == ENOENT && mayBeMissing ? OpenFailure::Missing
                                                                      : OpenFailure::System;
        return Refuse(failure, error);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return Refuse(OpenFailure::System, error);
    }
    const bool isRegular = S_ISREG(info.st_mode);
    // Only regular files are held, emptied and read: a device such as /dev/null is shared by
    // every program, and locking it would only make them wait for each other.
    const bool regularOnly = access == Access::Read || access == Access::Update;
    if (regularOnly ? !isRegular : S_ISDIR(info.st_mode)) {
        ::close(fd);
        return Refuse(OpenFailure::NotAFile, EISDIR);
    }
    if (isRegular && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return Refuse(error == EWOULDBLOCK ? OpenFailure::InUse : OpenFailure::System, error);
    }
    const int blocking = ::fcntl(fd, F_GETFL);
    const bool ready = blocking >= 0 && ::fcntl(fd, F_SETFL, blocking & ~O_NONBLOCK) == 0 &&
                       (!isRegular || access != Access::Create || ::ftruncate(fd, 0) == 0) &&
                       (!isRegular || access != Access::Append || ::lseek(fd, 0, SEEK_END) >= 0);
    if (!ready) {
        const int error = errno;
        ::close(fd);
        return Refuse(OpenFailure::System, error);
    }
    try {
        Adopt(fd, name, isRegular);
    } catch (...) {
        ::close(fd);
        handle_ = -1;
        throw;
    }
    return true;
}

FileIdentity File::Identity() {
    struct stat info {};
    if (::fstat(Descriptor(handle_), &info) != 0) {
        ThrowFromErrno(errno, kUnnamedFile);
    }
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
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

void File::Seek(std::int64_t offset) {
    if (::lseek(Descriptor(handle_), static_cast<off_t>(offset), SEEK_SET) < 0) {
        ThrowFromErrno(errno, path_);
    }
}

void File::Truncate(std::int64_t length) {
    if (!isRegular_) {
        return;
    }
    if (length > Length()) {
        throw FileError(FileErrorCause::EndOfFile, path_);
    }
    const int fd = Descriptor(handle_);
    if (::ftruncate(fd, static_cast<off_t>(length)) != 0 ||
        ::lseek(fd, static_cast<off_t>(length), SEEK_SET) < 0) {
        ThrowFromErrno(errno, path_);
    }
}

void File::FlushToDisk() {
    if (isRegular_ && ::fsync(Descriptor(handle_)) != 0) {
        ThrowFromErrno(errno, path_);
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

std::optional<FileIdentity> IdentityOf(const std::string& name) noexcept {
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

bool File::RenameWithoutReplacing(const std::string& to, int& error) noexcept {
    try {
        if (IdentityOf(path_) != std::optional(Identity())) {
            error = ENOENT;
            return false;
        }
        std::string renamed = ResolveFullPath(to);
        // Atomic where the file system can; elsewhere a second name then the first removed,
        // which fails the same way when to is taken.
        if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
            if (errno != EINVAL && errno != ENOSYS) {
                error = errno;
                return false;
            }
            if (::link(path_.c_str(), to.c_str()) != 0) {
                error = errno;
                return false;
            }
            ::unlink(path_.c_str());
        }
        path_ = std::move(renamed);
    } catch (const FileError&) {
        error = EIO;
        return false;
    } catch (const std::bad_alloc&) {
        error = ENOMEM;
        return false;
    }
    error = 0;
    return true;
}

bool File::RemoveAndClose(int& error) noexcept {
    error = 0;
    bool removed = false;
    try {
        if (IdentityOf(path_) == std::optional(Identity())) {
            removed = ::unlink(path_.c_str()) == 0;
            error = removed ? 0 : errno;
        }
    } catch (const FileError&) {
        error = EIO;
    }
    CloseQuietly();
    return removed;
}

bool IsNameTaken(int error) noexcept { return error == EEXIST; }

bool StandardInputIsTerminal() noexcept { return ::isatty(STDIN_FILENO) != 0; }

void OpenClosedStandardStreams() noexcept {
    // Lowest first: each open of the null device takes the lowest free number, the stream's.
    for (int stream = STDIN_FILENO; stream <= STDERR_FILENO; ++stream) {
        if (::fcntl(stream, F_GETFD) == -1 && errno == EBADF) {
            const int opened = ::open("/dev/null", O_RDWR | O_CLOEXEC);
            if (opened >= 0 && opened != stream) {
                ::dup2(opened, stream);
                ::close(opened);
            } else if (opened == stream) {
                ::fcntl(stream, F_SETFD, 0);  // inherited by what the program starts, as it was
            }
        }
    }
}

std::string SystemErrorText(int error) { return std::generic_category().message(error); }

std::string ResolveFullPath(const std::string& name) {
    std::error_code error;
    auto full = std::filesystem::absolute(name, error);
    if (error) {
        return name;
    }
    return full.lexically_normal().string();
}

// Replacing a file whole.

bool CreateNewFile(const std::string& name, int& error) noexcept {
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno;
        return false;
    }
    ::close(fd);
    error = 0;
    return true;
}

void ReplaceFileWith(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        ThrowFromErrno(errno, to);
    }
    // The new name is on stable storage once its folder is; a folder that cannot be
    // flushed (some file systems refuse) leaves the rename done all the same.
    const std::string folder = std::filesystem::path(to).parent_path().string();
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

bool RemoveFile(const std::string& name) noexcept { return ::unlink(name.c_str()) == 0; }

}  // namespace velmora
