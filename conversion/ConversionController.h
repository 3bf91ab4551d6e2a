#pragma once

#include "conversion/Explanations.h"
#include "hint/SpeakerHinter.h"
#include "platform/File.h"
#include "script/ScriptFormat.h"
#include "text/CharacterSet.h"
#include "text/TextReader.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace velmora {

class ConversionView;
class ConversionWalk;
class ScriptWriter;
struct EarlierRun;
struct ScriptOpening;

// The logic behind the main window's commands: one conversion of one text per run.
// It walks the text, writes narration as it goes, and stops at each paragraph with
// dialogue until the user names the speaker. It reports only through the view.
//
// A command that fails (FileError, std::bad_alloc) leaves everything as it was before the
// command began, the script's bytes included, and the error propagates; so the same
// command can simply be tried again. Every command that wrote into the script can be taken
// back with Undo, back to the first line of dialogue.
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

    // Takes back the last command that wrote into the script: the script, the walk, the
    // log, the dialogue field and the status line are as they were before it.
    // @throws FileError when the script cannot be cut back; nothing is taken back then.
    void Undo();
    [[nodiscard]] bool CanUndo() const noexcept { return !history_.empty(); }

    // A file besides the text that the script must never be written over (the names file
    // of velmora-convert), and how to speak of it. Call before OpenTextFile.
    void Protect(FileIdentity identity, std::string what, std::string renamed);

    // The character set of the loaded text.
    [[nodiscard]] CharacterSet TextCharacterSet() const noexcept { return characterSet_; }

    // True while a line of dialogue waits for a name: the generate commands are accepted.
    [[nodiscard]] bool IsAcceptingCommands() const noexcept;
    // True once the script has been finished and closed ("</HTML>" written).
    [[nodiscard]] bool IsScriptFinished() const noexcept { return isFinished_; }

private:
    enum class Status {
        Waiting,
        Loading,
        LoadFailed,
        Loaded,
        ScriptOpenFailed,
        NotOpen,
        GeneratingWithoutNames,
        Finished,
    };
    // Everything a command changes, in a few numbers: enough to put it all back.
    struct Checkpoint {
        std::int64_t scriptLength = 0;
        std::size_t readerPosition = 0;
        std::size_t paragraphBegin = 0;
        int logLines = 0;
        int lastSlot = 0;
        std::size_t confirmedSpeakers = 0;
        Status status = Status::Loaded;
    };
    struct ProtectedFile {
        FileIdentity identity;
        std::string what;
        std::string renamed;
    };

    void Show(Status status);
    // Refuses the command on the status line when commands are not accepted.
    [[nodiscard]] bool AcceptCommand();
    [[nodiscard]] std::vector<FileIdentity> ProtectedIdentities() const;
    void ReportScriptOpenFailure(const ScriptOpening& opening);
    // Opens a new script and walks to the first line of dialogue.
    void StartNewScript();
    // Offers to go on with an unfinished script of this text; true when that was taken up
    // (or refused for a reason the user is shown).
    [[nodiscard]] bool ContinueEarlierScript();
    void ReplayEarlierRun(const EarlierRun& run, ScriptFormat format);
    // Offers to read typographic quotes as double quotes when the text has no other kind.
    void OfferTypographicQuotes();

    // Runs a command that writes into the script: on failure everything goes back to the
    // checkpoint taken before it; on success the checkpoint is kept for Undo.
    template <typename Body>
    void RunUndoable(Body&& body);
    [[nodiscard]] Checkpoint TakeCheckpoint();
    void RollBack(const Checkpoint& checkpoint) noexcept;
    void Restore(const Checkpoint& checkpoint);
    // Opens the script again after it was closed, to take back what finished it.
    [[nodiscard]] bool ReopenScript();

    void ShowPending();
    void ShowSpeakerHint();
    // The name slots as the hint compares them: in the text's bytes.
    [[nodiscard]] std::vector<std::string> SlotNames();
    // Tells the hint who speaks the pending line, before the walk moves on.
    void ConfirmSpeaker(std::span<const std::string> names, int slot);
    void NameLine(int slot);
    void LogEndOfFile();
    void CloseScript();
    // The end of the text after a named line: the dialogue field cleared, the end logged,
    // the script closed.
    void FinishScript();

    ConversionView& view_;
    TextReader reader_;
    std::unique_ptr<ScriptWriter> writer_;
    std::unique_ptr<ConversionWalk> walk_;
    CharacterSet characterSet_ = CharacterSet::Ascii;
    std::vector<ProtectedFile> protected_;
    std::string scriptPath_;           // the script's full path, once opened
    std::int64_t finishedLength_ = 0;  // the script's length when it was finished
    Status status_ = Status::Waiting;
    bool isFinished_ = false;
    int lastSlot_ = 0;  // slot that named the last line, 0 before the first
    std::vector<Checkpoint> history_;
    SpeakerHinter hinter_;
};

}  // namespace velmora
