#include "text/Encoding.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace velmora {
namespace {

constexpr char kReplacement = '?';

// The characters of bytes 0x80 to 0x9F; from 0xA0 on the byte is the character.
// Eight to a row, so a byte is found by row and column.
// clang-format off
constexpr std::array<char32_t, 32> kCharacters80To9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
// clang-format on

char ToWindows1252(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<char>(static_cast<unsigned char>(character));
    }
    const auto* found = std::find(kCharacters80To9F.begin(), kCharacters80To9F.end(), character);
    if (found == kCharacters80To9F.end()) {
        return kReplacement;
    }
    return static_cast<char>(0x80 + (found - kCharacters80To9F.begin()));
}

void AppendUtf8(std::string& out, char32_t character) {
    const auto value = static_cast<std::uint32_t>(character);
    if (value < 0x80U) {
        out += static_cast<char>(value);
    } else if (value < 0x800U) {
        out += static_cast<char>(0xC0U | (value >> 6U));
        out += static_cast<char>(0x80U | (value & 0x3FU));
    } else {
        out += static_cast<char>(0xE0U | (value >> 12U));
        out += static_cast<char>(0x80U | ((value >> 6U) & 0x3FU));
        out += static_cast<char>(0x80U | (value & 0x3FU));
    }
}

}  // namespace

std::string Utf8ToWindows1252(std::string_view utf8) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    std::string out;
    out.reserve(n);
    std::size_t i = 0;
    while (i < n) {
        const unsigned lead = bytes[i];
        if (lead < 0x80U) {
            out += static_cast<char>(lead);
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
        }
        if (length == 0 || i + 1 >= n || bytes[i + 1] < low || bytes[i + 1] > high) {
            out += kReplacement;
            ++i;
            continue;
        }
        // An ill-formed sequence becomes one "?" for as far as it went right.
        std::size_t taken = 2;
        while (taken < length && i + taken < n && (bytes[i + taken] & 0xC0U) == 0x80U) {
            ++taken;
        }
        if (taken < length) {
            out += kReplacement;
            i += taken;
            continue;
        }
        std::uint32_t value = lead & (0x7FU >> length);
        for (std::size_t k = 1; k < length; ++k) {
            value = (value << 6U) | (bytes[i + k] & 0x3FU);
        }
        out += ToWindows1252(static_cast<char32_t>(value));
        i += length;
    }
    return out;
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char byte : text) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x80U && value < 0xA0U) {
            AppendUtf8(out, kCharacters80To9F[value - 0x80U]);
        } else {
            AppendUtf8(out, value);
        }
    }
    return out;
}

}  // namespace velmora
