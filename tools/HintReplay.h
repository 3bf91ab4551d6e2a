#pragma once

#include "hint/SpeakerHinter.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A line of an annotated novel: its speaker's name and, when given, its paragraph's start.
struct AnnotatedLine {
    std::string speaker;
    std::string paragraphStart;
};

// Calls take with each line of a table file (an annotated novel, the floors) that is neither
// empty nor a comment (starting with '#'), a CR at its end left out. False when the file
// cannot be read or take refuses a line.
[[nodiscard]] bool ForEachTableLine(const std::string& file,
                                    const std::function<bool(const std::string&)>& take);

// Reads a NAME.speakers.txt: one name per line of dialogue, in order, optionally followed by
// a tab, "# " and the start of the paragraph; lines starting with '#' are comments. False
// when the file cannot be read.
[[nodiscard]] bool ReadAnnotatedLines(const std::string& file, std::vector<AnnotatedLine>& lines);

// One line of dialogue as the replay reaches it, before the user names it.
struct ReplayedLine {
    int index = 0;  // 0 for the first line of dialogue
    const AnnotatedLine* annotation = nullptr;
    std::span<const std::string> slots;  // the name slots as they are now
    std::string_view text;               // the whole text
    std::size_t begin = 0;               // the paragraph's bytes in text
    std::size_t end = 0;
    std::string_view paragraph;
    int slot = 0;  // the slot holding the speaker's name; 0 when it is in none yet
    // The user writes the paragraph as narration with "Not Dialogue" (its speaker is
    // NARRATOR, and the replay was asked to name such lines so): it takes no slot.
    bool notDialogue = false;
};

// Replays the naming of a novel's lines of dialogue as a user would do it: the user types each
// new name into the next free slot (once all are full, over the slot used longest ago) and
// presses the button of the slot holding the line's name; the hinter learns each line once it
// is named. visit sees each line before it is named, with the hinter as it is then.
// notDialogue: the user writes the lines of NARRATOR with "Not Dialogue" instead of naming
// them from a slot.
// Returns 0, 1 when the speakers do not fit the text, or 77 when a file cannot be read.
using LineVisitor = std::function<void(const ReplayedLine&, const SpeakerHinter&)>;
[[nodiscard]] int ReplayNovel(const std::string& textFile, const std::string& speakersFile,
                              const LineVisitor& visit, bool notDialogue = false);

// The NAME of every NAME.speakers.txt in folder, sorted; empty when there is none.
[[nodiscard]] std::vector<std::string> AnnotatedNovels(const std::string& folder);

// The exit status for a file that cannot be read, so a test run without the corpus is skipped.
inline constexpr int kMissingFile = 77;

}  // namespace velmora
