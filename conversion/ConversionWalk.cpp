#include "conversion/ConversionWalk.h"

#include "conversion/ParagraphLog.h"
#include "script/NoteLine.h"
#include "script/ScriptElementSink.h"
#include "text/Encoding.h"
#include "text/QuoteSplitter.h"
#include "text/TextReader.h"

namespace velmora {

ConversionWalk::ConversionWalk(TextReader& reader, ScriptElementSink& writer, CharacterSet set)
    : reader_(reader), writer_(writer), set_(set) {}

void ConversionWalk::SplitPending() {
    if (pending_.data() == split_.data() && pending_.size() == split_.size()) {
        return;  // split already
    }
    // The earlier parts go first: a paragraph may be nearly the whole text.
    split_ = {};
    narration_ = {};
    std::string().swap(narrationText_);
    std::string().swap(dialogue_);
    // Without a double quote the paragraph is all narration, as it stands.
    if (pending_.find('"') == std::string_view::npos) {
        narration_ = pending_;
    } else {
        narrationText_ = ExtractNarration(pending_);
        narration_ = narrationText_;
        dialogue_ = ExtractDialogue(pending_);
    }
    split_ = pending_;
}

bool ConversionWalk::Start(ConversionView* log) {
    return reader_.ReadParagraph(pending_) && AdvanceFromPending(log);
}

bool ConversionWalk::AdvanceFromPending(ConversionView* log) {
    for (;;) {
        if (log != nullptr) {
            LogParagraph(*log, pending_);
        }
        SplitPending();
        if (!dialogue_.empty()) {
            return true;
        }
        writer_.WriteNarration(narration_);
        if (!reader_.ReadParagraph(pending_)) {
            return false;
        }
    }
}

bool ConversionWalk::WriteLine(std::string_view typedName, ConversionView* log) {
    SplitPending();
    writer_.WriteCharacterName(typedName);
    writer_.WriteParenthetical(narration_);
    writer_.WriteDialogue(dialogue_);
    return reader_.ReadParagraph(pending_) && AdvanceFromPending(log);
}

void ConversionWalk::WriteNote(std::string_view typedNote, ConversionView* log) {
    const std::string line = NoteLine(typedNote);
    writer_.WriteNote(line);
    if (log != nullptr) {
        LogParagraph(*log, TypedToText(line, set_));
    }
}

bool ConversionWalk::WriteNotDialogue(ConversionView* log) {
    writer_.WriteNarration(pending_);
    return reader_.ReadParagraph(pending_) && AdvanceFromPending(log);
}

bool ConversionWalk::Take(const WalkStep& step, ConversionView* log) {
    switch (step.kind) {
    case WalkStep::Kind::Line:
        return WriteLine(step.text, log);
    case WalkStep::Kind::Note:
        WriteNote(step.text, log);
        return true;
    case WalkStep::Kind::NotDialogue:
        return WriteNotDialogue(log);
    }
    return true;
}

void ConversionWalk::WriteRestWithoutNames() {
    do {
        SplitPending();
        if (dialogue_.empty()) {
            writer_.WriteNarration(narration_);
        } else {
            writer_.WriteCharacterName(kPlaceholderName);
            writer_.WriteParenthetical(narration_);
            writer_.WriteDialogue(dialogue_);
        }
    } while (reader_.ReadParagraph(pending_));
}

void ConversionWalk::ResumeAtReader() {
    const std::string_view text = reader_.Text();
    const std::size_t begin = reader_.ParagraphBegin();
    pending_ = text.substr(begin, reader_.Position() - begin);
    SplitPending();
}

}  // namespace velmora
