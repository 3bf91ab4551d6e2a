#include "script/HtmlEscape.h"

namespace velmora {

bool NeedsHtmlEscape(std::string_view text) noexcept {
    return text.find_first_of("&<>") != std::string_view::npos;
}

std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 8);
    for (const char byte : text) {
        switch (byte) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        default:
            escaped += byte;
            break;
        }
    }
    return escaped;
}

}  // namespace velmora
