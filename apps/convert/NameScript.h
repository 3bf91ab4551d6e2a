#pragma once

#include "conversion/WalkStep.h"

#include <string_view>
#include <vector>

namespace velmora {

// One step of a names file: the name for the next line of dialogue, a note to insert, or
// the next line of dialogue written as narration.
using NameScriptStep = WalkStep;

// How a line of a names file says that the paragraph of the next line of dialogue is not
// dialogue. No character's name starts with these words and a colon, so no name is lost to
// the form, as none is to "NOTE:".
inline constexpr std::string_view kNotDialogueMark = "NOT DIALOGUE:";

// Cuts a names file into its steps: one per line (CR LF, LF or CR each end a line; a final
// line break starts no new line), a leading UTF-8 byte order mark skipped. "NOTE:" at the
// start of a line makes it a note of the rest of the line, less one space after the colon;
// "NOT DIALOGUE:" at the start makes it a paragraph that is not dialogue (FirstMisusedLine
// finds such a line with more than spaces after the colon). Every other line is a name as
// written; an empty line is an empty name.
[[nodiscard]] std::vector<NameScriptStep> ParseNameScript(std::string_view content);

// The number (from 1) of the first line of a names file that is not valid UTF-8, or holds a
// NUL byte (a file in UTF-16); 0 when every line is good.
[[nodiscard]] int FirstLineNotUtf8(std::string_view content);

// The number (from 1) of the first line that starts with "NOT DIALOGUE:" and holds more than
// spaces after it: what follows could only be lost. 0 when there is none.
[[nodiscard]] int FirstMisusedLine(std::string_view content);

}  // namespace velmora
