#include "script/StagePlayWriter.h"

namespace velmora {

// A narration that trims to nothing leaves a lone "<BR>".
const ScriptWriter::FormatMarkup& StagePlayWriter::Markup() const noexcept {
    static constexpr FormatMarkup kMarkup = {
        .nameOpen = {"<BR>", "<B><CENTER>"},
        .nameClose = {"</CENTER></B>", {}},
        .parentheticalOpen = {"<DD><I>(", {}},
        .parentheticalClose = {")</I></DD>", {}},
        .dialogueOpen = {},
        .dialogueClose = {"<BR>", {}},
        .narrationOpen = {"<BR>", {}},
        .narrationClose = {},
        .narrationAsParenthetical = true,
    };
    return kMarkup;
}

}  // namespace velmora
