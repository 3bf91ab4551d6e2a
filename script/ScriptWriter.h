#pragma once

#include "script/ScriptElementSink.h"
#include "text/CharacterSet.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class ScriptOutput;

// Writes a script as it goes: every tag and every text is handed to the output the moment
// it is produced, so the output always holds everything generated so far. A script format
// derives from this and gives each of the four elements its markup; the writer does the
// rest (trimming, escaping, encoding what was typed).
//
// Texts from the novel are bytes in its character set; what the user typed (names, notes)
// is UTF-8, and is written in the script's character set, with numeric character
// references for characters it cannot hold.
class ScriptWriter : public ScriptElementSink {
public:
    // The markup that ends every finished script.
    static constexpr std::string_view kScriptEnd = "</HTML>";

    ScriptWriter();
    ~ScriptWriter() override;
    ScriptWriter(const ScriptWriter&) = delete;
    ScriptWriter& operator=(const ScriptWriter&) = delete;

    // Starts a script on output: "<HTML>", followed by a character-set declaration unless
    // the text is plain ASCII. @throws FileError when the opening markup cannot be written.
    void Open(std::unique_ptr<ScriptOutput> output, CharacterSet set);
    // Goes on with a script that output already holds, written for a text in set.
    void Continue(std::unique_ptr<ScriptOutput> output, CharacterSet set);

    [[nodiscard]] bool IsOpen() const noexcept;

    // Writes "</HTML>" and closes the script, safe on disk. Does nothing when not open.
    // @throws FileError on a write, flush or close failure.
    void Close();

    // Lets go of the output as it is, without the closing markup.
    void Abandon() noexcept;

    // The script's length so far, and a way back to an earlier one.
    // @throws FileError when the output cannot be measured or cut.
    [[nodiscard]] std::int64_t Length();
    void Truncate(std::int64_t length);

    // The element operations. @throws FileError on a write failure.
    void WriteCharacterName(std::string_view typedName) override;
    void WriteParenthetical(std::string_view text) override;
    void WriteDialogue(std::string_view text) override;
    void WriteNarration(std::string_view text) override;
    // A note the user typed, in the markup of narration.
    void WriteNote(std::string_view typedText) override;

    // Reading a script back: what one element at the start of markup holds, and how many
    // bytes the element takes; nothing when markup does not start with a whole element of
    // that kind. Text is as typed (UTF-8); a note's is as written, after any trimming.
    struct ReadBack {
        std::string text;
        std::size_t length = 0;
    };
    [[nodiscard]] std::optional<ReadBack> ReadCharacterName(std::string_view markup) const;
    [[nodiscard]] std::optional<ReadBack> ReadNote(std::string_view markup) const;
    // True when markup could be the start of a name or a note cut short; noteStart is how
    // every note's text begins, so that narration is never taken for a note.
    [[nodiscard]] bool CouldStartNameOrNote(std::string_view markup,
                                            std::string_view noteStart) const;

protected:
    // Tags written one after the other, each as its own write; an empty one is skipped.
    struct Tags {
        std::string_view first;
        std::string_view second;
    };
    // A format's markup: the tags before and after each element's text.
    struct FormatMarkup {
        Tags nameOpen, nameClose;
        Tags parentheticalOpen, parentheticalClose;
        Tags dialogueOpen, dialogueClose;
        Tags narrationOpen, narrationClose;
        // Narration is trimmed and set as a parenthetical (between narrationOpen and
        // narrationClose), and gives no parenthetical when it trims to nothing.
        bool narrationAsParenthetical = false;
    };
    [[nodiscard]] virtual const FormatMarkup& Markup() const noexcept = 0;

private:
    void WriteTags(const Tags& tags);
    // Text from the novel, with "&", "<" and ">" escaped.
    void WriteText(std::string_view text);
    void WriteTyped(std::string_view utf8);
    // The narration markup around text already escaped and encoded.
    void WriteNarrationElement(std::string_view text, bool typed);
    [[nodiscard]] std::optional<ReadBack> ReadBetween(std::string_view markup, const Tags& open,
                                                      const Tags& close) const;

    std::unique_ptr<ScriptOutput> output_;
    CharacterSet set_ = CharacterSet::Ascii;
};

}  // namespace velmora
