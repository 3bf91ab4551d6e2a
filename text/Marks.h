#pragma once

#include <string_view>

namespace velmora {

// The marks the reading rules go by: a quotation opens and closes at an ASCII double quote,
// and a paragraph ends at an empty line (CR LF CR LF).
inline constexpr char kQuote = '"';
inline constexpr std::string_view kParagraphBreak = "\r\n\r\n";

}  // namespace velmora
