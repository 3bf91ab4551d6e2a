#include "script/ScreenPlayWriter.h"

namespace velmora {

const ScriptWriter::FormatMarkup& ScreenPlayWriter::Markup() const noexcept {
    static constexpr FormatMarkup kMarkup = {
        .nameOpen = {"<BR>", "<CENTER>"},
        .nameClose = {"</CENTER>", {}},
        .parentheticalOpen = {"<DD>(", {}},
        .parentheticalClose = {")</DD>", {}},
        .dialogueOpen = {"<DD>", {}},
        .dialogueClose = {"</DD>", "<BR>"},
        .narrationOpen = {"<BR>", {}},
        .narrationClose = {"<BR>", {}},
        .narrationAsParenthetical = false,
    };
    return kMarkup;
}

}  // namespace velmora
