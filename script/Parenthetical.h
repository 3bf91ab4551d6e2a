#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Trims narration for use inside parentheses: leading spaces, then a leading run of CR and
// of LF; then, twice over, trailing runs of spaces, CR, LF, ".", ":", ";" and ",".
// The fixed order is what users' scripts look like, so it is kept exactly: " \r\n  he said"
// keeps the spaces after the break, and "x. \r\n" keeps "x. ".
[[nodiscard]] std::string NormaliseParenthetical(std::string_view text);

}  // namespace velmora
