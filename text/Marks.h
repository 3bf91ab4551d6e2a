#pragma once

#include <string_view>

namespace velmora {

// The marks the reading rules go by: a quotation opens and closes at an ASCII double quote,
// a line ends at CR LF, and a paragraph ends at an empty line (CR LF CR LF).
inline constexpr char kQuote = '"';
inline constexpr std::string_view kLineBreak = "\r\n";
inline constexpr std::string_view kParagraphBreak = "\r\n\r\n";

}  // namespace velmora
