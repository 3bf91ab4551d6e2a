#pragma once

#include <cstddef>
#include <string_view>

namespace velmora {

// One step through UTF-8 bytes: the character at the front, or the ill-formed bytes to
// pass over as one unit (the longest start of a sequence that was still going right).
struct Utf8Step {
    char32_t character = 0;  // when valid
    std::size_t length = 0;  // bytes taken: 1..4, 0 only for empty input
    bool valid = false;
};

// Decodes the sequence at the front of bytes, rejecting overlong forms, surrogates and
// values past U+10FFFF.
[[nodiscard]] Utf8Step DecodeUtf8(std::string_view bytes) noexcept;

}  // namespace velmora
