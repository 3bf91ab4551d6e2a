#include "conversion/ConversionController.h"

#include "conversion/ConversionView.h"
#include "conversion/ConversionWalk.h"
#include "conversion/EarlierRun.h"
#include "conversion/Explanations.h"
#include "conversion/NovelFile.h"
#include "conversion/ParagraphLog.h"
#include "conversion/ScriptOfText.h"
#include "conversion/WaitCursor.h"
#include "platform/FileError.h"
#include "script/CountingScript.h"
#include "script/ScriptOutput.h"
#include "script/ScriptSource.h"
#include "script/ScriptWriter.h"
#include "text/Encoding.h"
#include "text/UpperCase.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

// The names of the lines, most recent first, each once, as many as there are slots.
std::vector<std::string> RecentNames(const EarlierRun& run) {
    std::vector<std::string> names;
    for (std::size_t index = run.steps.size(); index-- > 0;) {
        const EarlierRun::Step& step = run.steps[index];
        if (names.size() == static_cast<std::size_t>(ConversionView::kNameSlots)) {
            break;
        }
        if (step.kind == EarlierRun::Step::Kind::Line && !step.text.empty() &&
            std::find(names.begin(), names.end(), step.text) == names.end()) {
            names.push_back(step.text);
        }
    }
    return names;
}

}  // namespace

ConversionController::ConversionController(ConversionView& view) : view_(view) {}

ConversionController::~ConversionController() = default;

void ConversionController::Show(Status status) {
    status_ = status;
    view_.SetStatus(StatusText(status));
}

bool ConversionController::IsAcceptingCommands() const noexcept {
    return reader_.IsLoaded() && writer_ && writer_->IsOpen();
}

bool ConversionController::AcceptCommand() {
    if (IsAcceptingCommands()) {
        return true;
    }
    Show(Status::NotOpen);
    return false;
}

ScriptFormat ConversionController::ChosenFormat() {
    return view_.IsScreenPlaySelected() ? ScriptFormat::ScreenPlay : ScriptFormat::StagePlay;
}

void ConversionController::Protect(FileIdentity identity, std::string what, std::string renamed) {
    session_.Protect(identity);
    protected_.push_back({std::move(what), std::move(renamed)});
}

// --- the commands ----------------------------------------------------------------------------

template <typename Body>
void ConversionController::RunUndoable(Body&& body) {
    const Checkpoint checkpoint = TakeCheckpoint();
    try {
        body();
    } catch (...) {
        RollBack(checkpoint);
        throw;
    }
    history_.Push(checkpoint);
}

void ConversionController::OpenTextFile() {
    Show(Status::Loading);
    view_.DisableOpenControls();  // one run converts one text, whatever happens next
    const auto name = view_.ChooseTextFile();
    std::optional<std::string> problem;
    if (name) {
        try {
            problem = LoadNovel(*name, reader_);
        } catch (...) {
            Show(Status::LoadFailed);
            throw;
        }
    }
    if (!reader_.IsLoaded()) {
        Show(Status::LoadFailed);
        if (problem) {
            view_.Explain(*problem);
        }
        return;
    }
    Show(Status::Loaded);
    textName_ = name.value_or(std::string());
    // Of the text as loaded, whatever is answered later: the script declares it first of all.
    characterSet_ = DetectCharacterSet(reader_.Text());
    reading_ = TextReading::Of(reader_.Text(), characterSet_);
    if (reader_.Identity()) {
        if (IsDocumentName(textName_)) {
            Protect(*reader_.Identity(), "document", "the document");
        } else {
            Protect(*reader_.Identity(), "text file", "the text");
        }
    }
    OpenScript();
}

void ConversionController::Undo() {
    if (history_.IsEmpty()) {
        return;
    }
    // A finished script is opened again, unless it was changed or replaced since.
    if (!writer_->IsOpen() && (!isFinished_ || !ReopenScript())) {
        return;
    }
    const Checkpoint checkpoint = history_.Latest();
    writer_->Truncate(checkpoint.scriptLength);
    history_.DropLatest();
    Restore(checkpoint);
}

void ConversionController::GenerateLine(int slot) {
    if (!AcceptCommand()) {
        return;
    }
    const std::string name = view_.GetNameField(slot);
    const std::vector<std::string> names = SlotNames();
    RunUndoable([&] {
        if (NameLine(names, slot, name)) {
            ShowPending();
        } else {
            FinishScript();
        }
    });
}

bool ConversionController::NameLine(std::span<const std::string> slotNames, int slot,
                                    const std::string& name) {
    ConfirmSpeaker(slotNames, slot);
    const bool waiting = walk_->WriteLine(name, &view_);
    cast_.Add(name);
    lastSlot_ = slot;
    return waiting;
}

void ConversionController::GenerateNote() {
    if (!AcceptCommand()) {
        return;
    }
    const std::string note = view_.GetNoteField();
    RunUndoable([&] {
        walk_->WriteNote(note, &view_);
        view_.SetNoteField("");
    });
}

void ConversionController::NotDialogue() {
    if (!AcceptCommand()) {
        return;
    }
    const std::vector<std::string> names = SlotNames();
    RunUndoable([&] {
        if (WriteNotDialogue(names)) {
            ShowPending();
        } else {
            FinishScript();
        }
    });
}

bool ConversionController::WriteNotDialogue(std::span<const std::string> slotNames) {
    const std::size_t begin = reader_.ParagraphBegin();
    hinter_.ConfirmNotDialogue(slotNames, reader_.Text(), begin, begin + walk_->Pending().size());
    return walk_->WriteNotDialogue(&view_);
}

void ConversionController::GenerateWithoutNames() {
    if (!AcceptCommand()) {
        return;
    }
    RunUndoable([&] {
        const WaitCursor busy(view_);
        Show(Status::GeneratingWithoutNames);
        walk_->WriteRestWithoutNames();
        CloseScript();
        view_.SetDialogueField("");
        Show(Status::Finished);
        LogEndOfFile();
    });
}

// --- opening the script ------------------------------------------------------------------

void ConversionController::ReportScriptOpenFailure(const ScriptOpening& opening) {
    Show(Status::ScriptOpenFailed);
    for (const std::string_view line : kScriptOpenHint) {
        view_.AppendLogLine(line);
    }
    const ProtectedFile* leadsTo = opening.outcome == ScriptOpening::Outcome::IsProtected
                                       ? &protected_.at(opening.protectedIndex)
                                       : nullptr;
    view_.Explain(ScriptOpenProblem(
        kScriptFileName, opening,
        leadsTo != nullptr ? ProtectedName{leadsTo->what, leadsTo->renamed} : ProtectedName{}));
    ExplainKept(opening.keptName);
}

// Said where the log shows it with the first line of dialogue.
void ConversionController::ExplainKept(const std::string& keptName) {
    if (!keptName.empty()) {
        view_.Explain(KeptBackup(kScriptFileName, keptName));
        ScrollLogToEnd(view_);
    }
}

void ConversionController::OpenScript() {
    const ScriptOpening opening = session_.OpenEarlier();
    if (!opening.IsOpened()) {
        ReportScriptOpenFailure(opening);
        return;
    }
    if (!session_.HasEarlier()) {
        if (continueOnly_) {
            RefuseToGoOn(NothingToGoOnWith(kScriptFileName));
            return;
        }
        StartNewScript();
        return;
    }
    ScriptOfText found;
    try {
        found = RecogniseEarlierScript();
    } catch (const FileError& error) {
        ScriptOpening failed;
        failed.outcome = ScriptOpening::Outcome::Failed;
        failed.failure = error.what();
        session_.Release();
        ReportScriptOpenFailure(failed);
        return;
    }
    const EarlierRun& run = found.run;
    const bool holdsNothing = session_.EarlierLength() == 0;
    const auto refuse = [&] {
        RefuseToGoOn(NotGoneOnWith(
            kScriptFileName, run,
            PlaceInText(reader_.Text(), found.partsAtInText, IsDocumentName(textName_))));
    };
    switch (run.verdict) {
    case EarlierRun::Verdict::Unfinished:
        if (holdsNothing || continueOnly_ ||
            view_.AskToContinue(ContinueQuestion(kScriptFileName, run.lines, run.format,
                                                 run.format == ChosenFormat()))) {
            GoOnWithEarlierScript(found);
            return;
        }
        break;
    case EarlierRun::Verdict::Finished:
        if (continueOnly_) {
            refuse();
            return;
        }
        if (!view_.AskToStartAnew(StartAnewQuestion(kScriptFileName, session_.KeepingName()))) {
            session_.Release();
            view_.Explain(FinishedScriptLeft(kScriptFileName));
            return;
        }
        break;
    case EarlierRun::Verdict::NotAScript:
    case EarlierRun::Verdict::OtherText:
    case EarlierRun::Verdict::ChangedText:
        if (continueOnly_) {
            refuse();
            return;
        }
        break;
    }
    StartNewScript();
}

ScriptOfText ConversionController::RecogniseEarlierScript() {
    return RecogniseScriptOfText(reader_.Text(), characterSet_, ChosenFormat(), session_.Earlier(),
                                 reading_);
}

void ConversionController::RefuseToGoOn(const std::string& reason) {
    session_.Release();
    Show(Status::ScriptOpenFailed);
    view_.Explain(reason);
}

void ConversionController::StartNewScript() {
    const ScriptOpening opening = session_.StartNew();
    if (!opening.IsOpened()) {
        ReportScriptOpenFailure(opening);
        return;
    }
    bool waiting = false;
    try {
        waiting = BeginScript(ChosenFormat());
    } catch (...) {
        // The folder goes back to how it was: the new script gone, the earlier one back.
        if (writer_) {
            writer_->Abandon();
        }
        const std::string kept = session_.GiveBack();
        Show(Status::ScriptOpenFailed);
        ExplainKept(kept);
        throw;
    }
    ExplainKept(session_.SettleEarlier());
    if (waiting) {
        ShowPending();
    } else {
        ShowFinished();
    }
}

bool ConversionController::BeginScript(ScriptFormat format) {
    writer_ = MakeScriptWriter(format);
    walk_ = std::make_unique<ConversionWalk>(reader_, *writer_, characterSet_);
    writer_->Open(session_.Output(), characterSet_);
    AskHowToRead();
    const bool waiting = walk_->Start(&view_);
    if (!waiting) {
        CloseScript();  // a text without dialogue, or without paragraphs, is finished too
    }
    return waiting;
}

// The character set stays the one detected before: it was declared in the script already.
void ConversionController::AskHowToRead() {
    const std::vector<ReadingQuestion> questions = reading_.Questions();
    if (!questions.empty()) {
        reading_.Answer(view_.AskHowToRead(questions));
    }
    reading_.ApplyTo(reader_);
}

void ConversionController::GoOnWithEarlierScript(const ScriptOfText& found) {
    const EarlierRun& run = found.run;
    const bool formatChosen = run.format == ChosenFormat();
    try {
        if (!session_.GoOnAt(run.keptLength)) {  // drops a last command cut short
            RefuseToGoOn(ChangedWhileRead(kScriptFileName));
            return;
        }
        if (run.keptLength == 0) {
            // Nothing whole before its first line of dialogue: written again from the start.
            if (session_.EarlierLength() > 0) {
                view_.Explain(GoingOn(kScriptFileName, 0, run.format, formatChosen));
            }
            if (BeginScript(run.format)) {
                ShowPending();
            } else {
                ShowFinished();
            }
            return;
        }
        reading_ = found.reading;
        reading_.ApplyTo(reader_);
        ReplayEarlierRun(run);
        writer_->Continue(session_.Output(), characterSet_);
    } catch (...) {
        // Nothing is gone on with: no command may write after this.
        if (writer_) {
            writer_->Abandon();
        }
        session_.Release();
        history_.Clear();
        Show(Status::ScriptOpenFailed);
        throw;
    }
    if (const auto read = reading_.Described(); !read.empty()) {
        view_.Explain(ReadAsBefore(kScriptFileName, read));
    }
    view_.Explain(GoingOn(kScriptFileName, run.lines, run.format, formatChosen));
    if (run.textEnded) {
        FinishScript();
    } else {
        ShowPending();
    }
}

// Walks the earlier run again without writing (the file holds these bytes already): the log,
// the name slots and everything Undo needs come out as if the user had just done it all.
void ConversionController::ReplayEarlierRun(const EarlierRun& run) {
    const std::vector<std::string> names = RecentNames(run);
    std::vector<std::string> slotNames(static_cast<std::size_t>(ConversionView::kNameSlots));
    std::transform(names.begin(), names.end(), slotNames.begin(),
                   [this](const std::string& name) { return TypedToText(name, characterSet_); });
    writer_ = MakeScriptWriter(run.format);
    writer_->Open(std::make_unique<CountingScript>(), characterSet_);
    walk_ = std::make_unique<ConversionWalk>(reader_, *writer_, characterSet_);
    (void)walk_->Start(&view_);
    for (const EarlierRun::Step& step : run.steps) {
        history_.Push(TakeCheckpoint());
        switch (step.kind) {
        case EarlierRun::Step::Kind::Note:
            walk_->WriteNote(step.text, &view_);
            break;
        case EarlierRun::Step::Kind::NotDialogue:
            (void)WriteNotDialogue(slotNames);
            break;
        case EarlierRun::Step::Kind::Line: {
            const auto found = std::find(names.begin(), names.end(), step.text);
            const int slot = found == names.end()
                                 ? 0
                                 : SlotNumber(static_cast<std::size_t>(found - names.begin()));
            (void)NameLine(slotNames, slot, step.text);
            break;
        }
        }
    }
    for (std::size_t slot = 0; slot < names.size(); ++slot) {
        view_.SetNameField(static_cast<int>(slot) + 1, names[slot]);
    }
}

// --- the walk as the window shows it -------------------------------------------------------

void ConversionController::ShowPending() {
    view_.SetDialogueField(walk_->Dialogue());
    ShowSpeakerHint();
}

void ConversionController::LogEndOfFile() {
    view_.AppendLogLine("");
    view_.AppendLogLine(kEndOfFile);
    ScrollLogToEnd(view_);
}

void ConversionController::CloseScript() {
    writer_->Close();
    isFinished_ = true;
}

void ConversionController::ShowFinished() {
    view_.SetDialogueField("");
    LogEndOfFile();
    Show(Status::Finished);
}

void ConversionController::FinishScript() {
    view_.SetDialogueField("");
    LogEndOfFile();
    CloseScript();
    Show(Status::Finished);
}

// --- undo ----------------------------------------------------------------------------------

Checkpoint ConversionController::TakeCheckpoint() {
    Checkpoint checkpoint;
    checkpoint.scriptLength = writer_->Length();
    checkpoint.readerPosition = reader_.Position();
    checkpoint.paragraphBegin = reader_.ParagraphBegin();
    checkpoint.logLines = view_.LogLineCount();
    checkpoint.lastSlot = lastSlot_;
    checkpoint.confirmedSpeakers = ConfirmedSpeakers();
    checkpoint.castUses = cast_.Uses();
    checkpoint.status = status_;
    return checkpoint;
}

void ConversionController::RollBack(const Checkpoint& checkpoint) noexcept {
    try {
        if (writer_->IsOpen() || ReopenScript()) {
            writer_->Truncate(checkpoint.scriptLength);
            Restore(checkpoint);
            return;
        }
    } catch (...) {
        // The script cannot be put back; below it is let go of.
    }
    // Going on would write after bytes that should not be there: the script is let go of as
    // it stands, and every further command is refused.
    writer_->Abandon();
    session_.Release();
    history_.Clear();
}

bool ConversionController::ReopenScript() {
    const ScriptOpening opening = session_.Reopen();
    if (!opening.IsOpened()) {
        view_.Explain(NotUndone(kScriptFileName, opening));
        return false;
    }
    writer_->Continue(session_.Output(), characterSet_);
    return true;
}

void ConversionController::Restore(const Checkpoint& checkpoint) {
    reader_.Rewind(checkpoint.readerPosition, checkpoint.paragraphBegin);
    walk_->ResumeAtReader();
    isFinished_ = false;
    lastSlot_ = checkpoint.lastSlot;
    RetractSpeakersTo(checkpoint.confirmedSpeakers);
    cast_.TakeBackTo(checkpoint.castUses);
    if (view_.LogLineCount() > checkpoint.logLines) {
        view_.TruncateLog(checkpoint.logLines);
        ScrollLogToEnd(view_);
    }
    if (status_ != checkpoint.status) {
        Show(checkpoint.status);
    }
    ShowPending();
}

// --- the script as it stands, for the exports --------------------------------------------

ScriptReadBack ConversionController::ReadBackScript() {
    ScriptReadBack script;
    script.text = reader_.Text();
    script.set = characterSet_;
    script.textName = textName_;
    session_.ReadBack([&](ScriptSource& bytes) {
        script.run = RecogniseEarlierRun(script.text, ChosenFormat(), characterSet_, bytes);
    });
    script.scriptPath = session_.Path();
    script.protect = session_.ProtectedFiles();
    if (const auto identity = IdentityOf(script.scriptPath)) {
        script.protect.push_back(*identity);
    }
    return script;
}

// --- the speaker hint ----------------------------------------------------------------------

std::vector<std::string> ConversionController::SlotNames() {
    std::vector<std::string> names(static_cast<std::size_t>(ConversionView::kNameSlots));
    for (int slot = 1; slot <= ConversionView::kNameSlots; ++slot) {
        names[SlotIndex(slot)] = TypedToText(view_.GetNameField(slot), characterSet_);
    }
    return names;
}

void ConversionController::ShowSpeakerHint() {
    const std::size_t begin = reader_.ParagraphBegin();
    const SpeakerGuess guess =
        hinter_.Guess(SlotNames(), reader_.Text(), begin, begin + walk_->Pending().size());
    if (guess.notDialogue) {
        view_.ShowNotDialogueHint();
        return;
    }
    view_.ShowSpeakerHint(guess.slot, lastSlot_,
                          UpperCaseWestern(TextToTyped(guess.newName, characterSet_)));
}

void ConversionController::ConfirmSpeaker(std::span<const std::string> names, int slot) {
    if (slot < 1 || slot > static_cast<int>(names.size())) {
        return;  // a name no slot holds any more teaches the hint nothing
    }
    const std::size_t begin = reader_.ParagraphBegin();
    hinter_.Confirm(names, reader_.Text(), begin, begin + walk_->Pending().size(), slot);
}

std::size_t ConversionController::ConfirmedSpeakers() const noexcept {
    return hinter_.ConfirmedCount();
}

void ConversionController::RetractSpeakersTo(std::size_t count) {
    while (hinter_.ConfirmedCount() > count) {
        hinter_.Retract();
    }
}

}  // namespace velmora
