#include "text/QuoteSplitter.h"

#include "text/Marks.h"

namespace velmora {

// The byte right after a quote is decided by the quote: after an opening quote it is
// always dialogue, after a closing one it is always passed over (so "a""b" is one passage
// followed by narration). Texts rely on this pairing, so it is kept exactly.
std::string ExtractDialogue(std::string_view paragraph) {
    std::string dialogue;
    bool inside = false;
    const std::size_t n = paragraph.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char byte = paragraph[i];
        if (byte == kQuote) {
            inside = !inside;
            if (++i >= n) {
                break;
            }
            if (inside) {
                dialogue += paragraph[i];
            } else {
                dialogue += ' ';
            }
        } else if (inside) {
            dialogue += byte;
        }
    }
    if (dialogue.size() >= 2 && dialogue.back() == ' ') {
        dialogue.pop_back();
    }
    if (dialogue.size() >= 2 && dialogue.back() == ',') {
        dialogue.back() = '.';
    }
    return dialogue;
}

// The mirror image: the first byte of each quoted passage is passed over, and the byte
// after a closing quote is always narration.
std::string ExtractNarration(std::string_view paragraph) {
    std::string narration;
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
                narration += ' ';
                narration += paragraph[i];
            }
        } else if (!inside) {
            narration += byte;
        }
    }
    return narration;
}

}  // namespace velmora
