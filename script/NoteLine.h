#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// A note goes into the script as narration that starts with this prefix, followed by what
// the user typed.
inline constexpr std::string_view kNotePrefix = "NOTE: ";
// The prefix without its space: how a line of a names file says it is a note.
inline constexpr std::string_view kNoteMark = kNotePrefix.substr(0, kNotePrefix.size() - 1);

// The note's line as the script holds it: the prefix and what was typed.
[[nodiscard]] std::string NoteLine(std::string_view typed);

// What a note's line as written holds after its prefix; nothing when it is no note's line.
// A stage play trims a line of the prefix alone to "NOTE", which is an empty note.
[[nodiscard]] std::optional<std::string> NoteOf(std::string_view line);

}  // namespace velmora
