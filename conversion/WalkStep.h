#pragma once

#include <string>
#include <utility>

namespace velmora {

// One command that moves a conversion on, as a script holds it, a names file gives it and
// the exports replay it: a line named, a note, or a paragraph that is not dialogue.
struct WalkStep {
    enum class Kind {
        Line,         // the pending line, named with text (which may be empty)
        Note,         // a note of text before the pending line
        NotDialogue,  // the pending paragraph written whole as narration; text is empty
    };
    Kind kind = Kind::Line;
    std::string text;  // the name or the note, as typed (UTF-8)

    [[nodiscard]] static WalkStep Line(std::string name) { return {Kind::Line, std::move(name)}; }
    [[nodiscard]] static WalkStep Note(std::string note) { return {Kind::Note, std::move(note)}; }
    [[nodiscard]] static WalkStep NotDialogue() { return {Kind::NotDialogue, {}}; }

    friend bool operator==(const WalkStep&, const WalkStep&) = default;
};

}  // namespace velmora
