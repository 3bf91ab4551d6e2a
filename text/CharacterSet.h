#pragma once

#include <string_view>

namespace velmora {

// The character set a text's bytes are in, as far as the script needs to declare it.
enum class CharacterSet {
    Ascii,        // no byte of 0x80 or above: nothing to declare
    Utf8,         // valid UTF-8 throughout
    Windows1252,  // anything else is taken to be the Western Windows code page
};

[[nodiscard]] CharacterSet DetectCharacterSet(std::string_view text) noexcept;

// The label the script declares: "utf-8", "windows-1252", or empty for plain ASCII.
[[nodiscard]] std::string_view CharacterSetLabel(CharacterSet set) noexcept;

// True when text is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
[[nodiscard]] bool IsValidUtf8(std::string_view text) noexcept;

}  // namespace velmora
