#include "hint/ConversationEvidence.h"

namespace velmora {
namespace {

// How many earlier lines make up the conversation.
constexpr std::size_t kConversationLines = 6;

}  // namespace

Conversation ReadConversation(const std::vector<SlotName>& slots,
                              const std::vector<ConfirmedLine>& history, const Paragraph& paragraph,
                              std::string_view gap) {
    Conversation conversation;
    std::vector<int>& recent = conversation.recent;
    for (std::size_t n = 0; n < history.size() && n < kConversationLines; ++n) {
        const std::string& speaker = history[history.size() - 1 - n].speaker;
        const int slot = SlotOf(slots, speaker);
        if (slot != 0 && !IsNarrator(speaker) && !Contains(recent, slot)) {
            recent.push_back(slot);
        }
    }
    conversation.lastSlot = history.empty() ? 0 : SlotOf(slots, history.back().speaker);
    conversation.lastParty = recent.empty() ? 0 : recent.front();
    conversation.turn = recent.size() >= 2 ? recent[1] : 0;
    conversation.continued =
        gap.empty() && !history.empty() && history.back().leftOpen && paragraph.startsWithQuote;
    return conversation;
}

void MarkConversation(const Situation& situation, SlotEvidence& evidence) {
    const Conversation& talk = situation.conversation;
    evidence.Mark(talk.turn, Evidence::kTurn);
    evidence.Mark(talk.lastParty, Evidence::kLast);
    for (std::size_t n = 2; n < talk.recent.size(); ++n) {
        evidence.Mark(talk.recent[n], Evidence::kOlder);
    }
    if (talk.continued) {
        evidence.Mark(talk.lastSlot, Evidence::kContinued);
    }
    if (!situation.gap.empty()) {
        evidence.Mark(talk.lastParty, Evidence::kGapLast);
        evidence.Mark(talk.turn, Evidence::kGapTurn);
    }
    if (!situation.history.empty()) {
        const ConfirmedLine& last = situation.history.back();
        evidence.Mark(SlotOf(situation.slots, last.listener), Evidence::kListener);
        if (last.question) {
            evidence.Mark(talk.turn, Evidence::kAnswerTurn);
        }
    }
}

}  // namespace velmora
