#include "export/ElementRecorder.h"

#include "export/DisplayText.h"
#include "script/NoteLine.h"
#include "script/Parenthetical.h"

#include <utility>

namespace velmora {

void ElementRecorder::Add(ElementKind kind, std::string text, bool keepEmpty) {
    if (!text.empty() || keepEmpty) {
        elements_.push_back({kind, std::move(text)});
    }
}

void ElementRecorder::WriteCharacterName(std::string_view typedName) {
    Add(ElementKind::CharacterName, DisplayText(typedName, CharacterSet::Utf8), true);
}

void ElementRecorder::WriteParenthetical(std::string_view text) {
    Add(ElementKind::Parenthetical, DisplayText(NormaliseParenthetical(text), set_), false);
}

void ElementRecorder::WriteDialogue(std::string_view text) {
    Add(ElementKind::Dialogue, DisplayText(text, set_), true);
}

void ElementRecorder::WriteNarration(std::string_view text) {
    // A stage play sets its narration as a stage direction, trimmed like a parenthetical.
    Add(ElementKind::Narration,
        format_ == ScriptFormat::StagePlay ? DisplayText(NormaliseParenthetical(text), set_)
                                           : DisplayText(text, set_),
        false);
}

void ElementRecorder::WriteNote(std::string_view typedText) {
    if (typedText.starts_with(kNotePrefix)) {
        typedText.remove_prefix(kNotePrefix.size());
    }
    Add(ElementKind::Note, DisplayText(typedText, CharacterSet::Utf8), true);
}

}  // namespace velmora
