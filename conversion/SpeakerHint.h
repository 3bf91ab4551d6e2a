#pragma once

#include <span>
#include <string>
#include <string_view>

namespace velmora {

// Guesses which name slot speaks the line of dialogue just shown, so the window can offer
// that slot's "Generate Line" button. Returns the slot (1..names.size()) or 0 for no guess.
//
// names: the name slots as typed, names[0] being slot 1. Spaces around a name are ignored;
//   a slot left empty never matches.
// narration: the narration of the paragraph whose dialogue is shown (ExtractNarration).
// lastSlot, slotBeforeLast: the slots that named the last line and the line before it;
//   0 (or anything outside the slots) for none.
//
// In order, the first rule that gives a slot wins:
// 1. A name that occurs in the narration as a whole word or phrase: compared without regard
//    to ASCII case, not preceded or followed by a letter or digit (bytes from 0x80 up count
//    as letters), any run of spaces or line breaks matching any other. An occurrence inside
//    a longer slot's occurrence does not count ("BINGLEY" in "said Miss Bingley" when
//    "MISS BINGLEY" is a slot). Ties go to the lower slot.
// 2. The last word of a name of several words ("MR. DARCY" in "said Darcy"), unless it is
//    a single letter or a title ("THE COLONEL"), or the narration puts a title before it
//    that the name lacks ("MRS. BENNET" is not "Miss Bennet"). Ties go to the lower slot.
// 3. Turn-taking: when the last two lines used different slots, the one before the last,
//    if that slot still holds a name.
[[nodiscard]] int HintSpeaker(std::span<const std::string> names, std::string_view narration,
                              int lastSlot, int slotBeforeLast);

}  // namespace velmora
