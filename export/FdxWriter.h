#pragma once

#include <string>

namespace velmora {

struct ExportScript;
struct TitlePage;

// The script as Final Draft XML (UTF-8): one Paragraph in Content per element (Action,
// Character, Parenthetical with its parentheses, Dialogue, General for a note, Scene
// Heading for a chapter heading), then the title page.
[[nodiscard]] std::string WriteFdx(const ExportScript& script, const TitlePage& title);

}  // namespace velmora
