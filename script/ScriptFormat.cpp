#include "script/ScriptFormat.h"

#include "script/ScreenPlayWriter.h"
#include "script/StagePlayWriter.h"

namespace velmora {

std::unique_ptr<ScriptWriter> MakeScriptWriter(ScriptFormat format) {
    switch (format) {
    case ScriptFormat::StagePlay:
        return std::make_unique<StagePlayWriter>();
    case ScriptFormat::ScreenPlay:
        break;
    }
    return std::make_unique<ScreenPlayWriter>();
}

}  // namespace velmora
