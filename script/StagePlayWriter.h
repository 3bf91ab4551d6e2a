#pragma once

#include "script/ScriptWriter.h"

namespace velmora {

// Stage play: names bold and centred, dialogue flush left, narration as indented italic
// stage directions in parentheses.
class StagePlayWriter final : public ScriptWriter {
protected:
    [[nodiscard]] const FormatMarkup& Markup() const noexcept override;
};

}  // namespace velmora
