#include "conversion/ConversionController.h"

#include "conversion/ConversionView.h"
#include "conversion/ParagraphLog.h"
#include "conversion/SpeakerHint.h"
#include "conversion/WaitCursor.h"
#include "script/ScreenPlayWriter.h"
#include "script/StagePlayWriter.h"
#include "text/QuoteSplitter.h"
#include "text/TypographicQuotes.h"

#include <array>

namespace velmora {
namespace {

constexpr std::string_view kScriptFileName = "Script.htm";
constexpr std::string_view kPlaceholderName = "CHARACTERNAME";
constexpr std::string_view kNotePrefix = "NOTE: ";
constexpr std::string_view kTypographicQuotesQuestion =
    "This text marks dialogue with typographic quotes (\xE2\x80\x9C \xE2\x80\x9D). "
    "Treat them as double quotes?";
constexpr std::string_view kHintRule = "**********************************************";

namespace status {
constexpr std::string_view kLoading = "Loading text file";
constexpr std::string_view kLoadFailed = "*** Error - Text file failed to load ***";
constexpr std::string_view kLoaded = "Text file loaded successfully";
constexpr std::string_view kScriptOpenFailed = "*** Error - Script file failed to open ***";
constexpr std::string_view kNotOpen = "*** Error - Files are not open ***";
constexpr std::string_view kGeneratingWithoutNames = "Generating script without characternames";
constexpr std::string_view kFinished = "Script.html successfully generated";
}  // namespace status

}  // namespace

ConversionController::ConversionController(ConversionView& view) : view_(view) {}

ConversionController::~ConversionController() = default;

bool ConversionController::IsAcceptingCommands() const noexcept {
    return reader_.IsLoaded() && writer_ && writer_->IsOpen();
}

bool ConversionController::AcceptCommand() {
    if (IsAcceptingCommands()) {
        return true;
    }
    view_.SetStatus(status::kNotOpen);
    return false;
}

void ConversionController::SplitPending() {
    narration_ = ExtractNarration(pending_);
    dialogue_ = ExtractDialogue(pending_);
}

void ConversionController::OpenTextFile() {
    view_.SetStatus(status::kLoading);
    view_.DisableOpenControls();  // one run converts one text, whatever happens next
    if (const auto name = view_.ChooseTextFile()) {
        reader_.Load(*name);
    }
    if (!reader_.IsLoaded()) {
        view_.SetStatus(status::kLoadFailed);
        return;
    }
    view_.SetStatus(status::kLoaded);

    characterSet_ = DetectCharacterSet(reader_.Text());
    if (view_.IsScreenPlaySelected()) {
        writer_ = std::make_unique<ScreenPlayWriter>();
    } else {
        writer_ = std::make_unique<StagePlayWriter>();
    }
    writer_->Open(std::string(kScriptFileName), CharacterSetLabel(characterSet_));
    if (!writer_->IsOpen()) {
        view_.SetStatus(status::kScriptOpenFailed);
        view_.AppendLogLine(" ");
        view_.AppendLogLine(kHintRule);
        view_.AppendLogLine("Is 'Script.htm' open in MS Word?");
        view_.AppendLogLine(kHintRule);
        return;
    }
    OfferTypographicQuotes();
    if (!reader_.ReadParagraph(pending_)) {
        FinishScript();  // an empty text still gets a complete script
        return;
    }
    AdvanceFromPending();
}

void ConversionController::AdvanceFromPending() {
    for (;;) {
        LogParagraph(view_, pending_);
        SplitPending();
        if (!dialogue_.empty()) {
            view_.SetDialogueField(dialogue_);
            ShowSpeakerHint();
            return;
        }
        writer_->WriteNarration(narration_);
        if (!reader_.ReadParagraph(pending_)) {
            FinishScript();
            return;
        }
    }
}

// The character set stays the one detected before: it was declared in the script already.
void ConversionController::OfferTypographicQuotes() {
    if (HasOnlyTypographicQuotes(reader_.Text(), characterSet_) &&
        view_.AskYesNo(kTypographicQuotesQuestion)) {
        reader_.StraightenQuotes(characterSet_);
    }
}

void ConversionController::ShowSpeakerHint() {
    std::array<std::string, ConversionView::kNameSlots> names;
    for (int slot = 1; slot <= ConversionView::kNameSlots; ++slot) {
        names[static_cast<std::size_t>(slot - 1)] = view_.GetNameField(slot);
    }
    view_.ShowSpeakerHint(HintSpeaker(names, narration_, lastSlot_, slotBeforeLast_), lastSlot_);
}

void ConversionController::WritePendingLine(std::string_view name) {
    writer_->WriteCharacterName(name);
    writer_->WriteParenthetical(narration_);
    writer_->WriteDialogue(dialogue_);
}

void ConversionController::FinishScript() {
    view_.SetDialogueField("");
    view_.AppendLogLine("");
    view_.AppendLogLine("<END OF FILE>");
    ScrollLogToEnd(view_);
    writer_->Close();
    isFinished_ = true;
    view_.SetStatus(status::kFinished);
}

void ConversionController::GenerateLine(int slot) {
    if (!AcceptCommand()) {
        return;
    }
    const std::string name = view_.GetNameField(slot);
    SplitPending();
    WritePendingLine(name);
    slotBeforeLast_ = lastSlot_;
    lastSlot_ = slot;
    if (!reader_.ReadParagraph(pending_)) {
        FinishScript();
        return;
    }
    AdvanceFromPending();
}

void ConversionController::GenerateNote() {
    if (!AcceptCommand()) {
        return;
    }
    std::string line(kNotePrefix);
    line += view_.GetNoteField();
    writer_->WriteNarration(line);
    LogParagraph(view_, line);
    view_.SetNoteField("");
}

void ConversionController::GenerateWithoutNames() {
    if (!AcceptCommand()) {
        return;
    }
    const WaitCursor busy(view_);
    view_.SetStatus(status::kGeneratingWithoutNames);
    do {
        SplitPending();
        if (dialogue_.empty()) {
            writer_->WriteNarration(narration_);
        } else {
            WritePendingLine(kPlaceholderName);
        }
    } while (reader_.ReadParagraph(pending_));
    writer_->Close();
    isFinished_ = true;
    view_.SetDialogueField("");
    view_.SetStatus(status::kFinished);
    view_.AppendLogLine("");
    view_.AppendLogLine("<END OF FILE>");
    ScrollLogToEnd(view_);
}

}  // namespace velmora
