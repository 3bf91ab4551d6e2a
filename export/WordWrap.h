#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// UTF-8 text cut into lines of at most width characters, at spaces; a word longer than a
// line is cut where the line ends. Text is on one line with single spaces, as
// ScriptElement holds it. Empty text is one empty line.
[[nodiscard]] std::vector<std::string> WrapWords(std::string_view text, std::size_t width);

// text in capitals: the letters of ASCII, Latin-1, Greek and Cyrillic; every other
// character as it is.
[[nodiscard]] std::string UpperCase(std::string_view utf8);

}  // namespace velmora
