#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Which file a name leads to: the same device and file number is the same file, whatever
// names or links lead there.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t number = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// Why the last open of a File failed.
enum class OpenFailure {
    None,
    Missing,        // nothing by that name (only for opens that do not create)
    InUse,          // another program holds the file
    WordProcessor,  // a word processor's lock file (".~lock.NAME#") stands beside it
    NotAFile,       // a folder, a pipe or the like
    System,         // any other refusal, with the system's error number
};

// Why an open was refused: the failure and, where the system gave one, its error number
// (errno, or GetLastError() on Windows).
struct OpenRefusal {
    OpenFailure failure = OpenFailure::None;
    int error = 0;
};

// A file held exclusively while it is open: no other program that respects file locks can
// open it meanwhile. Opening reports false (LastRefusal() says why); every later failure
// throws FileError. Closing happens at the latest in the destructor, quietly.
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
    // lock file beside it. An existing file is emptied only once held.
    [[nodiscard]] bool OpenForWriting(const std::string& name) noexcept;

    // Opens an existing file for writing and keeps what it holds; writing goes on at its
    // end. False as for OpenForWriting, and when the file is missing.
    [[nodiscard]] bool OpenForAppending(const std::string& name) noexcept;

    // Opens an existing regular file to read and write, keeping what it holds; reading
    // starts at its beginning. False as for OpenForAppending, and for anything but a
    // regular file (a device, a pipe, a folder: NotAFile).
    [[nodiscard]] bool OpenForUpdating(const std::string& name) noexcept;

    // Creates a new, empty regular file to read and write. False when anything by that name
    // is there already (a file, a folder, a link), so nothing is ever opened in its place.
    [[nodiscard]] bool CreateNew(const std::string& name) noexcept;

    [[nodiscard]] bool IsOpen() const noexcept;

    // Why the last open failed; OpenFailure::None after one that succeeded.
    [[nodiscard]] OpenRefusal LastRefusal() const noexcept { return lastRefusal_; }

    // The full path as resolved when the file was opened.
    [[nodiscard]] const std::string& Path() const noexcept { return path_; }

    // False for a device such as /dev/null: it has no length to keep or cut.
    [[nodiscard]] bool IsRegularFile() const noexcept { return isRegular_; }

    // @throws FileError when the file cannot be asked.
    [[nodiscard]] FileIdentity Identity();

    // @throws FileError when the length cannot be measured.
    [[nodiscard]] std::int64_t Length();

    // Reads up to count bytes; fewer only at the end of the file.
    // @throws FileError on a read failure.
    std::size_t Read(char* buffer, std::size_t count);

    // Writes all of bytes; an empty string writes nothing.
    // @throws FileError (with the full path) on a failed or short write.
    void Write(std::string_view bytes);

    // Reading and writing go on from offset. @throws FileError when the system refuses.
    void Seek(std::int64_t offset);

    // Cuts a regular file back to length bytes and goes on writing from there; a device is
    // left alone. Never lengthens a file: a length past its end throws FileError
    // (EndOfFile), and the file is left as it was.
    // @throws FileError (with the full path) when the system refuses.
    void Truncate(std::int64_t length);

    // Puts what was written on stable storage (a device has none to flush).
    // @throws FileError (with the full path) when the system reports it failed.
    void FlushToDisk();

    // @throws FileError when the system reports the close failed; the file is closed anyway.
    void Close();

    // Gives the open file the name to, in the same folder, without replacing anything that
    // name holds; the file stays open and held. Only while the name it was opened by still
    // leads to it. False with the system's error number in error (see IsNameTaken).
    [[nodiscard]] bool RenameWithoutReplacing(const std::string& to, int& error) noexcept;

    // Removes the name the file was opened by, if it still leads to this file, and closes
    // it; another name of the same file keeps it. False (the name left as it is) with the
    // system's error number in error, 0 when the name leads elsewhere now.
    [[nodiscard]] bool RemoveAndClose(int& error) noexcept;

private:
    enum class Access { Read, Create, Append, Update, CreateNew };

    // The system-specific half: opens name with access and holds it, or records why not.
    [[nodiscard]] bool OpenNative(const std::string& name, Access access);
    // Takes over an open handle and the full path name resolves to.
    void Adopt(std::intptr_t handle, const std::string& name, bool isRegular);
    [[nodiscard]] bool Refuse(OpenFailure failure, int error = 0) noexcept;
    [[nodiscard]] bool Open(const std::string& name, Access access) noexcept;
    void CloseQuietly() noexcept;

    std::intptr_t handle_ = -1;
    std::string path_;
    bool isRegular_ = false;
    OpenRefusal lastRefusal_;
};

// The identity of the file a name leads to, following links; nothing when there is none.
[[nodiscard]] std::optional<FileIdentity> IdentityOf(const std::string& name) noexcept;

// True when error, from File::RenameWithoutReplacing, says the new name is taken.
[[nodiscard]] bool IsNameTaken(int error) noexcept;

// A standard stream (input, output, error) that the program was started without is opened
// on the null device, so that no file opened later takes its place and receives what is
// written to it. Call first thing, before any file is opened.
void OpenClosedStandardStreams() noexcept;

// True when standard input is a terminal a person types at. The null device is none,
// although Windows counts it a character device as it does the console.
[[nodiscard]] bool StandardInputIsTerminal() noexcept;

// The operating system's own words for one of its error numbers ("Permission denied").
[[nodiscard]] std::string SystemErrorText(int error);

// The full path of name, resolved against the current directory; name itself when that
// fails.
[[nodiscard]] std::string ResolveFullPath(const std::string& name);

// Replacing a file whole (ReplacingFile): the system-specific steps.

// Creates name as a new, empty file, failing when anything of that name exists. False with
// the system's error number in error.
[[nodiscard]] bool CreateNewFile(const std::string& name, int& error) noexcept;

// Renames from over to, replacing a file already there, and makes the new name last.
// @throws FileError naming to when the system refuses; to is then as it was.
void ReplaceFileWith(const std::string& from, const std::string& to);

// Removes the file name; false when it could not be removed.
bool RemoveFile(const std::string& name) noexcept;

}  // namespace velmora
