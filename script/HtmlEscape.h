#pragma once

#include <string>
#include <string_view>

namespace velmora {

// True when text holds a byte that would be read as markup ("&", "<" or ">").
[[nodiscard]] bool NeedsHtmlEscape(std::string_view text) noexcept;

// text with "&", "<" and ">" replaced by their entities; every other byte unchanged.
[[nodiscard]] std::string EscapeHtml(std::string_view text);

}  // namespace velmora
