#pragma once

#include "conversion/WalkStep.h"
#include "script/ScriptFormat.h"
#include "text/CharacterSet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class ScriptSource;

// What an earlier script says of the run that wrote it: whether it is a script of this text,
// finished or not (and if not, why not), and every name, note and paragraph that is not
// dialogue the user gave, in order, read back out of its markup.
struct EarlierRun {
    enum class Verdict {
        Unfinished,   // an unfinished script of this text: it can be gone on with
        Finished,     // a finished script of this text
        NotAScript,   // it does not begin as a script does
        OtherText,    // a script, but of another text: it parts from this one at once
        ChangedText,  // a script of this text as it was before a change: they part later on
    };
    using Step = WalkStep;

    Verdict verdict = Verdict::NotAScript;
    ScriptFormat format = ScriptFormat::ScreenPlay;  // the format the script is written in
    std::vector<Step> steps;                         // of a script of this text, finished or not
    int lines = 0;                                   // named lines among the steps
    // Unfinished: the script up to the end of its last whole command. 0 when it stops before
    // its first line of dialogue: then it is written again from its beginning.
    std::int64_t keptLength = 0;
    bool textEnded = false;   // Unfinished: the walk is at the end of the text
    std::size_t partsAt = 0;  // ChangedText: where in the text the paragraph they part at begins

    [[nodiscard]] bool IsOfThisText() const noexcept {
        return verdict == Verdict::Unfinished || verdict == Verdict::Finished;
    }
};

// Recognises script as a script of text in set, in the format it is written in (preferred
// first): replays the conversion with the steps the script holds, comparing the
// bytes the replay writes with the script's own as they are written, and stops where they
// part. A last command cut short is dropped; spaces and line breaks an editor added after
// the last whole command (or after "</HTML>") are let be. The script is read only as far as
// the replay needs, a piece at a time.
//
// Where a line was pending, narration that holds exactly that paragraph, quotes and all, is
// a paragraph that is not dialogue: the walk writes no other narration there. A note holds
// the same bytes only when the paragraph itself starts with "NOTE: " and the note typed is
// the rest of it word for word; such a script is read as a paragraph that is not dialogue.
// @throws FileError when the script cannot be read.
[[nodiscard]] EarlierRun RecogniseEarlierRun(std::string_view text, ScriptFormat preferred,
                                             CharacterSet set, ScriptSource& script);
[[nodiscard]] EarlierRun RecogniseEarlierRun(std::string_view text, ScriptFormat preferred,
                                             CharacterSet set, std::string_view script);

// The number (from 1) of the line of text that offset is on; CR LF, CR and LF each end one.
[[nodiscard]] int LineNumberAt(std::string_view text, std::size_t offset) noexcept;

}  // namespace velmora
