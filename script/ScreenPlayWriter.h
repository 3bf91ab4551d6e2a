#pragma once

#include "script/ScriptWriter.h"

namespace velmora {

// Screen play: names centred, parentheticals and dialogue indented, narration on its own.
class ScreenPlayWriter final : public ScriptWriter {
protected:
    [[nodiscard]] const FormatMarkup& Markup() const noexcept override;
};

}  // namespace velmora
