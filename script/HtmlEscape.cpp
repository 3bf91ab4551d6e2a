#include "script/HtmlEscape.h"

#include "text/Encoding.h"
#include "text/Utf8.h"

#include <array>
#include <charconv>

namespace velmora {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kLastCharacter = 0x10FFFF;

struct Entity {
    std::string_view name;
    char byte;
};
constexpr std::array<Entity, 3> kEntities = {{{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}}};

// The entity for a byte that would be read as markup, or nothing.
std::string_view EntityFor(char byte) {
    for (const Entity& entity : kEntities) {
        if (entity.byte == byte) {
            return entity.name;
        }
    }
    return {};
}

// Appends character as the script holds it: its own bytes when set has them, else a
// numeric character reference.
void AppendCharacter(std::string& out, char32_t character, CharacterSet set) {
    if (character < 0x80) {
        const auto byte = static_cast<char>(character);
        const std::string_view entity = EntityFor(byte);
        if (entity.empty()) {
            out += byte;
        } else {
            out += entity;
        }
        return;
    }
    if (set == CharacterSet::Utf8) {
        AppendUtf8(out, character);
        return;
    }
    if (set == CharacterSet::Windows1252) {
        if (const auto byte = Windows1252Byte(character)) {
            out += *byte;
            return;
        }
    }
    out += "&#";
    out += std::to_string(static_cast<std::uint32_t>(character));
    out += ';';
}

}  // namespace

bool NeedsHtmlEscape(std::string_view text) noexcept {
    return text.find_first_of("&<>") != std::string_view::npos;
}

std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 8);
    for (const char byte : text) {
        const std::string_view entity = EntityFor(byte);
        if (entity.empty()) {
            escaped += byte;
        } else {
            escaped += entity;
        }
    }
    return escaped;
}

std::string EscapeTyped(std::string_view utf8, CharacterSet set) {
    std::string out;
    out.reserve(utf8.size() + 8);
    while (!utf8.empty()) {
        const Utf8Step step = DecodeUtf8(utf8);
        AppendCharacter(out, step.valid ? step.character : kReplacementCharacter, set);
        utf8.remove_prefix(step.length);
    }
    return out;
}

std::optional<std::string> UnescapeTyped(std::string_view markup, CharacterSet set) {
    std::string out;
    std::size_t plainStart = 0;
    const auto flushPlain = [&](std::size_t end) {
        out += TextToTyped(markup.substr(plainStart, end - plainStart), set);
    };
    std::size_t at = 0;
    while (at < markup.size()) {
        const char byte = markup[at];
        if (byte == '<' || byte == '>') {
            return std::nullopt;
        }
        if (byte != '&') {
            ++at;
            continue;
        }
        flushPlain(at);
        const std::string_view rest = markup.substr(at);
        const Entity* named = nullptr;
        for (const Entity& entity : kEntities) {
            if (rest.starts_with(entity.name)) {
                named = &entity;
            }
        }
        if (named != nullptr) {
            out += named->byte;
            at += named->name.size();
        } else {
            // "&#" digits ";": only the decimal form, without leading zeros, as written.
            const std::size_t end = rest.find(';');
            if (!rest.starts_with("&#") || end == std::string_view::npos || end < 3 ||
                rest[2] == '0') {
                return std::nullopt;
            }
            std::uint32_t value = 0;
            const char* first = rest.data() + 2;
            const char* last = rest.data() + end;
            const auto [parsed, error] = std::from_chars(first, last, value);
            if (error != std::errc() || parsed != last || value > kLastCharacter ||
                (value >= 0xD800 && value <= 0xDFFF)) {
                return std::nullopt;
            }
            AppendUtf8(out, static_cast<char32_t>(value));
            at += end + 1;
        }
        plainStart = at;
    }
    flushPlain(markup.size());
    return out;
}

}  // namespace velmora
