#include "text/CharacterSet.h"

#include <algorithm>

namespace velmora {

bool IsValidUtf8(std::string_view text) noexcept {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned lead = bytes[i];
        if (lead < 0x80U) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned low = 0x80U;   // bounds of the second byte, which rule out overlong
        unsigned high = 0xBFU;  // forms, surrogates and values past U+10FFFF
        if (lead >= 0xC2U && lead <= 0xDFU) {
            length = 2;
        } else if (lead >= 0xE0U && lead <= 0xEFU) {
            length = 3;
            low = lead == 0xE0U ? 0xA0U : 0x80U;
            high = lead == 0xEDU ? 0x9FU : 0xBFU;
        } else if (lead >= 0xF0U && lead <= 0xF4U) {
            length = 4;
            low = lead == 0xF0U ? 0x90U : 0x80U;
            high = lead == 0xF4U ? 0x8FU : 0xBFU;
        } else {
            return false;
        }
        if (n - i < length || bytes[i + 1] < low || bytes[i + 1] > high) {
            return false;
        }
        for (std::size_t k = 2; k < length; ++k) {
            if ((bytes[i + k] & 0xC0U) != 0x80U) {
                return false;
            }
        }
        i += length;
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
