#include "hint/MentionEvidence.h"

#include "hint/Phrase.h"
#include "hint/Words.h"
#include "text/Marks.h"

namespace velmora {
namespace {

// Reads names out of the narration among words, numbering sentences on from sentence.
class MentionReader {
public:
    MentionReader(const Situation& situation, SlotEvidence& evidence, std::vector<Named>& named)
        : situation_(situation), evidence_(evidence), named_(named) {}

    // Marks each slot named outside quotations with kind.
    void Read(const std::vector<Token>& words, Evidence kind);
    void NextSentence() { ++sentence_; }

private:
    const Situation& situation_;
    SlotEvidence& evidence_;
    std::vector<Named>& named_;
    int sentence_ = 0;
};

void MentionReader::Read(const std::vector<Token>& words, Evidence kind) {
    const std::vector<SlotName>& slots = situation_.slots;
    Sex subject = Sex::kUnknown;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0 && EndsSentence(words[i - 1])) {
            ++sentence_;
            subject = Sex::kUnknown;
        }
        if (subject == Sex::kUnknown && words[i].segment % 2 == 0) {
            subject = SexOfPronoun(words[i].word);
        }
        if (words[i].segment % 2 != 0 || !words[i].capital ||
            (i > 0 && words[i - 1].word == "to")) {
            continue;
        }
        std::size_t last = i + 1;
        while (last < words.size() && last - i < 4 && words[last].capital &&
               words[last].segment == words[i].segment) {
            ++last;
        }
        const Phrase phrase{i, last, "", false, true};
        const int slot = BestName(slots, words, phrase, situation_.conversation.recent).first;
        if (slot != 0 && !IsNarrator(slots[static_cast<std::size_t>(slot - 1)].upper)) {
            evidence_.Mark(slot, kind);
            if (kind == Evidence::kGapMention || words[i].segment == 0) {
                named_.push_back({slot, sentence_, subject, TitleSex(words[i].word)});
            }
        }
        i = last - 1;
    }
}

}  // namespace

std::vector<Named> MarkMentions(const Situation& situation, SlotEvidence& evidence) {
    std::vector<Named> named;
    MentionReader reader(situation, evidence, named);
    const std::string_view gap = situation.gap;
    if (!gap.empty()) {
        reader.Read(Tokenize(gap), Evidence::kGapMention);
        if (!named.empty()) {
            evidence.Mark(named.back().slot, Evidence::kGapFinal);
        }
        const std::size_t lastBreak = gap.rfind(kParagraphBreak);
        if (lastBreak != std::string_view::npos) {
            const std::size_t before = named.size();
            reader.Read(Tokenize(gap.substr(lastBreak)), Evidence::kGapFirst);
            if (named.size() > before) {
                evidence.Clear(Evidence::kGapFirst);
                evidence.Mark(named[before].slot, Evidence::kGapFirst);
                named.resize(before);
            }
        } else if (!named.empty()) {
            evidence.Mark(named.front().slot, Evidence::kGapFirst);
        }
    }
    reader.NextSentence();
    reader.Read(situation.paragraph.tokens, Evidence::kMention);
    return named;
}

}  // namespace velmora
