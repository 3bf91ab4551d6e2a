#include "export/ScriptElement.h"

namespace velmora {

std::string_view ElementKindName(ElementKind kind) noexcept {
    switch (kind) {
    case ElementKind::CharacterName:
        return "character";
    case ElementKind::Parenthetical:
        return "parenthetical";
    case ElementKind::Dialogue:
        return "dialogue";
    case ElementKind::Note:
        return "note";
    case ElementKind::Heading:
        return "heading";
    case ElementKind::Narration:
        break;
    }
    return "narration";
}

}  // namespace velmora
