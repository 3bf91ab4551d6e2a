#include "export/TitlePage.h"

#include "export/DisplayText.h"

#include <filesystem>

namespace velmora {
namespace {

// The header of a Project Gutenberg text lies within its first few kilobytes.
constexpr std::size_t kHeaderLength = 8192;
constexpr std::string_view kSource = "based on the novel";

// The value of the first line of the header that starts with key ("Title:").
std::string HeaderValue(std::string_view text, std::string_view key, CharacterSet set) {
    const std::string_view header = text.substr(0, kHeaderLength);
    std::size_t at = 0;
    while (at < header.size()) {
        std::size_t end = header.find('\n', at);
        if (end == std::string_view::npos) {
            end = header.size();
        }
        const std::string_view line = header.substr(at, end - at);
        if (line.starts_with(key)) {
            return DisplayText(line.substr(key.size()), set);
        }
        at = end + 1;
    }
    return {};
}

}  // namespace

TitlePage TitlePageOf(std::string_view text, CharacterSet set, std::string_view fileName) {
    TitlePage page;
    page.title = HeaderValue(text, "Title:", set);
    if (page.title.empty()) {
        page.title =
            DisplayText(std::filesystem::path(fileName).stem().string(), CharacterSet::Utf8);
    }
    if (page.title.empty()) {
        page.title = "Untitled";
    }
    page.source = kSource;
    if (const std::string author = HeaderValue(text, "Author:", set); !author.empty()) {
        page.source += " by " + author;
    }
    return page;
}

}  // namespace velmora
