#pragma once

#include "text/CharacterSet.h"

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Conversions between UTF-8 and the Western Windows code page, for names and notes typed in
// UTF-8 that must reach a Windows-1252 script, and for showing such a text as UTF-8.
// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for
// the control characters of the same number, so every byte survives a round trip.

// A character the code page cannot hold, and each ill-formed UTF-8 sequence, becomes "?".
[[nodiscard]] std::string Utf8ToWindows1252(std::string_view utf8);

[[nodiscard]] std::string Windows1252ToUtf8(std::string_view text);

// The byte of the code page that stands for character, or nothing when it has none.
[[nodiscard]] std::optional<char> Windows1252Byte(char32_t character) noexcept;

// Appends character (up to U+10FFFF) to out in UTF-8.
void AppendUtf8(std::string& out, char32_t character);

// What the user typed (UTF-8) as bytes of a text in set: Windows-1252 for such a text (a
// character the code page lacks becomes "?"), unchanged otherwise. For comparing with the
// text and for showing in the log beside it; the script encodes typed text itself.
[[nodiscard]] std::string TypedToText(std::string_view utf8, CharacterSet set);

// The other way: bytes of a text in set as UTF-8, the way the user would type them.
[[nodiscard]] std::string TextToTyped(std::string_view bytes, CharacterSet set);

}  // namespace velmora
