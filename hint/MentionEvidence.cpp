#include "hint/MentionEvidence.h"

#include "hint/Phrase.h"
#include "hint/Words.h"
#include "text/Marks.h"
#include "text/NameSlots.h"

namespace velmora {
namespace {

// Reads names out of the narration among words, numbering sentences on from sentence: the
// slots' names, and the phrases the lines named taught stand for one slot ("Lucy" for MISS
// HONEYCHURCH, "the doctor" for MR. LOSBERNE).
class MentionReader {
public:
    MentionReader(const Situation& situation, SlotEvidence& evidence, std::vector<Named>& named)
        : situation_(situation), evidence_(evidence), named_(named) {}

    // Marks each slot named outside quotations with kind.
    void Read(const std::vector<Token>& words, Evidence kind);
    void NextSentence() { ++sentence_; }

private:
    // The length of the longest phrase from words[at] that the lines named taught stands for
    // one slot, which goes to slot; 0 when none does.
    std::size_t LearnedAt(const std::vector<Token>& words, std::size_t at, int& slot) const;

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
        // "lost faith in Anne": a name after a preposition is seldom who acts, or speaks next.
        if (words[i].segment % 2 != 0 || (i > 0 && IsPreposition(words[i - 1].word))) {
            continue;
        }
        int slot = 0;
        std::size_t last = i + 1;
        if (words[i].capital) {
            while (last < words.size() && last - i < 4 && words[last].capital &&
                   words[last].segment == words[i].segment) {
                ++last;
            }
            slot = BestName(slots, words, Phrase{i, last, "", false, true},
                            situation_.conversation.recent)
                       .first;
        }
        if (slot == 0) {
            const std::size_t learned = LearnedAt(words, i, slot);
            last = learned != 0 ? i + learned : last;
            if (learned == 0 && !words[i].capital) {
                continue;
            }
        }
        if (slot != 0 && !IsNarrator(slots[SlotIndex(slot)].upper)) {
            evidence_.Mark(slot, kind);
            if (kind == Evidence::kGapMention || words[i].segment == 0) {
                named_.push_back({slot, sentence_, subject, TitleSex(words[i].word),
                                  kind != Evidence::kMention});
            }
        }
        i = last - 1;
    }
}

std::size_t MentionReader::LearnedAt(const std::vector<Token>& words, std::size_t at,
                                     int& slot) const {
    const Token& head = words[at];
    if (IsPronoun(head.word) || (!head.capital && !IsDeterminer(head.word))) {
        return 0;
    }
    std::size_t end = at;
    while (end < words.size() && end - at < 4 && words[end].segment == head.segment) {
        ++end;
        if (EndsClause(words[end - 1]) &&
            !(IsTitle(words[end - 1].word) && words[end - 1].after == '.')) {
            break;
        }
    }
    // A description is more than its determiner.
    for (std::size_t last = end; last > at + (head.capital ? 0 : 1); --last) {
        const Tally* meant = situation_.counts.Alias(JoinWords(words, at, last));
        if (meant == nullptr) {
            continue;
        }
        const int total = Total(*meant);
        for (const auto& [speaker, count] : *meant) {
            const int found = SlotOf(situation_.slots, speaker);
            if (found != 0 && count >= 2 && MostlyMeant(count, total) && !IsNarrator(speaker)) {
                slot = found;
                return last - at;
            }
        }
    }
    return 0;
}

}  // namespace

std::vector<int> SceneNames(const Situation& situation) {
    const std::vector<ConfirmedLine>& history = situation.history;
    std::vector<int> scene;
    constexpr std::size_t kSceneLines = 6;
    for (std::size_t n = history.size(); n >= 2 && history.size() - n < kSceneLines; --n) {
        const std::string_view between =
            NarrationBetween(situation.text, history[n - 2].end, history[n - 1].begin);
        if (between.empty()) {
            continue;
        }
        SlotEvidence scratch(situation.slots.size());
        std::vector<Named> named;
        MentionReader(situation, scratch, named).Read(Tokenize(between), Evidence::kGapMention);
        for (std::size_t k = named.size(); k > 0; --k) {
            if (!Contains(scene, named[k - 1].slot)) {
                scene.push_back(named[k - 1].slot);
            }
        }
    }
    return scene;
}

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
    const std::size_t before = named.size();
    reader.Read(situation.paragraph.tokens, Evidence::kMention);
    // "Mrs. Elton turned to Emma, and went on, \"...\"": the narration leads in to its speaker.
    if (named.size() > before && IntroducesSpeech(situation.paragraph)) {
        evidence.Mark(named.back().slot, Evidence::kIntro);
    }

    return named;
}

}  // namespace velmora
