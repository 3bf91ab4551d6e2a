#pragma once

#include "hint/ConfirmedLine.h"
#include "hint/LearnedCounts.h"
#include "hint/SlotEvidence.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct SpeakerGuess {
    int slot = 0;              // 1..number of slots; 0 for no guess
    bool notDialogue = false;  // the paragraph's quotes are no speech: write it as narration
    std::string newName;       // a speaker the narration names who is in no slot, in upper case
                               // ("ELINOR"); empty when there is none
    const char* rule = "";     // the evidence that decided the guess, for reports
};

// The evidence behind a guess: what speaks for each slot, and a name no slot holds.
struct HintEvidence {
    SlotEvidence slots;
    std::string newName;
};

// Guesses who speaks a paragraph of dialogue from the paragraph, the paragraphs before it
// and the lines named so far, and learns from each line the user names: which words stand
// for whom ("the old gentleman", "she"), and who is taking part in the conversation.
//
// names: the name slots as typed, names[0] being slot 1; an empty slot never matches.
// text: the whole text; [begin, end) the paragraph's bytes in it. The same text must be
// passed to every call, since earlier lines are looked at again by their positions.
class SpeakerHinter {
public:
    //
    // A paragraph whose quotes the narrator's rules take for no speech (a few words quoted
    // inside a sentence, verse or a letter set indented) is guessed to be no dialogue when no
    // slot holds NARRATOR: where one does, the user names such lines NARRATOR, and it is
    // guessed as any slot is.
    [[nodiscard]] SpeakerGuess Guess(std::span<const std::string> names, std::string_view text,
                                     std::size_t begin, std::size_t end) const;

    // What speaks for each slot; Guess takes the slot with the most weight.
    [[nodiscard]] HintEvidence Weigh(std::span<const std::string> names, std::string_view text,
                                     std::size_t begin, std::size_t end) const;

    // The user named the paragraph [begin, end) with slot (1..names.size()).
    void Confirm(std::span<const std::string> names, std::string_view text, std::size_t begin,
                 std::size_t end, int slot);

    // The user wrote the paragraph [begin, end) as narration, as no dialogue: learned as a
    // line the narrator speaks, which takes no turn in a conversation.
    void ConfirmNotDialogue(std::span<const std::string> names, std::string_view text,
                            std::size_t begin, std::size_t end);

    // Takes back the last Confirm or ConfirmNotDialogue, leaving everything learned as it was
    // before it.
    void Retract();

    [[nodiscard]] std::size_t ConfirmedCount() const noexcept { return lines_.size(); }

private:
    // True when a slot holding NARRATOR would be guessed for the paragraph by the rules that
    // find quotes that are no speech.
    [[nodiscard]] bool IsNotDialogue(std::span<const std::string> names, std::string_view text,
                                     std::size_t begin, std::size_t end) const;

    // The narration between the last line named and a paragraph starting at begin.
    [[nodiscard]] std::string_view NarrationBefore(std::string_view text, std::size_t begin) const;

    std::vector<ConfirmedLine> lines_;
    LearnedCounts counts_;
};

}  // namespace velmora
