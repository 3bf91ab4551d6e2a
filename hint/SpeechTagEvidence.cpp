#include "hint/SpeechTagEvidence.h"

#include "hint/PronounEvidence.h"
#include "hint/Words.h"
#include "text/UpperCase.h"

#include <algorithm>
#include <span>

namespace velmora {
namespace {

// How far back a speaker no slot holds any more is remembered by name.
constexpr std::size_t kFormerLines = 2000;

// The slot a learned phrase meant, those in the conversation first; 0 for none. Outside the
// conversation, only a phrase that has meant one person nearly always ("the colonel", not
// "the man") is taken to mean that person again.
int AliasOf(const Situation& situation, const std::string& phrase) {
    const Tally* meant = situation.counts.Alias(phrase);
    if (meant == nullptr) {
        return 0;
    }
    const Conversation& talk = situation.conversation;
    int best = 0;
    int bestScore = 0;
    const int total = Total(*meant);
    for (const auto& [speaker, count] : *meant) {
        const int slot = SlotOf(situation.slots, speaker);
        if (slot == 0 || (!Contains(talk.recent, slot) && !MostlyMeant(count, total))) {
            continue;
        }
        int score = count * (Contains(talk.recent, slot) ? 4 : 1);
        if (slot == talk.lastParty && !talk.continued) {
            score /= 2;
        }
        if (score > bestScore) {
            best = slot;
            bestScore = score;
        }
    }
    return best;
}

// A name no slot holds any more: what the user named this phrase before, or an earlier
// speaker it names by one of the words; empty when there is none.
std::string FormerSpeaker(const Situation& situation, const std::vector<Token>& words,
                          const Phrase& phrase, const std::vector<std::string>& shortenings) {
    for (std::size_t n = shortenings.size(); n > 0; --n) {
        const Tally* meant = situation.counts.Alias(shortenings[n - 1]);
        if (meant == nullptr) {
            continue;
        }
        const int total = Total(*meant);
        for (const auto& [speaker, count] : *meant) {
            if (MostlyMeant(count, total) && !IsNarrator(speaker)) {
                return speaker;
            }
        }
    }
    const std::vector<ConfirmedLine>& history = situation.history;
    std::vector<std::string> seen;
    for (std::size_t n = history.size(); n > 0 && history.size() - n < kFormerLines; --n) {
        const std::string& speaker = history[n - 1].speaker;
        if (speaker.empty() || IsNarrator(speaker) ||
            std::find(seen.begin(), seen.end(), speaker) != seen.end()) {
            continue;
        }
        seen.push_back(speaker);
        const std::vector<SlotName> former =
            ReadSlotNames(std::span<const std::string>(&speaker, 1));
        if (NameScore(former.front(), words, phrase.first, phrase.last) > 0) {
            return speaker;
        }
    }
    return {};
}

// The tag's name as the user would type it: "MR. PALMER".
std::string Spelled(const std::vector<Token>& words, const Phrase& phrase) {
    std::string name;
    for (std::size_t i = phrase.first; i < phrase.last; ++i) {
        if (i > phrase.first) {
            name += ' ';
        }
        name += UpperCaseAscii(words[i].word);
        if (IsTitle(words[i].word) && words[i].after == '.') {
            name += '.';
        }
    }
    return name;
}

// "said the old lady", words that have meant no one yet: the lady is resolved as a "she"
// would be, but never as the one who spoke last with nothing between: she would not be
// described anew.
void MarkDescribed(const Situation& situation, const std::vector<Token>& words,
                   const Phrase& phrase, const std::vector<Named>& named,
                   const std::vector<int>& addressed, SlotEvidence& evidence) {
    Sex sex = Sex::kUnknown;
    for (std::size_t i = phrase.first + 1; i < phrase.last; ++i) {
        if (const Sex noun = NounSex(words[i].word); noun != Sex::kUnknown) {
            sex = noun;
        }
    }
    const int slot = sex == Sex::kUnknown ? 0 : ResolvePronoun(situation, sex, named, addressed);
    if (slot != situation.conversation.lastParty || !situation.gap.empty()) {
        evidence.Mark(slot, Evidence::kTagDescribed);
    }
}

}  // namespace

void MarkSpeechTag(const Situation& situation, const TagReading& reading,
                   const std::vector<Named>& named, std::vector<int>& addressed,
                   SlotEvidence& evidence, std::string& newName) {
    const std::vector<Token>& words =
        reading.joined ? reading.joined->tokens : situation.paragraph.tokens;
    const std::vector<int>& recent = situation.conversation.recent;
    if (!reading.tag) {
        return;
    }
    const Tag& tag = *reading.tag;
    // "said she to Charlotte": the one the tag says the line is said to is not its speaker.
    if (tag.listener) {
        const int listener = BestName(situation.slots, words, *tag.listener, recent).first;
        if (listener != 0 && !Contains(addressed, listener)) {
            addressed.push_back(listener);
            evidence.Mark(listener, Evidence::kAddressed);
        }
    }
    const Phrase& phrase = tag.phrase;
    if (phrase.pronoun && phrase.text == "i") {
        evidence.Mark(AliasOf(situation, "i"),
                      tag.spoken ? Evidence::kTagFirstPerson : Evidence::kBeatName);
        return;
    }
    if (phrase.pronoun || phrase.text == "the other") {
        MarkPronounTag(situation, tag, named, addressed, evidence);
        return;
    }
    const auto [best, score] = BestName(situation.slots, words, phrase, recent);
    int learned = 0;
    const std::vector<std::string> shortenings = Shortenings(words, phrase);
    for (auto it = shortenings.rbegin(); it != shortenings.rend() && learned == 0; ++it) {
        learned = AliasOf(situation, *it);
    }
    if (tag.spoken) {
        evidence.Mark(best, score == 3 ? Evidence::kTagName : Evidence::kTagWord);
        evidence.Mark(learned, Evidence::kTagLearned);
    } else {
        evidence.Mark(score > 0 ? best : learned, Evidence::kBeatName);
    }
    if (tag.spoken && best == 0 && learned == 0 && !phrase.name) {
        MarkDescribed(situation, words, phrase, named, addressed, evidence);
    }
    if (tag.spoken && !tag.loose && best == 0 && learned == 0 && phrase.name &&
        !IsNotName(words[phrase.first].word)) {
        newName = FormerSpeaker(situation, words, phrase, shortenings);
        if (newName.empty()) {  // else as the user typed it before
            newName = Spelled(words, phrase);
        }
    }
}

void MarkNextTag(const Situation& situation, SlotEvidence& evidence) {
    const Bounds next = NextParagraph(situation.text, situation.end);
    if (next.begin >= next.end || LeftOpen(situation.text, situation.begin, situation.end)) {
        return;  // the end of the text, or this speech runs on into the next paragraph
    }
    const Paragraph paragraph = ReadParagraph(situation.text, next.begin, next.end);
    if (!paragraph.startsWithQuote) {
        return;  // narration comes between: anyone may speak after it
    }
    const std::optional<Tag> tag = FindTag(paragraph);
    if (!tag || !tag->spoken || tag->phrase.text == "the other") {
        return;
    }
    if (tag->phrase.pronoun) {
        // "said he" may be either of two men; "I said" is whoever the narrator has been.
        if (tag->phrase.text == "i") {
            evidence.Mark(AliasOf(situation, "i"), Evidence::kNextTag);
        }
        return;
    }
    const std::vector<int>& recent = situation.conversation.recent;
    int slot = BestName(situation.slots, paragraph.tokens, tag->phrase, recent).first;
    if (slot == 0) {
        const std::vector<std::string> shortenings = Shortenings(paragraph.tokens, tag->phrase);
        for (auto it = shortenings.rbegin(); it != shortenings.rend() && slot == 0; ++it) {
            slot = AliasOf(situation, *it);
        }
    }
    evidence.Mark(slot, Evidence::kNextTag);
}

}  // namespace velmora
