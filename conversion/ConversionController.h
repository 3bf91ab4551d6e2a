#pragma once

#include "text/CharacterSet.h"
#include "text/TextReader.h"

#include <memory>
#include <string>

namespace velmora {

class ConversionView;
class ScriptWriter;

// The logic behind the main window's commands: one conversion of one text per run.
// It walks the text, writes narration as it goes, and stops at each paragraph with
// dialogue until the user names the speaker. It reports only through the view.
// File errors (FileError) and std::bad_alloc end the command in progress and propagate.
class ConversionController {
public:
    explicit ConversionController(ConversionView& view);
    ~ConversionController();
    ConversionController(const ConversionController&) = delete;
    ConversionController& operator=(const ConversionController&) = delete;

    void OpenTextFile();
    // slot: 1..ConversionView::kNameSlots
    void GenerateLine(int slot);
    void GenerateNote();
    void GenerateWithoutNames();

    // The character set of the loaded text; names and notes are expected in it.
    [[nodiscard]] CharacterSet TextCharacterSet() const noexcept { return characterSet_; }

    // True while a line of dialogue waits for a name: the generate commands are accepted.
    [[nodiscard]] bool IsAcceptingCommands() const noexcept;
    // True once the script has been finished and closed ("</HTML>" written).
    [[nodiscard]] bool IsScriptFinished() const noexcept { return isFinished_; }

private:
    // Refuses the command on the status line when commands are not accepted.
    [[nodiscard]] bool AcceptCommand();
    void SplitPending();
    // Logs and writes paragraphs from the pending one on, as narration, until one holds
    // dialogue (shown in the dialogue field) or the text ends (the script is finished).
    void AdvanceFromPending();
    void WritePendingLine(std::string_view name);
    // Offers to read typographic quotes as double quotes when the text has no other kind.
    void OfferTypographicQuotes();
    void ShowSpeakerHint();
    void FinishScript();

    ConversionView& view_;
    TextReader reader_;
    std::unique_ptr<ScriptWriter> writer_;
    std::string pending_;
    std::string narration_;
    std::string dialogue_;
    CharacterSet characterSet_ = CharacterSet::Ascii;
    bool isFinished_ = false;
    int lastSlot_ = 0;        // slot that named the last line, 0 before the first
    int slotBeforeLast_ = 0;  // slot that named the line before it
};

}  // namespace velmora
