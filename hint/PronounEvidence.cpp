#include "hint/PronounEvidence.h"

#include <algorithm>
#include <iterator>

namespace velmora {
namespace {

// How far back a pronoun is looked for when the conversation has no one of that sex.
constexpr std::size_t kPronounLines = 60;

}  // namespace

void MarkPronounTag(const Situation& situation, const Tag& tag, const std::vector<Named>& named,
                    const std::vector<int>& addressed, SlotEvidence& evidence) {
    const Conversation& talk = situation.conversation;
    const std::vector<SlotName>& slots = situation.slots;
    if (tag.phrase.text == "the other") {
        evidence.Mark(talk.turn, tag.spoken ? Evidence::kTagPronounTurn : Evidence::kBeatPronoun);
        return;
    }
    const auto sexOf = [&](int slot) {
        return situation.counts.SexOf(slots[static_cast<std::size_t>(slot - 1)]);
    };
    const Sex wanted = tag.phrase.text == "he" ? Sex::kMale : Sex::kFemale;
    // The person of that sex the narration named last; else the conversation, the other
    // party first and the last speaker last.
    std::vector<int> order = talk.recent;
    if (order.size() >= 2) {
        std::rotate(order.begin(), order.begin() + 1, order.end());
    }
    bool found = false;
    const auto take = [&](int slot) {
        evidence.Mark(slot, !tag.spoken         ? Evidence::kBeatPronoun
                            : slot == talk.turn ? Evidence::kTagPronounTurn
                                                : Evidence::kTagPronoun);
        found = true;
    };
    for (auto it = named.rbegin(); it != named.rend() && !found; ++it) {
        const int slot = it->slot;
        const Sex sex = it->titled != Sex::kUnknown ? it->titled : sexOf(slot);
        if ((sex != wanted && !(sex == Sex::kUnknown && it == named.rbegin())) ||
            Contains(addressed, slot) || it->after == wanted) {
            continue;
        }
        // The first of that sex in the last sentence that names one.
        auto first = it;
        for (auto earlier = std::next(it);
             earlier != named.rend() && earlier->sentence == it->sentence; ++earlier) {
            if (sexOf(earlier->slot) == wanted) {
                first = earlier;
            }
        }
        take(first->slot);
    }
    // Then the conversation, the other party first: one of that sex, else one whose sex is
    // not known yet.
    for (const Sex sex : {wanted, Sex::kUnknown}) {
        for (const int slot : order) {
            if (!found && sexOf(slot) == sex && !Contains(addressed, slot)) {
                take(slot);
            }
        }
    }
    // Else the last one of that sex to speak before the conversation.
    const std::vector<ConfirmedLine>& history = situation.history;
    for (std::size_t n = 0; !found && n < history.size() && n < kPronounLines; ++n) {
        const int slot = SlotOf(slots, history[history.size() - 1 - n].speaker);
        if (slot != 0 && slot != talk.lastParty && sexOf(slot) == wanted &&
            !IsNarrator(slots[static_cast<std::size_t>(slot - 1)].upper) &&
            !Contains(addressed, slot)) {
            take(slot);
        }
    }
    if (!found && tag.spoken) {
        evidence.Mark(talk.turn, Evidence::kTagPronounOpen);
    }
}

}  // namespace velmora
