#pragma once

#include "text/CharacterSet.h"

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// True when text holds a byte that would be read as markup ("&", "<" or ">").
[[nodiscard]] bool NeedsHtmlEscape(std::string_view text) noexcept;

// text with "&", "<" and ">" replaced by their entities; every other byte unchanged.
[[nodiscard]] std::string EscapeHtml(std::string_view text);

// What the user typed (UTF-8), for a script of a text in set: escaped as above, and each
// character the set cannot hold written as a numeric character reference ("&#203;"), so the
// script shows it whatever character set it declares. An ill-formed sequence is U+FFFD.
[[nodiscard]] std::string EscapeTyped(std::string_view utf8, CharacterSet set);

// The other way, for typed text read back out of a script: the entities EscapeTyped writes
// decoded and every other byte taken in set, all as UTF-8. Nothing when the markup holds
// what EscapeTyped never writes (a "<", or an "&" that starts no such entity).
[[nodiscard]] std::optional<std::string> UnescapeTyped(std::string_view markup, CharacterSet set);

}  // namespace velmora
