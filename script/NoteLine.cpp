#include "script/NoteLine.h"

namespace velmora {
namespace {

// A stage play trims a note's line like a parenthetical: the prefix alone loses its colon
// and space.
constexpr std::string_view kTrimmedPrefix = kNotePrefix.substr(0, kNotePrefix.find(':'));

}  // namespace

std::string NoteLine(std::string_view typed) {
    std::string line(kNotePrefix);
    line += typed;
    return line;
}

std::optional<std::string> NoteOf(std::string_view line) {
    if (line.starts_with(kNotePrefix)) {
        return std::string(line.substr(kNotePrefix.size()));
    }
    if (line == kTrimmedPrefix) {
        return std::string();
    }
    return std::nullopt;
}

}  // namespace velmora
