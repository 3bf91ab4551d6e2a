#pragma once

#include <string_view>

namespace velmora {

// Where the walk through a text puts a script's elements: the script writer, which turns
// them into markup, or a recorder that keeps them for the exports. Texts from the novel are
// bytes in its character set; what the user typed (names, notes) is UTF-8.
class ScriptElementSink {
public:
    ScriptElementSink() = default;
    virtual ~ScriptElementSink() = default;
    ScriptElementSink(const ScriptElementSink&) = delete;
    ScriptElementSink& operator=(const ScriptElementSink&) = delete;

    virtual void WriteCharacterName(std::string_view typedName) = 0;
    // Narration that accompanies a line of dialogue, untrimmed.
    virtual void WriteParenthetical(std::string_view text) = 0;
    virtual void WriteDialogue(std::string_view text) = 0;
    // A paragraph's narration, untrimmed.
    virtual void WriteNarration(std::string_view text) = 0;
    // A note's line as the script shows it ("NOTE: " and what was typed).
    virtual void WriteNote(std::string_view typedText) = 0;
};

}  // namespace velmora
