#include "platform/ProgramFolder.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <vector>
#else
#include <filesystem>
#include <system_error>
#endif

namespace velmora {

#ifdef _WIN32
std::string ProgramFolder() {
    // In the ANSI code page, as the file layer names files; cut at the last separator
    // without converting it.
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD size =
            ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (size == 0) {
            return {};
        }
        if (size < path.size()) {
            const std::string program(path.data(), size);
            const std::size_t separator = program.find_last_of("\\/");
            return separator == std::string::npos ? std::string() : program.substr(0, separator);
        }
        path.resize(path.size() * 2);
    }
}
#else
std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}
#endif

}  // namespace velmora
