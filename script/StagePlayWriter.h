#pragma once

#include "script/ScriptWriter.h"

namespace velmora {

// Stage play: names bold and centred, narration as italic stage directions in parentheses.
class StagePlayWriter final : public ScriptWriter {
public:
    void WriteCharacterName(std::string_view name) override;
    void WriteParenthetical(std::string_view text) override;
    void WriteDialogue(std::string_view text) override;
    void WriteNarration(std::string_view text) override;
};

}  // namespace velmora
