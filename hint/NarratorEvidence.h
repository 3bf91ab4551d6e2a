#pragma once

#include "hint/Situation.h"
#include "hint/SlotEvidence.h"

#include <cstddef>
#include <string_view>

namespace velmora {

// True when a line inside the paragraph [begin, end) is indented further than its first
// line, as verse and the lines of a letter are set.
[[nodiscard]] bool Indented(std::string_view text, std::size_t begin, std::size_t end);

// For the slot holding NARRATOR: a paragraph that opens with narration (an aside, unless it
// leads into a speech), a few words quoted inside a sentence ('called it "a cottage"'), and
// indented lines.
void MarkNarrator(const Situation& situation, SlotEvidence& evidence);

// Narration that says who speaks is no aside; nor is narration about someone who then
// speaks, unless it is mostly narration: then the action beside a quotation is the story's,
// and the words quoted are seldom a speech.
void DropAsideForSpeaker(const Paragraph& paragraph, SlotEvidence& evidence);

}  // namespace velmora
