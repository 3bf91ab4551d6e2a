#pragma once

#include <string>
#include <string_view>

namespace velmora::fuzz {

// A file in a private folder of its own, on a memory file system where there is one, so
// that a target taking a file name can be fed one input after another cheaply. The folder
// and the file go with the object.
class ScratchFile {
public:
    explicit ScratchFile(std::string_view name);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    [[nodiscard]] const std::string& Path() const noexcept { return path_; }

    // Replaces the file's content with bytes. Aborts on failure: a fuzz run that cannot
    // write its input tests nothing.
    void Write(std::string_view bytes) const;

    // The file's whole content; aborts when it cannot be read.
    [[nodiscard]] std::string Read() const;

private:
    std::string folder_;
    std::string path_;
};

}  // namespace velmora::fuzz
