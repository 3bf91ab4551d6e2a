#pragma once

#include "platform/File.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// A file read whole into memory, as the text, a document and a names file are: opened
// read-only and held while it is read, measured first, and refused unread when larger than
// the caller takes.
struct WholeFile {
    std::string bytes;
    std::optional<FileIdentity> identity;  // once opened: so that nothing is written over it
    OpenRefusal refusal;                   // why it could not be opened
    bool tooLarge = false;                 // opened, but over the cap: nothing was read

    [[nodiscard]] bool IsRead() const noexcept { return identity && !tooLarge; }
};

// Reads the file name (resolved against the current directory) whole, unless it holds more
// than maxBytes. With a spareDivisor, room for a further 1/spareDivisor of the bytes is kept
// after them, for a caller that rewrites them where they are.
// @throws FileError when the opened file cannot be measured or read; it is closed then.
[[nodiscard]] WholeFile ReadWholeFile(const std::string& name, std::int64_t maxBytes,
                                      std::size_t spareDivisor = 0);

}  // namespace velmora
