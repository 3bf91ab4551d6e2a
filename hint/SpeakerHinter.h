#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct SpeakerGuess {
    int slot = 0;           // 1..number of slots; 0 for no guess
    std::string newName;    // a speaker the narration names who is in no slot, in upper case
                            // ("ELINOR"); empty when there is none
    const char* rule = "";  // which rule gave the guess, for reports
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
    [[nodiscard]] SpeakerGuess Guess(std::span<const std::string> names, std::string_view text,
                                     std::size_t begin, std::size_t end) const;

    // The user named the paragraph [begin, end) with slot (1..names.size()).
    void Confirm(std::span<const std::string> names, std::string_view text, std::size_t begin,
                 std::size_t end, int slot);

    // Takes back the last Confirm, leaving everything learned as it was before it.
    void Retract();

    [[nodiscard]] std::size_t ConfirmedCount() const noexcept { return lines_.size(); }

private:
    struct Line {
        std::string speaker;  // the slot's name, upper case and trimmed
        std::size_t begin = 0;
        std::size_t end = 0;
        bool leftOpen = false;             // the paragraph ends inside a quotation
        std::vector<std::string> aliases;  // the words that stood for the speaker, counted in
                                           // aliases_
        std::string sex;       // "he" or "she" when a title or the narration told it, counted too
        std::string listener;  // whom the line was said to, when the text tells
        std::vector<std::string> voice;  // its set-off words, counted in voices_
        bool question = false;           // its last quotation ends with a question mark
    };

    // For each slot, one bit for each kind of evidence that speaks for it. newName receives
    // the name a speech tag gives that no slot holds.
    [[nodiscard]] std::vector<std::uint32_t> Evidence(std::span<const std::string> names,
                                                      std::string_view text, std::size_t begin,
                                                      std::size_t end, std::string& newName) const;

    // The narration between the last line named and a paragraph starting at begin: its last
    // part, trimmed; empty when there is none.
    [[nodiscard]] std::string_view NarrationBefore(std::string_view text, std::size_t begin) const;

    std::vector<Line> lines_;
    // For each phrase a speech tag gave ("she", "the old gentleman", "miss dashwood"), how often
    // each speaker was meant by it.
    std::map<std::string, std::map<std::string, int>, std::less<>> aliases_;
    // For each word a speech set off on its own ("papa"), how often each speaker used it.
    std::map<std::string, std::map<std::string, int>, std::less<>> voices_;
};

}  // namespace velmora
