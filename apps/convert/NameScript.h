#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// One step of a names file: the name for the next line of dialogue, or a note to insert.
struct NameScriptStep {
    bool isNote = false;
    std::string text;  // UTF-8, as in the file

    friend bool operator==(const NameScriptStep&, const NameScriptStep&) = default;
};

// Cuts a names file into its steps: one per line (CR LF, LF or CR each end a line; a final
// line break starts no new line), a leading UTF-8 byte order mark skipped. "NOTE:" at the
// start of a line makes it a note of the rest of the line, less one space after the colon.
// Every other line is a name as written; an empty line is an empty name.
[[nodiscard]] std::vector<NameScriptStep> ParseNameScript(std::string_view content);

// The number (from 1) of the first line of a names file that is not valid UTF-8, or holds a
// NUL byte (a file in UTF-16); 0 when every line is good.
[[nodiscard]] int FirstLineNotUtf8(std::string_view content);

}  // namespace velmora
