#include "export/PdfFonts.h"

#include <filesystem>
#include <system_error>

namespace velmora {
namespace {

std::string FindFile(std::span<const std::string> folders, const char* name) {
    for (const std::string& folder : folders) {
        const std::filesystem::path path = std::filesystem::path(folder) / name;
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) {
            return path.string();
        }
    }
    return {};
}

}  // namespace

std::vector<std::string> FontFolders(const std::string& programFolder) {
    std::vector<std::string> folders;
    if (!programFolder.empty()) {
        folders.push_back((std::filesystem::path(programFolder) / "fonts").string());
        folders.push_back(programFolder);
    }
    for (const char* folder : {"/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/TTF",
                               "/usr/share/fonts/dejavu", "/usr/local/share/fonts"}) {
        folders.emplace_back(folder);
    }
    return folders;
}

PdfFonts FindPdfFonts(std::span<const std::string> folders) {
    return {FindFile(folders, kFallbackFontFile), FindFile(folders, "DejaVuSansMono-Oblique.ttf"),
            FindFile(folders, "DejaVuSansMono-Bold.ttf")};
}

}  // namespace velmora
