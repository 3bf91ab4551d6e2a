#pragma once

#include <string>
#include <string_view>

namespace velmora {

// What the characters say: the text between ASCII double quotes, passages joined by one
// space; a final comma becomes a full stop. Empty when the paragraph has no dialogue.
[[nodiscard]] std::string ExtractDialogue(std::string_view paragraph);

// What the narrator says: the text outside the double quotes, with a space where each
// quoted passage closed.
[[nodiscard]] std::string ExtractNarration(std::string_view paragraph);

}  // namespace velmora
