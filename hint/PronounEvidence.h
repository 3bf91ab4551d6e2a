#pragma once

#include "hint/MentionEvidence.h"
#include "hint/Situation.h"
#include "hint/SlotEvidence.h"
#include "hint/SpeechTagReader.h"

#include <vector>

namespace velmora {

// The person a "he" (wanted kMale) or "she" means: the one of that sex the narration named
// last (named), else the conversation's, the other party first, else the last of that sex to
// speak before it; never one the line is said to (addressed). 0 when there is none.
[[nodiscard]] int ResolvePronoun(const Situation& situation, Sex wanted,
                                 const std::vector<Named>& named,
                                 const std::vector<int>& addressed);

// Whom a "he" or "she" in the tag means: the person of that sex the narration named last,
// else the conversation's, the other party first, else the last of that sex to speak before
// it. Never one the line is said to (addressed). "said the other" is the other party.
void MarkPronounTag(const Situation& situation, const Tag& tag, const std::vector<Named>& named,
                    const std::vector<int>& addressed, SlotEvidence& evidence);

}  // namespace velmora
