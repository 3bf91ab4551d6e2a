#pragma once

#include <cstddef>
#include <filesystem>

namespace velmora::test {

// Holds an exclusive lock on a file through an open of its own, the way another program
// that respects file locks would, until the object goes.
class HeldLock {
public:
    explicit HeldLock(const std::filesystem::path& file);
    ~HeldLock();
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

    [[nodiscard]] bool Holds() const noexcept { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// True when another open of the file cannot take an exclusive lock right now.
// @throws std::runtime_error when the file cannot be opened at all.
[[nodiscard]] bool IsLockedElsewhere(const std::filesystem::path& file);

// Caps the size of any file this process writes (as a nearly full disk would), with the
// signal that would otherwise end the process ignored, until the object goes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long previousSoft_ = 0;
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace velmora::test
