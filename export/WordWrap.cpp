#include "export/WordWrap.h"

#include "text/Encoding.h"
#include "text/Utf8.h"

namespace velmora {
namespace {

// The byte offset after count characters of text (or its end).
std::size_t OffsetAfter(std::string_view text, std::size_t count) {
    std::size_t at = 0;
    while (at < text.size() && count > 0) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0U) == 0x80U) {
            ++at;
        }
        --count;
    }
    return at;
}

char32_t UpperCharacter(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
        (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F)) {
        return c - 0x20;
    }
    if (c == 0x3C2) {
        return 0x3A3;  // final sigma
    }
    // Greek vowels with the tonos.
    if (c == 0x3AC) {
        return 0x386;
    }
    if (c >= 0x3AD && c <= 0x3AF) {
        return c - 0x25;
    }
    if (c == 0x3CC) {
        return 0x38C;
    }
    if (c == 0x3CD || c == 0x3CE) {
        return c - 0x3F;
    }
    if (c >= 0x450 && c <= 0x45F) {
        return c - 0x50;
    }
    return c;
}

}  // namespace

std::vector<std::string> WrapWords(std::string_view text, std::size_t width) {
    std::vector<std::string> lines;
    if (width == 0) {
        width = 1;
    }
    for (;;) {
        const std::size_t limit = OffsetAfter(text, width);
        if (limit >= text.size()) {
            break;
        }
        // The last space within the line, or the one right after it.
        std::size_t cut = text.substr(0, limit + 1).rfind(' ');
        if (cut == std::string_view::npos || cut == 0) {
            lines.emplace_back(text.substr(0, limit));
            text.remove_prefix(limit);
        } else {
            lines.emplace_back(text.substr(0, cut));
            text.remove_prefix(cut + 1);
        }
        while (text.starts_with(' ')) {
            text.remove_prefix(1);
        }
    }
    if (!text.empty() || lines.empty()) {
        lines.emplace_back(text);
    }
    return lines;
}

std::string UpperCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const Utf8Step step = DecodeUtf8(utf8);
        if (step.valid) {
            AppendUtf8(out, UpperCharacter(step.character));
        } else {
            out += utf8.substr(0, step.length);
        }
        utf8.remove_prefix(step.length);
    }
    return out;
}

}  // namespace velmora
