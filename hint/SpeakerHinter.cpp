#include "hint/SpeakerHinter.h"

#include "hint/AddressEvidence.h"
#include "hint/ConversationEvidence.h"
#include "hint/MentionEvidence.h"
#include "hint/NarratorEvidence.h"
#include "hint/Paragraph.h"
#include "hint/Situation.h"
#include "hint/SlotNames.h"
#include "hint/SpeechTagEvidence.h"
#include "hint/SpeechTagReader.h"
#include "hint/Words.h"
#include "text/NameSlots.h"
#include "text/UpperCase.h"

#include <utility>

namespace velmora {
namespace {

// The sex the narration of a speaker's own line tells: it is mostly about the speaker ("she
// said, turning her head"), so two of one pronoun and none of the other tell it.
Sex NarrationSex(const std::vector<Token>& tokens) {
    int he = 0;
    int she = 0;
    for (const Token& token : tokens) {
        if (token.segment % 2 == 0) {
            he += token.word == "he" || token.word == "his" || token.word == "him" ? 1 : 0;
            she += token.word == "she" || token.word == "her" ? 1 : 0;
        }
    }
    return he >= 2 && she == 0 ? Sex::kMale : she >= 2 && he == 0 ? Sex::kFemale : Sex::kUnknown;
}

}  // namespace

std::string_view SpeakerHinter::NarrationBefore(std::string_view text, std::size_t begin) const {
    return lines_.empty() ? std::string_view() : NarrationBetween(text, lines_.back().end, begin);
}

HintEvidence SpeakerHinter::Weigh(std::span<const std::string> names, std::string_view text,
                                  std::size_t begin, std::size_t end) const {
    const std::vector<SlotName> slots = ReadSlotNames(names);
    const Paragraph paragraph = ReadParagraph(text, begin, end);
    const std::string_view gap = NarrationBefore(text, begin);
    const Conversation conversation = ReadConversation(slots, lines_, paragraph, gap);
    const Situation situation{slots, paragraph, text,    begin,       end,
                              gap,   lines_,    counts_, conversation};
    HintEvidence result{SlotEvidence(slots.size()), {}};
    SlotEvidence& evidence = result.slots;

    MarkConversation(situation, evidence);
    std::vector<int> addressed = MarkAddress(situation, evidence);
    MarkNarrator(situation, evidence);
    const std::vector<Named> named = MarkMentions(situation, evidence);
    const TagReading reading = ReadTag(paragraph, text, gap, end);
    MarkSpeechTag(situation, reading, named, addressed, evidence, result.newName);
    MarkNextTag(situation, evidence);
    DropAsideForSpeaker(paragraph, evidence);
    return result;
}

bool SpeakerHinter::IsNotDialogue(std::span<const std::string> names, std::string_view text,
                                  std::size_t begin, std::size_t end) const {
    std::vector<std::string> withNarrator(names.begin(), names.end());
    withNarrator.emplace_back(kNarratorName);
    const HintEvidence weighed = Weigh(withNarrator, text, begin, end);
    const SlotEvidence::Choice best = weighed.slots.Best(withNarrator);
    return weighed.newName.empty() && best.slot == static_cast<int>(withNarrator.size()) &&
           (best.reason == Evidence::kNarratorQuoted || best.reason == Evidence::kNarratorVerse);
}

SpeakerGuess SpeakerHinter::Guess(std::span<const std::string> names, std::string_view text,
                                  std::size_t begin, std::size_t end) const {
    SpeakerGuess guess;
    const HintEvidence weighed = Weigh(names, text, begin, end);
    if (!weighed.newName.empty()) {
        guess.newName = weighed.newName;
        guess.rule = "new name";
        return guess;
    }
    if (SlotOf(ReadSlotNames(names), kNarratorName) == 0 &&
        IsNotDialogue(names, text, begin, end)) {
        guess.notDialogue = true;
        guess.rule = "not dialogue";
        return guess;
    }
    const SlotEvidence::Choice best = weighed.slots.Best(names);
    guess.slot = best.slot;
    guess.rule = best.slot == 0 ? "" : KindOf(best.reason).name.data();
    return guess;
}

void SpeakerHinter::Confirm(std::span<const std::string> names, std::string_view text,
                            std::size_t begin, std::size_t end, int slot) {
    ConfirmedLine line;
    const bool valid = slot >= 1 && static_cast<std::size_t>(slot) <= names.size();
    if (valid) {
        line.speaker = UpperCaseAscii(Trim(names[SlotIndex(slot)]));
    }
    line.begin = begin;
    line.end = end;
    line.leftOpen = LeftOpen(text, begin, end);
    line.question = EndsWithQuestion(text, begin, end);
    const Paragraph read = ReadParagraph(text, begin, end);
    const TagReading reading = ReadTag(read, text, NarrationBefore(text, begin), end);
    const Paragraph& paragraph = reading.joined ? *reading.joined : read;
    const std::optional<Tag>& tag = reading.tag;
    const bool person = !line.speaker.empty() && !IsNarrator(line.speaker);
    if (tag && tag->spoken && person) {
        line.aliases = Shortenings(paragraph.tokens, tag->phrase);
        // A title tells the sex as a pronoun does: "said Mr. Palmer" for THOMAS PALMER.
        if (tag->phrase.name) {
            line.sex = TitleSex(paragraph.tokens[tag->phrase.first].word);
        }
    }
    if (line.sex == Sex::kUnknown && person && !(tag && tag->spoken && tag->phrase.pronoun)) {
        line.sex = NarrationSex(paragraph.tokens);
    }
    if (person) {
        line.voice = SetOffWords(paragraph.tokens);
    }
    counts_.Learn(line);
    // Whom the line was said to, who is likely to answer it.
    const std::vector<SlotName> slots = ReadSlotNames(names);
    int listener = 0;
    if (tag && tag->listener) {
        listener = BestName(slots, paragraph.tokens, *tag->listener, {}).first;
    }
    if (listener == 0) {
        const std::vector<int> addressed = Vocatives(paragraph.tokens, slots, counts_);
        if (!addressed.empty()) {
            listener = addressed.front();
        }
    }
    if (listener != 0 && listener != slot) {
        line.listener = slots[SlotIndex(listener)].upper;
    }
    lines_.push_back(std::move(line));
}

void SpeakerHinter::ConfirmNotDialogue(std::span<const std::string> names, std::string_view text,
                                       std::size_t begin, std::size_t end) {
    std::vector<std::string> withNarrator(names.begin(), names.end());
    int slot = SlotOf(ReadSlotNames(names), kNarratorName);
    if (slot == 0) {
        withNarrator.emplace_back(kNarratorName);
        slot = static_cast<int>(withNarrator.size());
    }
    Confirm(withNarrator, text, begin, end, slot);
}

void SpeakerHinter::Retract() {
    if (lines_.empty()) {
        return;
    }
    counts_.Unlearn(lines_.back());
    lines_.pop_back();
}

}  // namespace velmora
