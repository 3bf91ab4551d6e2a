#include "conversion/ConversionController.h"

#include "conversion/ConversionView.h"
#include "conversion/ConversionWalk.h"
#include "conversion/EarlierRun.h"
#include "conversion/ParagraphLog.h"
#include "conversion/WaitCursor.h"
#include "platform/FileError.h"
#include "script/MemoryScript.h"
#include "script/ScriptFile.h"
#include "script/ScriptWriter.h"
#include "text/Encoding.h"
#include "text/TypographicQuotes.h"
#include "text/UpperCase.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace velmora {
namespace {

constexpr std::string_view kTypographicQuotesQuestion =
    "This text marks dialogue with typographic quotes (\xE2\x80\x9C \xE2\x80\x9D). "
    "Treat them as double quotes?";
constexpr std::string_view kHintRule = "**********************************************";

// The status texts, by ConversionController::Status.
constexpr std::array<std::string_view, 8> kStatusTexts = {
    "Waiting to load a text file",
    "Loading text file",
    "*** Error - Text file failed to load ***",
    "Text file loaded successfully",
    "*** Error - Script file failed to open ***",
    "*** Error - Files are not open ***",
    "Generating script without characternames",
    "Script.html successfully generated",
};

std::string ContinueQuestion(int lines) {
    return std::string("Script.htm already holds ") + std::to_string(lines) +
           " lines of this text. Continue where it stopped?";
}

// The names of the lines, most recent first, each once, as many as there are slots.
std::vector<std::string> RecentNames(const EarlierRun& run) {
    std::vector<std::string> names;
    for (std::size_t index = run.steps.size(); index-- > 0;) {
        const EarlierRun::Step& step = run.steps[index];
        if (names.size() == static_cast<std::size_t>(ConversionView::kNameSlots)) {
            break;
        }
        if (!step.isNote && !step.text.empty() &&
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
    view_.SetStatus(kStatusTexts.at(static_cast<std::size_t>(status)));
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

void ConversionController::Protect(FileIdentity identity, std::string what, std::string renamed) {
    protected_.push_back({identity, std::move(what), std::move(renamed)});
}

std::vector<FileIdentity> ConversionController::ProtectedIdentities() const {
    std::vector<FileIdentity> identities;
    for (const ProtectedFile& file : protected_) {
        identities.push_back(file.identity);
    }
    return identities;
}

void ConversionController::OpenTextFile() {
    Show(Status::Loading);
    view_.DisableOpenControls();  // one run converts one text, whatever happens next
    const auto name = view_.ChooseTextFile();
    if (name) {
        try {
            reader_.Load(*name);
        } catch (...) {
            Show(Status::LoadFailed);
            throw;
        }
    }
    if (!reader_.IsLoaded()) {
        Show(Status::LoadFailed);
        if (name) {
            const auto& failure = reader_.LastFailure();
            view_.Explain(TextLoadProblem(*name, failure.refusal, failure.tooLarge));
        }
        return;
    }
    Show(Status::Loaded);
    characterSet_ = DetectCharacterSet(reader_.Text());
    if (reader_.Identity()) {
        protected_.insert(protected_.begin(), {*reader_.Identity(), "text file", "the text"});
    }
    if (!ContinueEarlierScript()) {
        StartNewScript();
    }
}

void ConversionController::ReportScriptOpenFailure(const ScriptOpening& opening) {
    Show(Status::ScriptOpenFailed);
    view_.AppendLogLine(" ");
    view_.AppendLogLine(kHintRule);
    view_.AppendLogLine("Is '" + std::string(kScriptFileName) + "' open in MS Word?");
    view_.AppendLogLine(kHintRule);
    const ProtectedFile* leadsTo = opening.outcome == ScriptOpening::Outcome::IsProtected
                                       ? &protected_.at(opening.protectedIndex)
                                       : nullptr;
    view_.Explain(ScriptOpenProblem(
        kScriptFileName, opening,
        leadsTo != nullptr ? ProtectedName{leadsTo->what, leadsTo->renamed} : ProtectedName{}));
}

void ConversionController::StartNewScript() {
    const ScriptFormat format =
        view_.IsScreenPlaySelected() ? ScriptFormat::ScreenPlay : ScriptFormat::StagePlay;
    auto file = std::make_unique<ScriptFile>();
    const std::string name(kScriptFileName);
    const ScriptOpening opening = file->OpenNew(name, ProtectedIdentities());
    if (!opening.IsOpened()) {
        ReportScriptOpenFailure(opening);
        return;
    }
    scriptPath_ = file->Path();
    if (opening.keptBackup) {
        view_.Explain(KeptBackup(kScriptFileName, ScriptFile::BackupName(name)));
    }
    writer_ = MakeScriptWriter(format);
    walk_ = std::make_unique<ConversionWalk>(reader_, *writer_, characterSet_);
    try {
        writer_->Open(std::move(file), characterSet_);
        OfferTypographicQuotes();
        if (walk_->Start(&view_)) {
            ShowPending();
        } else {
            FinishScript();  // a text without dialogue, or without paragraphs, is finished too
        }
    } catch (...) {
        // The folder goes back to how it was: the new script gone, the earlier one back.
        try {
            writer_->Truncate(0);
        } catch (...) {
            // It goes either way below.
        }
        writer_->Abandon();
        int error = 0;
        if (opening.keptBackup) {
            (void)RenameFile(ScriptFile::BackupName(name), scriptPath_, error);
        } else if (opening.created) {
            std::remove(scriptPath_.c_str());
        }
        Show(Status::ScriptOpenFailed);
        throw;
    }
}

// The character set stays the one detected before: it was declared in the script already.
void ConversionController::OfferTypographicQuotes() {
    if (HasOnlyTypographicQuotes(reader_.Text(), characterSet_) &&
        view_.AskYesNo(kTypographicQuotesQuestion)) {
        reader_.StraightenQuotes(characterSet_);
    }
}

bool ConversionController::ContinueEarlierScript() {
    const std::string name(kScriptFileName);
    const auto identities = ProtectedIdentities();
    std::string script;
    try {
        File file;
        if (!file.OpenForReading(name) ||
            std::find(identities.begin(), identities.end(), file.Identity()) != identities.end()) {
            return false;
        }
        const std::int64_t length = file.Length();
        if (length <= 0 || length > TextReader::kMaxLength) {
            return false;
        }
        script.resize(static_cast<std::size_t>(length));
        script.resize(file.Read(script.data(), script.size()));
    } catch (const FileError&) {
        return false;  // a script that cannot be read is not offered; it is set aside as usual
    }

    // A text marked with typographic quotes alone was converted with them straightened:
    // its dialogue would never have stopped the walk otherwise.
    std::string straightened;
    std::string_view text = reader_.Text();
    const bool straighten = HasOnlyTypographicQuotes(text, characterSet_);
    if (straighten) {
        straightened.assign(text);
        StraightenTypographicQuotes(straightened, characterSet_);
        text = straightened;
    }
    const ScriptFormat format =
        view_.IsScreenPlaySelected() ? ScriptFormat::ScreenPlay : ScriptFormat::StagePlay;
    const auto run = RecogniseEarlierRun(text, format, characterSet_, script);
    if (!run || !view_.AskToContinue(ContinueQuestion(run->lines))) {
        return false;
    }

    auto file = std::make_unique<ScriptFile>();
    const ScriptOpening opening = file->OpenExisting(name, identities);
    if (!opening.IsOpened()) {
        ReportScriptOpenFailure(opening);
        return true;
    }
    try {
        file->Truncate(run->keptLength);  // drops a last command cut short
    } catch (...) {
        Show(Status::ScriptOpenFailed);
        throw;
    }
    scriptPath_ = file->Path();
    if (straighten) {
        reader_.StraightenQuotes(characterSet_);
    }
    ReplayEarlierRun(*run, format);
    writer_->Continue(std::move(file), characterSet_);

    view_.Explain("Going on with " + name + " after its " + std::to_string(run->lines) + " lines.");
    if (run->textEnded) {
        FinishScript();
    } else {
        ShowPending();
    }
    return true;
}

// Walks the earlier run again, into memory (the file holds these bytes already): the log,
// the name slots and everything Undo needs come out as if the user had just done it all.
void ConversionController::ReplayEarlierRun(const EarlierRun& run, ScriptFormat format) {
    const std::vector<std::string> names = RecentNames(run);
    std::vector<std::string> slotNames(static_cast<std::size_t>(ConversionView::kNameSlots));
    std::transform(names.begin(), names.end(), slotNames.begin(),
                   [this](const std::string& name) { return TypedToText(name, characterSet_); });
    writer_ = MakeScriptWriter(format);
    writer_->Open(std::make_unique<MemoryScript>(), characterSet_);
    walk_ = std::make_unique<ConversionWalk>(reader_, *writer_, characterSet_);
    (void)walk_->Start(&view_);
    for (const EarlierRun::Step& step : run.steps) {
        history_.push_back(TakeCheckpoint());
        if (step.isNote) {
            walk_->WriteNote(step.text, &view_);
            continue;
        }
        const auto found = std::find(names.begin(), names.end(), step.text);
        const int slot = found == names.end() ? 0 : static_cast<int>(found - names.begin()) + 1;
        ConfirmSpeaker(slotNames, slot);
        (void)walk_->WriteLine(step.text, &view_);
        NameLine(slot);
    }
    for (std::size_t slot = 0; slot < names.size(); ++slot) {
        view_.SetNameField(static_cast<int>(slot) + 1, names[slot]);
    }
}

void ConversionController::ShowPending() {
    view_.SetDialogueField(walk_->Dialogue());
    ShowSpeakerHint();
}

std::vector<std::string> ConversionController::SlotNames() {
    std::vector<std::string> names(static_cast<std::size_t>(ConversionView::kNameSlots));
    for (int slot = 1; slot <= ConversionView::kNameSlots; ++slot) {
        names[static_cast<std::size_t>(slot - 1)] =
            TypedToText(view_.GetNameField(slot), characterSet_);
    }
    return names;
}

void ConversionController::ShowSpeakerHint() {
    const std::size_t begin = reader_.ParagraphBegin();
    const SpeakerGuess guess =
        hinter_.Guess(SlotNames(), reader_.Text(), begin, begin + walk_->Pending().size());
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

void ConversionController::NameLine(int slot) { lastSlot_ = slot; }

void ConversionController::LogEndOfFile() {
    view_.AppendLogLine("");
    view_.AppendLogLine("<END OF FILE>");
    ScrollLogToEnd(view_);
}

void ConversionController::CloseScript() {
    const std::int64_t length = writer_->Length();
    writer_->Close();
    finishedLength_ = length + static_cast<std::int64_t>(ScriptWriter::kScriptEnd.size());
    isFinished_ = true;
}

void ConversionController::FinishScript() {
    view_.SetDialogueField("");
    LogEndOfFile();
    CloseScript();
    Show(Status::Finished);
}

template <typename Body>
void ConversionController::RunUndoable(Body&& body) {
    const Checkpoint checkpoint = TakeCheckpoint();
    try {
        body();
    } catch (...) {
        RollBack(checkpoint);
        throw;
    }
    history_.push_back(checkpoint);
}

ConversionController::Checkpoint ConversionController::TakeCheckpoint() {
    Checkpoint checkpoint;
    checkpoint.scriptLength = writer_->Length();
    checkpoint.readerPosition = reader_.Position();
    checkpoint.paragraphBegin = reader_.ParagraphBegin();
    checkpoint.logLines = view_.LogLineCount();
    checkpoint.lastSlot = lastSlot_;
    checkpoint.confirmedSpeakers = hinter_.ConfirmedCount();
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
    // Going on would write after bytes that should not be there: the script is closed as
    // it stands, and every further command is refused.
    writer_->Abandon();
    history_.clear();
}

bool ConversionController::ReopenScript() {
    auto file = std::make_unique<ScriptFile>();
    const ScriptOpening opening = file->OpenExisting(scriptPath_, ProtectedIdentities());
    if (!opening.IsOpened()) {
        view_.Explain(ScriptOpenProblem(kScriptFileName, opening, {}));
        return false;
    }
    writer_->Continue(std::move(file), characterSet_);
    return true;
}

void ConversionController::Restore(const Checkpoint& checkpoint) {
    reader_.Rewind(checkpoint.readerPosition, checkpoint.paragraphBegin);
    walk_->ResumeAtReader();
    isFinished_ = false;
    lastSlot_ = checkpoint.lastSlot;
    while (hinter_.ConfirmedCount() > checkpoint.confirmedSpeakers) {
        hinter_.Retract();
    }
    if (view_.LogLineCount() > checkpoint.logLines) {
        view_.TruncateLog(checkpoint.logLines);
        ScrollLogToEnd(view_);
    }
    if (status_ != checkpoint.status) {
        Show(checkpoint.status);
    }
    ShowPending();
}

void ConversionController::Undo() {
    if (history_.empty()) {
        return;
    }
    if (!writer_->IsOpen()) {
        // The script was finished: it is opened again, unless it was changed since.
        if (!isFinished_ || !ReopenScript()) {
            return;
        }
        if (writer_->Length() != finishedLength_) {
            writer_->Abandon();
            view_.Explain(std::string(kScriptFileName) +
                          " was changed after it was finished, so nothing was undone.");
            return;
        }
    }
    const Checkpoint checkpoint = history_.back();
    writer_->Truncate(checkpoint.scriptLength);
    history_.pop_back();
    Restore(checkpoint);
}

void ConversionController::GenerateLine(int slot) {
    if (!AcceptCommand()) {
        return;
    }
    const std::string name = view_.GetNameField(slot);
    const std::vector<std::string> names = SlotNames();
    RunUndoable([&] {
        ConfirmSpeaker(names, slot);
        const bool waiting = walk_->WriteLine(name, &view_);
        NameLine(slot);
        if (waiting) {
            ShowPending();
        } else {
            FinishScript();
        }
    });
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

}  // namespace velmora
