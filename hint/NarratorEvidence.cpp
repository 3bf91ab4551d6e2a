#include "hint/NarratorEvidence.h"

#include "hint/Words.h"
#include "text/Lines.h"
#include "text/Marks.h"

#include <algorithm>

namespace velmora {

bool Indented(std::string_view text, std::size_t begin, std::size_t end) {
    const std::string_view bytes = ScannedBytes(text, begin, end);
    const auto indent = [](std::string_view line) {
        return std::min(line.find_first_not_of(" \t"), line.size());
    };
    LineSplitter lines(bytes);
    std::string_view line;
    lines.Next(line);
    const std::size_t first = indent(line);
    while (lines.Next(line)) {
        const std::size_t depth = indent(line);
        if (depth > first + 1 && depth < line.size() && !IsSpace(line[depth])) {
            return true;
        }
    }
    return false;
}

void MarkNarrator(const Situation& situation, SlotEvidence& evidence) {
    const Paragraph& paragraph = situation.paragraph;
    const std::vector<Token>& tokens = paragraph.tokens;
    for (std::size_t k = 0; k < situation.slots.size(); ++k) {
        if (!IsNarrator(situation.slots[k].upper)) {
            continue;
        }
        const int slot = static_cast<int>(k + 1);
        evidence.Mark(slot, Evidence::kNarrator);
        if (!paragraph.startsWithQuote && !IntroducesSpeech(paragraph)) {
            evidence.Mark(slot, Evidence::kNarratorAside);
        }
        // Nothing but a space between a word and the quote, as in 'called it "a
        // cottage"', where a speech would follow a comma or a colon.
        const bool inSentence = paragraph.quoteStart > 0 && paragraph.quoteStart < tokens.size() &&
                                tokens[paragraph.quoteStart - 1].after == kQuote &&
                                !IsSpeechVerb(tokens[paragraph.quoteStart - 1].word) &&
                                paragraph.afterQuote - paragraph.quoteStart <= 4;
        if (inSentence) {
            evidence.Mark(slot, Evidence::kNarratorQuoted);
        }
        if (Indented(situation.text, situation.begin, situation.end)) {
            evidence.Mark(slot, Evidence::kNarratorVerse);
        }
    }
}

void DropAsideForSpeaker(const Paragraph& paragraph, SlotEvidence& evidence) {
    const EvidenceSet beat = {Evidence::kBeatName, Evidence::kBeatPronoun};
    const EvidenceSet tag = {Evidence::kTagName,        Evidence::kTagWord,
                             Evidence::kTagLearned,     Evidence::kTagPronoun,
                             Evidence::kTagPronounTurn, Evidence::kTagFirstPerson};
    if (evidence.Any(tag) || (evidence.Any(beat) && !MostlyNarration(paragraph))) {
        evidence.Clear(Evidence::kNarratorAside);
    }
}

}  // namespace velmora
