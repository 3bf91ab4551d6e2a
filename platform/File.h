#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// A file held exclusively while it is open: no other program that respects file locks can
// open it meanwhile. Opening reports false; every later failure throws FileError.
// Closing happens at the latest in the destructor, quietly.
class File {
public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens an existing regular file read-only. False when it is missing, not a regular
    // file, unreadable or held by another program.
    [[nodiscard]] bool OpenForReading(const std::string& name) noexcept;

    // Creates the file, or empties an existing one, for writing. False when it cannot be
    // created or another program holds it, including a word processor that keeps its
    // lock file (".~lock.NAME#") beside it. An existing file is emptied only once held.
    [[nodiscard]] bool OpenForWriting(const std::string& name) noexcept;

    [[nodiscard]] bool IsOpen() const noexcept;

    // The full path as resolved when the file was opened.
    [[nodiscard]] const std::string& Path() const noexcept { return path_; }

    // @throws FileError when the length cannot be measured.
    [[nodiscard]] std::int64_t Length();

    // Reads up to count bytes; fewer only at the end of the file.
    // @throws FileError on a read failure.
    std::size_t Read(char* buffer, std::size_t count);

    // Writes all of bytes in one request; an empty string writes nothing.
    // @throws FileError (with the full path) on a failed or short write.
    void Write(std::string_view bytes);

    // @throws FileError when the system reports the close failed; the file is closed anyway.
    void Close();

private:
    void CloseQuietly() noexcept;

    std::intptr_t handle_ = -1;
    std::string path_;
};

}  // namespace velmora
