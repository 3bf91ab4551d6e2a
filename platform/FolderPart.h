#pragma once

#include <string>

namespace velmora {

// The folder part of path, with its last separator: "texts/" of "texts/novel.txt", empty for
// a bare name. On Windows a backslash and a drive's colon end a folder too.
[[nodiscard]] inline std::string FolderPart(const std::string& path) {
#ifdef _WIN32
    const std::size_t separator = path.find_last_of("\\/:");
#else
    const std::size_t separator = path.rfind('/');
#endif
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace velmora
