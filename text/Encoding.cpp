#include "text/Encoding.h"

#include "text/Utf8.h"

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

}  // namespace

std::optional<char> Windows1252Byte(char32_t character) noexcept {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<char>(static_cast<unsigned char>(character));
    }
    const auto* found = std::find(kCharacters80To9F.begin(), kCharacters80To9F.end(), character);
    if (found == kCharacters80To9F.end()) {
        return std::nullopt;
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
    } else if (value < 0x10000U) {
        out += static_cast<char>(0xE0U | (value >> 12U));
        out += static_cast<char>(0x80U | ((value >> 6U) & 0x3FU));
        out += static_cast<char>(0x80U | (value & 0x3FU));
    } else {
        out += static_cast<char>(0xF0U | (value >> 18U));
        out += static_cast<char>(0x80U | ((value >> 12U) & 0x3FU));
        out += static_cast<char>(0x80U | ((value >> 6U) & 0x3FU));
        out += static_cast<char>(0x80U | (value & 0x3FU));
    }
}

// An ill-formed sequence becomes one "?" for as far as it went right.
std::string Utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const Utf8Step step = DecodeUtf8(utf8);
        out += step.valid ? Windows1252Byte(step.character).value_or(kReplacement) : kReplacement;
        utf8.remove_prefix(step.length);
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

std::string TypedToText(std::string_view utf8, CharacterSet set) {
    return set == CharacterSet::Windows1252 ? Utf8ToWindows1252(utf8) : std::string(utf8);
}

std::string TextToTyped(std::string_view bytes, CharacterSet set) {
    return set == CharacterSet::Windows1252 ? Windows1252ToUtf8(bytes) : std::string(bytes);
}

}  // namespace velmora
