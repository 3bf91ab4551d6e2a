#include "hint/PronounEvidence.h"

#include "hint/Words.h"
#include "text/NameSlots.h"

#include <algorithm>
#include <iterator>

namespace velmora {
namespace {

// How far back a pronoun is looked for when the conversation has no one of that sex.
constexpr std::size_t kPronounLines = 60;

}  // namespace

int ResolvePronoun(const Situation& situation, Sex wanted, const std::vector<Named>& named,
                   const std::vector<int>& addressed) {
    const Conversation& talk = situation.conversation;
    const std::vector<SlotName>& slots = situation.slots;
    const auto sexOf = [&](int slot) { return situation.counts.SexOf(slots[SlotIndex(slot)]); };
    // The person of that sex the narration named last.
    for (auto it = named.rbegin(); it != named.rend(); ++it) {
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
        return first->slot;
    }
    // Then the conversation's one of that sex: the other party first and the last speaker
    // last, but after narration (that named no one of that sex) the last speaker first, as
    // the narration was most likely about them and they go on.
    std::vector<int> order = talk.recent;
    if (order.size() >= 2 && situation.gap.empty()) {
        std::rotate(order.begin(), order.begin() + 1, order.end());
    }
    const auto firstOf = [&](const std::vector<int>& candidates, Sex sex) {
        const auto found = std::find_if(candidates.begin(), candidates.end(), [&](int slot) {
            return sexOf(slot) == sex && !Contains(addressed, slot);
        });
        return found == candidates.end() ? 0 : *found;
    };
    if (const int slot = firstOf(order, wanted); slot != 0) {
        return slot;
    }
    // Then one of that sex the narration named between the conversation's lines: in the
    // scene, silent so far.
    if (const int slot = firstOf(SceneNames(situation), wanted); slot != 0) {
        return slot;
    }
    // Then one of the conversation whose sex is not known yet.
    if (const int slot = firstOf(order, Sex::kUnknown); slot != 0) {
        return slot;
    }
    // Else the last one of that sex to speak before the conversation.
    const std::vector<ConfirmedLine>& history = situation.history;
    for (std::size_t n = 0; n < history.size() && n < kPronounLines; ++n) {
        const int slot = SlotOf(slots, history[history.size() - 1 - n].speaker);
        if (slot != 0 && slot != talk.lastParty && sexOf(slot) == wanted &&
            !IsNarrator(slots[SlotIndex(slot)].upper) && !Contains(addressed, slot)) {
            return slot;
        }
    }
    return 0;
}

void MarkPronounTag(const Situation& situation, const Tag& tag, const std::vector<Named>& named,
                    const std::vector<int>& addressed, SlotEvidence& evidence) {
    const Conversation& talk = situation.conversation;
    if (tag.phrase.text == "the other") {
        evidence.Mark(talk.turn, tag.spoken ? Evidence::kTagPronounTurn : Evidence::kBeatPronoun);
        return;
    }
    const int slot = ResolvePronoun(situation, SexOfPronoun(tag.phrase.text), named, addressed);
    if (slot != 0) {
        evidence.Mark(slot, !tag.spoken         ? Evidence::kBeatPronoun
                            : slot == talk.turn ? Evidence::kTagPronounTurn
                                                : Evidence::kTagPronoun);
    } else if (tag.spoken) {
        evidence.Mark(talk.turn, Evidence::kTagPronounOpen);
    }
}

}  // namespace velmora
