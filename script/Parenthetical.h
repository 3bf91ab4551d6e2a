#pragma once

#include <string_view>

namespace velmora {

// Trims narration for use inside parentheses: leading spaces, then a leading run of CR and
// of LF; then, twice over, trailing runs of spaces, CR, LF, ".", ":", ";" and ",".
// The fixed order is what users' scripts look like, so it is kept exactly: " \r\n  he said"
// keeps the spaces after the break, and "x. \r\n" keeps "x. ". The result is a part of text:
// a paragraph of any length is trimmed without a copy.
[[nodiscard]] std::string_view NormaliseParenthetical(std::string_view text);

}  // namespace velmora
