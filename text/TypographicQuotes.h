#pragma once

#include "text/CharacterSet.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// Many texts mark dialogue with typographic double quotes (U+201C and U+201D) instead of the
// ASCII double quote the quote splitter looks for. Their bytes depend on the text's character
// set: E2 80 9C and E2 80 9D in UTF-8, 0x93 and 0x94 in Windows-1252, none in plain ASCII.
// Callers pass the set DetectCharacterSet gives for the whole text, so a byte 0x93 inside a
// UTF-8 character is never taken for a quote.

// True when the text holds no ASCII double quote but at least one typographic double quote,
// opening or closing: only then is it worth asking whether to treat them as double quotes.
[[nodiscard]] bool HasOnlyTypographicQuotes(std::string_view text, CharacterSet set) noexcept;

// Rewrites, in place, each typographic double quote as one ASCII double quote; in UTF-8 the
// three bytes shrink to one, so the text never grows. Every other byte stays as it was.
// Returns the number of quotes rewritten.
std::size_t StraightenTypographicQuotes(std::string& text, CharacterSet set) noexcept;

}  // namespace velmora
