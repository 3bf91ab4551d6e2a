#pragma once

#include "conversion/WalkStep.h"
#include "text/CharacterSet.h"

#include <string>
#include <string_view>

namespace velmora {

class ConversionView;
class ScriptElementSink;
class TextReader;

// The walk through a text that every conversion makes: paragraphs without dialogue go
// into the script as narration, and the walk stops at each paragraph with dialogue until
// its speaker is named. The commands run it over the script file, and the replay that
// recognises an earlier script runs it over memory, so both write the same bytes; the
// exports run it over a recorder of the elements, so they say what the script says.
//
// log: where walked paragraphs and notes are shown (the view's paragraph log); null shows
// them nowhere. Typed texts (names, notes) are UTF-8.
// @throws FileError from the writer, std::bad_alloc.
class ConversionWalk {
public:
    ConversionWalk(TextReader& reader, ScriptElementSink& writer, CharacterSet set);

    // Reads the first paragraph and walks on to the first line of dialogue. True when one
    // is pending, false when the text ended first.
    bool Start(ConversionView* log);

    // Writes the pending line with name, then walks on to the next line of dialogue.
    // True when one is pending, false when the text ended.
    bool WriteLine(std::string_view typedName, ConversionView* log);

    // Writes "NOTE: " and the note before the pending line and logs it.
    void WriteNote(std::string_view typedNote, ConversionView* log);

    // Writes the pending paragraph whole as narration, quotes and all, as if it held no
    // dialogue, then walks on to the next line of dialogue. True when one is pending, false
    // when the text ended.
    bool WriteNotDialogue(ConversionView* log);

    // Takes one step: a line, a note or a paragraph that is not dialogue. True while a line
    // of dialogue is pending (always after a note), false once the text ended.
    bool Take(const WalkStep& step, ConversionView* log);

    // Writes the pending paragraph and every one after it, unlogged, with the placeholder
    // name for every speaker.
    void WriteRestWithoutNames();

    // Takes the pending paragraph from where the reader stands again, after it was rewound.
    void ResumeAtReader();

    // The pending paragraph (a part of the reader's text) and the dialogue it holds.
    [[nodiscard]] std::string_view Pending() const noexcept { return pending_; }
    [[nodiscard]] std::string_view Dialogue() const noexcept { return dialogue_; }

    static constexpr std::string_view kPlaceholderName = "CHARACTERNAME";

private:
    void SplitPending();
    // Logs and writes paragraphs from the pending one on, as narration, until one holds
    // dialogue (true) or the text ends (false).
    bool AdvanceFromPending(ConversionView* log);

    TextReader& reader_;
    ScriptElementSink& writer_;
    CharacterSet set_;
    // Views into the text where they can be: a paragraph may be nearly the whole text.
    std::string_view pending_;
    std::string_view split_;      // the paragraph narration_ and dialogue_ are of
    std::string_view narration_;  // the pending paragraph itself, or narrationText_
    std::string narrationText_;
    std::string dialogue_;
};

}  // namespace velmora
