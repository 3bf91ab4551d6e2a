#include "script/StagePlayWriter.h"

#include "script/Parenthetical.h"

namespace velmora {

void StagePlayWriter::WriteCharacterName(std::string_view name) {
    WriteMarkup("<BR>");
    WriteMarkup("<B><CENTER>");
    WriteText(name);
    WriteMarkup("</CENTER></B>");
}

void StagePlayWriter::WriteParenthetical(std::string_view text) {
    const std::string trimmed = NormaliseParenthetical(text);
    if (trimmed.empty()) {
        return;
    }
    WriteMarkup("<DD><I>(");
    WriteText(trimmed);
    WriteMarkup(")</I></DD>");
}

void StagePlayWriter::WriteDialogue(std::string_view text) {
    WriteText(text);
    WriteMarkup("<BR>");
}

// A narration that trims to nothing leaves a lone "<BR>".
void StagePlayWriter::WriteNarration(std::string_view text) {
    WriteMarkup("<BR>");
    WriteParenthetical(text);
}

}  // namespace velmora
