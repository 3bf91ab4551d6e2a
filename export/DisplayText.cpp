#include "export/DisplayText.h"

#include "text/Encoding.h"
#include "text/Utf8.h"

namespace velmora {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsSpaceOrControl(char32_t character) noexcept {
    return character <= 0x20 || (character >= 0x7F && character <= 0x9F);
}

bool IsNonCharacter(char32_t character) noexcept {
    return (character & 0xFFFEU) == 0xFFFEU || (character >= 0xFDD0 && character <= 0xFDEF);
}

}  // namespace

std::string DisplayText(std::string_view bytes, CharacterSet set) {
    std::string decoded;
    if (set == CharacterSet::Windows1252) {
        decoded = Windows1252ToUtf8(bytes);
        bytes = decoded;
    }
    std::string out;
    out.reserve(bytes.size());
    bool pendingSpace = false;
    while (!bytes.empty()) {
        const Utf8Step step = DecodeUtf8(bytes);
        char32_t character = step.valid ? step.character : kReplacementCharacter;
        bytes.remove_prefix(step.length);
        if (IsSpaceOrControl(character)) {
            pendingSpace = !out.empty();
            continue;
        }
        if (IsNonCharacter(character)) {
            character = kReplacementCharacter;
        }
        if (pendingSpace) {
            out += ' ';
            pendingSpace = false;
        }
        if (character < 0x80) {
            out += static_cast<char>(character);
        } else {
            AppendUtf8(out, character);
        }
    }
    return out;
}

std::size_t CharacterCount(std::string_view utf8) noexcept {
    std::size_t count = 0;
    for (const char byte : utf8) {
        count += (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U ? 1 : 0;
    }
    return count;
}

}  // namespace velmora
