#pragma once

#include "hint/Sex.h"
#include "hint/Situation.h"
#include "hint/SlotEvidence.h"

#include <vector>

namespace velmora {

// A person the narration leading up to the quotation names, with a number for each
// sentence: "he" in the tag most likely means the last of them of that sex.
struct Named {
    int slot = 0;
    int sentence = 0;
    // The sex of a "he" or "she" that came before the name in its sentence: "he could see
    // Mr. Palmer" names someone that "he" is not.
    Sex after = Sex::kUnknown;
    Sex titled = Sex::kUnknown;  // the sex of the title the name came with: "Sir William Lucas"
    bool inGap = false;          // named in the narration since the last line
};

// Who the narration names: since the last line (the first and the last named in its last
// paragraph), around the paragraph's quotations, and last before a speech the paragraph's
// narration leads into. Returns them in the order named.
std::vector<Named> MarkMentions(const Situation& situation, SlotEvidence& evidence);

// The people the narration named between the conversation's lines (the last few), most
// recently named first, each once: those in the scene who may not have spoken.
[[nodiscard]] std::vector<int> SceneNames(const Situation& situation);

}  // namespace velmora
