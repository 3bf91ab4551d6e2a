// The quote splitter over arbitrary paragraphs. Dialogue and narration hold only bytes of
// the paragraph, in the paragraph's order, apart from the spaces that join passages and the
// full stop that replaces a final comma; and every byte other than a quote, space, comma or
// full stop lands in exactly one of the two.
#include "fuzz/support/Check.h"
#include "text/QuoteSplitter.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

std::string WithoutSpaces(std::string_view text) {
    std::string result;
    for (const char byte : text) {
        if (byte != ' ') {
            result += byte;
        }
    }
    return result;
}

// True when part (spaces ignored) can be picked out of whole (spaces ignored) in order;
// lastMayBeComma lets part's final full stop stand for a comma of whole.
bool IsOrderedPick(std::string_view whole, std::string_view part, bool lastMayBeComma) {
    const std::string from = WithoutSpaces(whole);
    const std::string picked = WithoutSpaces(part);
    std::size_t at = 0;
    for (std::size_t i = 0; i < picked.size(); ++i) {
        const bool last = i + 1 == picked.size();
        while (at < from.size() && from[at] != picked[i] &&
               !(last && lastMayBeComma && picked[i] == '.' && from[at] == ',')) {
            ++at;
        }
        if (at == from.size()) {
            return false;
        }
        ++at;
    }
    return true;
}

using Counts = std::array<std::size_t, 256>;

Counts CountBytes(std::string_view text) {
    Counts counts{};
    for (const char byte : text) {
        ++counts[static_cast<unsigned char>(byte)];
    }
    return counts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view paragraph(reinterpret_cast<const char*>(data), size);
    const std::string dialogue = velmora::ExtractDialogue(paragraph);
    const std::string narration = velmora::ExtractNarration(paragraph);

    VELMORA_FUZZ_CHECK(dialogue.size() <= paragraph.size());
    VELMORA_FUZZ_CHECK(narration.size() <= paragraph.size());
    VELMORA_FUZZ_CHECK(IsOrderedPick(paragraph, dialogue, true));
    VELMORA_FUZZ_CHECK(IsOrderedPick(paragraph, narration, false));

    // Dialogue exists exactly when a quote opens a passage: any quote but a final one.
    const std::size_t firstQuote = paragraph.find('"');
    const bool opensPassage = firstQuote != std::string_view::npos && firstQuote + 1 < size;
    VELMORA_FUZZ_CHECK(dialogue.empty() != opensPassage);
    if (firstQuote == std::string_view::npos) {
        VELMORA_FUZZ_CHECK(narration == paragraph);
    }

    const Counts in = CountBytes(paragraph);
    const Counts saying = CountBytes(dialogue);
    const Counts telling = CountBytes(narration);
    for (std::size_t byte = 0; byte < in.size(); ++byte) {
        if (byte != '"' && byte != ' ' && byte != ',' && byte != '.') {
            VELMORA_FUZZ_CHECK(saying[byte] + telling[byte] == in[byte]);
        }
    }
    VELMORA_FUZZ_CHECK(saying[','] + saying['.'] + telling[','] + telling['.'] ==
                       in[','] + in['.']);
    VELMORA_FUZZ_CHECK(saying['"'] + telling['"'] <= in['"']);

    // Pure functions: the same paragraph splits the same way again.
    VELMORA_FUZZ_CHECK(velmora::ExtractDialogue(paragraph) == dialogue);
    VELMORA_FUZZ_CHECK(velmora::ExtractNarration(paragraph) == narration);
    return 0;
}
