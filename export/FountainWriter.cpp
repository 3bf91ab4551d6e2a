#include "export/FountainWriter.h"

#include "export/ExportScript.h"
#include "export/FountainMarkup.h"
#include "export/TitlePage.h"

namespace velmora {

std::string WriteFountain(const ExportScript& script, const TitlePage& title) {
    std::string out;
    std::size_t size = 0;
    for (const ScriptElement& element : script.elements) {
        size += element.text.size() + 4;
    }
    out.reserve(size + size / 16 + 256);
    out += FountainTitleEntry("Title", title.title);
    out += '\n';
    out += FountainTitleEntry("Source", title.source);
    out += '\n';
    // Blank lines part the blocks; a line of dialogue is one block.
    const auto block = [&out](const std::string& line) {
        out += '\n';
        out += line;
        out += '\n';
    };
    const auto inBlock = [&out](const std::string& line) {
        out += line;
        out += '\n';
    };
    for (const ScriptElement& element : script.elements) {
        switch (element.kind) {
        case ElementKind::Narration:
            block(FountainAction(element.text));
            break;
        case ElementKind::Heading:
            block(FountainHeading(element.text));
            break;
        case ElementKind::Note:
            block(FountainNote(element.text));
            break;
        case ElementKind::CharacterName:
            block(FountainCue(element.text));
            break;
        case ElementKind::Parenthetical:
            inBlock(FountainParenthetical(element.text));
            break;
        case ElementKind::Dialogue:
            inBlock(FountainDialogue(element.text));
            break;
        }
    }
    return out;
}

}  // namespace velmora
