#pragma once

#include "hint/MentionEvidence.h"
#include "hint/Situation.h"
#include "hint/SlotEvidence.h"
#include "hint/SpeechTagReader.h"

#include <string>
#include <vector>

namespace velmora {

// What the paragraph's speech tag says: the slot it names (by the whole name, one of its
// words, or words that meant a speaker before), "I" for the narrator, a pronoun (through
// MarkPronounTag), an action next to the quotation, and whom the line is said to (added to
// addressed). A name no slot holds goes to newName, upper case; newName is left empty when
// there is none.
void MarkSpeechTag(const Situation& situation, const TagReading& reading,
                   const std::vector<Named>& named, std::vector<int>& addressed,
                   SlotEvidence& evidence, std::string& newName);

// The tag of the paragraph that follows, when that paragraph opens with a new speech: the one
// it names seldom spoke this line too.
void MarkNextTag(const Situation& situation, SlotEvidence& evidence);

}  // namespace velmora
