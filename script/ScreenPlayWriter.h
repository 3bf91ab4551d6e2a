#pragma once

#include "script/ScriptWriter.h"

namespace velmora {

// Screen play: names centred, parentheticals and dialogue indented, narration on its own.
class ScreenPlayWriter final : public ScriptWriter {
public:
    void WriteCharacterName(std::string_view name) override;
    void WriteParenthetical(std::string_view text) override;
    void WriteDialogue(std::string_view text) override;
    void WriteNarration(std::string_view text) override;
};

}  // namespace velmora
