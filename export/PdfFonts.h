#pragma once

#include <span>
#include <string>
#include <vector>

namespace velmora {

// The font files that draw what the PDF's own Courier lacks (Greek, Cyrillic, most signs):
// DejaVu Sans Mono, whose letters are as wide as Courier's. A style whose file was not
// found is empty.
struct PdfFonts {
    std::string regular;
    std::string italic;
    std::string bold;
};

inline constexpr const char* kFallbackFontFile = "DejaVuSansMono.ttf";

// The folders searched, in order: "fonts" beside the program and the program's own folder
// (where the Windows build ships the fonts), then the system's font folders.
[[nodiscard]] std::vector<std::string> FontFolders(const std::string& programFolder);

[[nodiscard]] PdfFonts FindPdfFonts(std::span<const std::string> folders);

}  // namespace velmora
