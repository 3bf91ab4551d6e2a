#pragma once

#include "text/CharacterSet.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// Text as a reader of the script sees it, in UTF-8. The script is HTML, so a reader sees
// each run of white space (spaces, tabs, the text's own line breaks) as one space and none
// at either end; control characters, which no export can carry, count as white space.
// Bytes are taken in set; an ill-formed UTF-8 sequence, and a non-character, is U+FFFD.
[[nodiscard]] std::string DisplayText(std::string_view bytes, CharacterSet set);

// The number of characters (code points) of UTF-8 text.
[[nodiscard]] std::size_t CharacterCount(std::string_view utf8) noexcept;

}  // namespace velmora
