#include "text/CharacterSet.h"

#include "text/Utf8.h"

#include <algorithm>

namespace velmora {

bool IsValidUtf8(std::string_view text) noexcept {
    while (!text.empty()) {
        const Utf8Step step = DecodeUtf8(text);
        if (!step.valid) {
            return false;
        }
        text.remove_prefix(step.length);
    }
    return true;
}

CharacterSet DetectCharacterSet(std::string_view text) noexcept {
    const bool ascii = std::all_of(text.begin(), text.end(), [](char byte) {
        return static_cast<unsigned char>(byte) < 0x80U;
    });
    if (ascii) {
        return CharacterSet::Ascii;
    }
    return IsValidUtf8(text) ? CharacterSet::Utf8 : CharacterSet::Windows1252;
}

std::string_view CharacterSetLabel(CharacterSet set) noexcept {
    switch (set) {
    case CharacterSet::Utf8:
        return "utf-8";
    case CharacterSet::Windows1252:
        return "windows-1252";
    case CharacterSet::Ascii:
        break;
    }
    return {};
}

}  // namespace velmora
