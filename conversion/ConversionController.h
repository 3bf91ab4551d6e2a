#pragma once

#include "conversion/Cast.h"
#include "conversion/ScriptReadBack.h"
#include "conversion/StatusTexts.h"
#include "conversion/TextReading.h"
#include "conversion/UndoHistory.h"
#include "hint/SpeakerHinter.h"
#include "platform/File.h"
#include "script/ScriptFormat.h"
#include "script/ScriptSession.h"
#include "text/CharacterSet.h"
#include "text/TextReader.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class ConversionView;
class ConversionWalk;
class ScriptWriter;
struct EarlierRun;
struct ScriptOfText;

// The logic behind the main window's commands: one conversion of one text per run.
// It walks the text, writes narration as it goes, and stops at each paragraph with
// dialogue until the user names the speaker. It reports only through the view.
//
// A command that fails (FileError, std::bad_alloc) leaves everything as it was before the
// command began, the script's bytes included, and the error propagates; so the same
// command can simply be tried again. Every command that wrote into the script can be taken
// back with Undo, back to the first line of dialogue. Which file is the script, and that no
// earlier script is ever lost, is the session's affair (ScriptSession).
class ConversionController {
public:
    // The script's name, in the text's folder.
    static constexpr std::string_view kScriptFileName = "Script.htm";

    explicit ConversionController(ConversionView& view);
    ~ConversionController();
    ConversionController(const ConversionController&) = delete;
    ConversionController& operator=(const ConversionController&) = delete;

    void OpenTextFile();
    // slot: 1..ConversionView::kNameSlots
    void GenerateLine(int slot);
    void GenerateNote();
    void GenerateWithoutNames();
    // Writes the pending paragraph whole as narration, quotes and all, and walks on to the
    // next line of dialogue: for a paragraph whose quotes are no speech (a sign, a title, a
    // word quoted in a sentence).
    void NotDialogue();

    // Takes back the last command that wrote into the script: the script, the walk, the
    // log, the dialogue field and the status line are as they were before it.
    // @throws FileError when the script cannot be cut back; nothing is taken back then.
    void Undo();
    [[nodiscard]] bool CanUndo() const noexcept { return !history_.IsEmpty(); }

    // A file besides the text that the script must never be written over (the names file
    // of velmora-convert), and how to speak of it. Call before OpenTextFile.
    void Protect(FileIdentity identity, std::string what, std::string renamed);

    // Goes on only with an unfinished script of the text: any other script, or none, is
    // refused with a reason and left as it is. Call before OpenTextFile.
    void ContinueOnly() noexcept { continueOnly_ = true; }

    // The character set of the loaded text.
    [[nodiscard]] CharacterSet TextCharacterSet() const noexcept { return characterSet_; }

    // True while a line of dialogue waits for a name: the generate commands are accepted.
    [[nodiscard]] bool IsAcceptingCommands() const noexcept;
    // True once the script has been finished and closed ("</HTML>" written).
    [[nodiscard]] bool IsScriptFinished() const noexcept { return isFinished_; }

    // --- the script as it stands, for the exports ---
    // True once the script holds a line: a named line or a note, or it is finished.
    [[nodiscard]] bool HoldsScriptLine() const noexcept { return CanUndo() || isFinished_; }
    // The script read back from its file as it stands (the held file, or the one finished),
    // recognised as a script of the text as this run reads it. Nothing is written.
    // @throws FileError when it cannot be read.
    [[nodiscard]] ScriptReadBack ReadBackScript();
    // Everyone named in the script so far, lines taken back aside: what the name fields offer.
    [[nodiscard]] const Cast& ScriptCast() const noexcept { return cast_; }

private:
    // How to speak of a protected file.
    struct ProtectedFile {
        std::string what;
        std::string renamed;
    };

    void Show(Status status);
    // Refuses the command on the status line when commands are not accepted.
    [[nodiscard]] bool AcceptCommand();
    [[nodiscard]] ScriptFormat ChosenFormat();
    void ReportScriptOpenFailure(const ScriptOpening& opening);
    void ExplainKept(const std::string& keptName);

    // After the text loaded: goes on with the script there, or starts a new one.
    void OpenScript();
    // Whether the script there is one of this text, and under which of its readings.
    [[nodiscard]] ScriptOfText RecogniseEarlierScript();
    void RefuseToGoOn(const std::string& reason);
    // Sets the earlier script aside and walks a new one to the first line of dialogue.
    void StartNewScript();
    // Writes the script's opening in the held file and walks to the first line of dialogue;
    // true when one waits.
    [[nodiscard]] bool BeginScript(ScriptFormat format);
    // Goes on with the script under the reading it was made from, without asking again.
    void GoOnWithEarlierScript(const ScriptOfText& found);
    void ReplayEarlierRun(const EarlierRun& run);
    // Asks the questions of how to read the text that apply to it (the paragraph layout, the
    // Project Gutenberg matter, typographic quotes) and reads it as answered.
    void AskHowToRead();

    // Runs a command that writes into the script: on failure everything goes back to the
    // checkpoint taken before it; on success the checkpoint is kept for Undo.
    template <typename Body>
    void RunUndoable(Body&& body);
    [[nodiscard]] Checkpoint TakeCheckpoint();
    void RollBack(const Checkpoint& checkpoint) noexcept;
    void Restore(const Checkpoint& checkpoint);
    // Opens the script again after it was finished, to take back what finished it.
    [[nodiscard]] bool ReopenScript();

    void ShowPending();
    void LogEndOfFile();
    void CloseScript();
    void ShowFinished();
    // The end of the text after a named line: the dialogue field cleared, the end logged,
    // the script closed.
    void FinishScript();

    // The speaker hint, all in one place.
    void ShowSpeakerHint();
    // The name slots as the hint compares them: in the text's bytes.
    [[nodiscard]] std::vector<std::string> SlotNames();
    // Tells the hint who speaks the pending line, before the walk moves on.
    void ConfirmSpeaker(std::span<const std::string> names, int slot);
    // Names the pending line (slot 0: a name no slot holds) and walks on; true while a line
    // waits. Used by the command and by the replay of an earlier script alike.
    [[nodiscard]] bool NameLine(std::span<const std::string> slotNames, int slot,
                                const std::string& name);
    // Writes the pending paragraph as narration and walks on; true while a line waits.
    [[nodiscard]] bool WriteNotDialogue(std::span<const std::string> slotNames);
    [[nodiscard]] std::size_t ConfirmedSpeakers() const noexcept;
    void RetractSpeakersTo(std::size_t count);

    ConversionView& view_;
    TextReader reader_;
    TextReading reading_;  // the questions the loaded text raises, then how it is read
    // The text file's name, as the view gave it: a document by its extension.
    std::string textName_;
    ScriptSession session_{std::string(kScriptFileName)};
    std::vector<ProtectedFile> protected_;  // in the session's protected order
    std::unique_ptr<ScriptWriter> writer_;
    std::unique_ptr<ConversionWalk> walk_;
    CharacterSet characterSet_ = CharacterSet::Ascii;
    Status status_ = Status::Waiting;
    bool continueOnly_ = false;
    bool isFinished_ = false;
    int lastSlot_ = 0;  // slot that named the last line, 0 before the first
    UndoHistory history_;
    SpeakerHinter hinter_;
    Cast cast_;
};

}  // namespace velmora
