#pragma once

#include "hint/Tokenizer.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace velmora {

// The words of a paragraph that are read, and where its first quotation lies among them.
struct Paragraph {
    std::vector<Token> tokens;
    std::size_t quoteStart = 0;  // index of the first quoted word
    std::size_t afterQuote = 0;  // index of the first word after the first quotation
    bool startsWithQuote = false;
};

// A paragraph can be a whole book without a blank line; the speech tag of its first
// quotation lies near its start, so only that much of it is read.
inline constexpr std::size_t kParagraphScan = 6000;

// The bytes of the paragraph [begin, end) that are read: its start, within the text.
[[nodiscard]] std::string_view ScannedBytes(std::string_view text, std::size_t begin,
                                            std::size_t end);

// Reads the paragraph [begin, end) of text.
[[nodiscard]] Paragraph ReadParagraph(std::string_view text, std::size_t begin, std::size_t end);

// True when narration opens the paragraph and leads into a speech: its first quotation
// follows a comma or a colon and holds a sentence of some words ("Then she added, in a
// whisper, \"I named no names, you will observe.\"").
[[nodiscard]] bool IntroducesSpeech(const Paragraph& paragraph);

// True when the paragraph opens with narration, and narration is most of it: over 40 words
// of it, three times as many as are quoted ("Emma would be \"very happy to wait on Mrs.
// Bates,\" and they did at last move out of the shop, ...").
[[nodiscard]] bool MostlyNarration(const Paragraph& paragraph);

// True when the paragraph's last quotation is still open at its end: the speech goes on in
// the next paragraph.
[[nodiscard]] bool LeftOpen(std::string_view text, std::size_t begin, std::size_t end);

// True when the paragraph's last quotation ends with a question mark.
[[nodiscard]] bool EndsWithQuestion(std::string_view text, std::size_t begin, std::size_t end);

// The bounds of the paragraph that follows the one ending at end; begin == end when the text
// ends there.
struct Bounds {
    std::size_t begin = 0;
    std::size_t end = 0;
};
[[nodiscard]] Bounds NextParagraph(std::string_view text, std::size_t end);

// The narration between the end of the last line named (lastEnd) and a paragraph starting at
// begin: its last part, trimmed; empty when there is none.
[[nodiscard]] std::string_view NarrationBetween(std::string_view text, std::size_t lastEnd,
                                                std::size_t begin);

}  // namespace velmora
