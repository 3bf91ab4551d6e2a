#pragma once

#include <memory>

namespace velmora {

class ScriptWriter;

enum class ScriptFormat { ScreenPlay, StagePlay };

// The writer of a format, not yet open.
[[nodiscard]] std::unique_ptr<ScriptWriter> MakeScriptWriter(ScriptFormat format);

}  // namespace velmora
