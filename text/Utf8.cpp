#include "text/Utf8.h"

#include <cstdint>

namespace velmora {

Utf8Step DecodeUtf8(std::string_view bytes) noexcept {
    if (bytes.empty()) {
        return {};
    }
    const auto byte = [bytes](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned lead = byte(0);
    if (lead < 0x80U) {
        return {static_cast<char32_t>(lead), 1, true};
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
    }
    if (length == 0 || bytes.size() < 2 || byte(1) < low || byte(1) > high) {
        return {0, 1, false};
    }
    std::size_t taken = 2;
    while (taken < length && taken < bytes.size() && (byte(taken) & 0xC0U) == 0x80U) {
        ++taken;
    }
    if (taken < length) {
        return {0, taken, false};
    }
    std::uint32_t value = lead & (0x7FU >> length);
    for (std::size_t k = 1; k < length; ++k) {
        value = (value << 6U) | (byte(k) & 0x3FU);
    }
    return {static_cast<char32_t>(value), length, true};
}

}  // namespace velmora
