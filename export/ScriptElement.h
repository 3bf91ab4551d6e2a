#pragma once

#include <string>
#include <string_view>

namespace velmora {

// The kinds of element a script is made of. The replay of a script gives the first five;
// a heading is what the exports make of a chapter heading in the narration.
enum class ElementKind { Narration, CharacterName, Parenthetical, Dialogue, Note, Heading };

// One element of a script, its text in UTF-8 as a reader of the script sees it.
struct ScriptElement {
    ElementKind kind = ElementKind::Narration;
    std::string text;

    friend bool operator==(const ScriptElement&, const ScriptElement&) = default;
};

// "narration", "character", "parenthetical", "dialogue", "note" or "heading": how the
// export tool lists elements, one a line.
[[nodiscard]] std::string_view ElementKindName(ElementKind kind) noexcept;

}  // namespace velmora
