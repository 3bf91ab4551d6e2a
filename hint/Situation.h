#pragma once

#include "hint/ConfirmedLine.h"
#include "hint/LearnedCounts.h"
#include "hint/Paragraph.h"
#include "hint/SlotNames.h"

#include <string_view>
#include <vector>

namespace velmora {

// Who has been talking, as the slots hold them now.
struct Conversation {
    std::vector<int> recent;  // the speakers of the last lines, most recent first, each once
    int lastSlot = 0;         // the last line's slot, NARRATOR's too
    int lastParty = 0;        // the last one to speak
    int turn = 0;             // the one before: whose turn it is when two take turns
    bool continued = false;   // the last line's speech runs on into this paragraph
};

// What a guess is made from: the paragraph, what came before it and what was learned.
struct Situation {
    const std::vector<SlotName>& slots;
    const Paragraph& paragraph;
    std::string_view text;  // the whole text; the paragraph is [begin, end) of it
    std::size_t begin;
    std::size_t end;
    std::string_view gap;  // the narration since the last line named, trimmed
    const std::vector<ConfirmedLine>& history;
    const LearnedCounts& counts;
    const Conversation& conversation;
};

}  // namespace velmora
