#pragma once

#include <string>

namespace velmora {

struct ExportScript;
struct TitlePage;

// The script as Fountain (UTF-8, LF line ends): the title page, then each element as its
// own block, a line of dialogue's name, parenthetical and dialogue in one.
[[nodiscard]] std::string WriteFountain(const ExportScript& script, const TitlePage& title);

}  // namespace velmora
