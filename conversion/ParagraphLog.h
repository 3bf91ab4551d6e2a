#pragma once

#include <string_view>

namespace velmora {

class ConversionView;

// Shows a paragraph or note in the log, one line per text line, then an empty line, and
// scrolls the log to its end.
void LogParagraph(ConversionView& view, std::string_view text);

// Scrolls the log so that its last line is in view.
void ScrollLogToEnd(ConversionView& view);

}  // namespace velmora
