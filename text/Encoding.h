#pragma once

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

}  // namespace velmora
