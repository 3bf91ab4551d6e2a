#include "tests/support/FileLock.h"

#include <stdexcept>
#include <string>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace velmora::test {

// Windows holds a file through the share mode of the open itself: an open that shares
// nothing is refused while anyone else has the file open, and refuses everyone else after.

HeldLock::HeldLock(const std::filesystem::path& file) {
    if (::_wsopen_s(&fd_, file.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYRW,
                    _S_IREAD) != 0) {
        fd_ = -1;
    }
}

HeldLock::~HeldLock() {
    if (fd_ >= 0) {
        ::_close(fd_);
    }
}

bool IsLockedElsewhere(const std::filesystem::path& file) {
    HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        if (::GetLastError() == ERROR_SHARING_VIOLATION) {
            return true;
        }
        throw std::runtime_error("cannot open " + file.string() + " to probe its lock");
    }
    ::CloseHandle(handle);
    return false;
}

// Windows has no limit on the size of the files a process writes; the tests that need one
// ask CanLimitFileSize() first.
FileSizeLimit::FileSizeLimit(std::size_t /*bytes*/) {}

FileSizeLimit::~FileSizeLimit() = default;

}  // namespace velmora::test
