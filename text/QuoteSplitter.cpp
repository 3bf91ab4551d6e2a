#include "text/QuoteSplitter.h"

#include "text/Marks.h"

namespace velmora {
namespace {

// The byte right after a quote is decided by the quote: after an opening quote it is
// always dialogue, after a closing one it is always passed over (so "a""b" is one passage
// followed by narration). Texts rely on this pairing, so it is kept exactly.
// Calls put with each byte of the dialogue, before the end is tidied.
template <typename Put>
void ForEachDialogueByte(std::string_view paragraph, Put&& put) {
    bool inside = false;
    const std::size_t n = paragraph.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char byte = paragraph[i];
        if (byte == kQuote) {
            inside = !inside;
            if (++i >= n) {
                break;
            }
            put(inside ? paragraph[i] : ' ');
        } else if (inside) {
            put(byte);
        }
    }
}

// The mirror image: the first byte of each quoted passage is passed over, and the byte
// after a closing quote is always narration.
template <typename Put>
void ForEachNarrationByte(std::string_view paragraph, Put&& put) {
    bool inside = false;
    const std::size_t n = paragraph.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char byte = paragraph[i];
        if (byte == kQuote) {
            inside = !inside;
            if (++i >= n) {
                break;
            }
            if (!inside) {
                put(' ');
                put(paragraph[i]);
            }
        } else if (!inside) {
            put(byte);
        }
    }
}

// The bytes put by forEach, in a string allocated once at its size: a paragraph can be
// nearly the whole text, and a string that doubles as it grows would hold twice that.
template <typename ForEach>
std::string Collected(std::string_view paragraph, ForEach&& forEach) {
    std::size_t size = 0;
    forEach(paragraph, [&size](char) { ++size; });
    std::string bytes;
    bytes.reserve(size);
    forEach(paragraph, [&bytes](char byte) { bytes += byte; });
    return bytes;
}

}  // namespace

std::string ExtractDialogue(std::string_view paragraph) {
    std::string dialogue = Collected(
        paragraph, [](std::string_view text, auto&& put) { ForEachDialogueByte(text, put); });
    if (dialogue.size() >= 2 && dialogue.back() == ' ') {
        dialogue.pop_back();
    }
    if (dialogue.size() >= 2 && dialogue.back() == ',') {
        dialogue.back() = '.';
    }
    return dialogue;
}

std::string ExtractNarration(std::string_view paragraph) {
    return Collected(paragraph,
                     [](std::string_view text, auto&& put) { ForEachNarrationByte(text, put); });
}

}  // namespace velmora
