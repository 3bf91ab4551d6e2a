#include "script/ScreenPlayWriter.h"

#include "script/Parenthetical.h"

namespace velmora {

void ScreenPlayWriter::WriteCharacterName(std::string_view name) {
    WriteMarkup("<BR>");
    WriteMarkup("<CENTER>");
    WriteText(name);
    WriteMarkup("</CENTER>");
}

void ScreenPlayWriter::WriteParenthetical(std::string_view text) {
    const std::string trimmed = NormaliseParenthetical(text);
    if (trimmed.empty()) {
        return;
    }
    WriteMarkup("<DD>(");
    WriteText(trimmed);
    WriteMarkup(")</DD>");
}

void ScreenPlayWriter::WriteDialogue(std::string_view text) {
    WriteMarkup("<DD>");
    WriteText(text);
    WriteMarkup("</DD>");
    WriteMarkup("<BR>");
}

void ScreenPlayWriter::WriteNarration(std::string_view text) {
    WriteMarkup("<BR>");
    WriteText(text);
    WriteMarkup("<BR>");
}

}  // namespace velmora
