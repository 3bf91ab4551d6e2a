#pragma once

#include "platform/File.h"

#include <string>
#include <string_view>

namespace velmora {

// A file that takes the place of its name only once it is whole: it is written under a
// temporary name in the same folder, put on stable storage, then renamed over the name.
// Until then, and after any failure, a file already of that name stays as it was, and the
// temporary file is removed.
class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file beside name. False when it cannot be created there
    // (LastRefusal() says why); name is not touched either way.
    [[nodiscard]] bool Open(const std::string& name) noexcept;

    [[nodiscard]] OpenRefusal LastRefusal() const noexcept { return refusal_; }

    // The full path of the name the file will take.
    [[nodiscard]] const std::string& Path() const noexcept { return path_; }

    // Appends bytes. @throws FileError naming Path() on a failed or short write.
    void Write(std::string_view bytes);

    // Flushes and closes the temporary file and renames it over the name.
    // @throws FileError naming Path() when any of that fails; the old file stays.
    void Commit();

private:
    void Discard() noexcept;

    File file_;
    std::string path_;
    std::string temporary_;
    OpenRefusal refusal_;
};

}  // namespace velmora
