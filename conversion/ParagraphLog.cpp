#include "conversion/ParagraphLog.h"

#include "conversion/ConversionView.h"

namespace velmora {

void LogParagraph(ConversionView& view, std::string_view text) {
    // Pieces are handed over one at a time: a text without blank lines can be one paragraph
    // of many thousands of lines.
    for (;;) {
        const auto cr = text.find('\r');
        if (cr == std::string_view::npos) {
            view.AppendLogLine(text);
            break;
        }
        view.AppendLogLine(text.substr(0, cr));
        const bool lineFeedFollows = cr + 1 < text.size() && text[cr + 1] == '\n';
        text.remove_prefix(cr + (lineFeedFollows ? 2 : 1));
    }
    view.AppendLogLine("");
    ScrollLogToEnd(view);
}

void ScrollLogToEnd(ConversionView& view) { view.ScrollLogTo(view.LogLineCount() - 1); }

}  // namespace velmora
