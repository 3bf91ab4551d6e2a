#pragma once

#include "script/ScriptFormat.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// What the window shows of a conversion in fixed words: the status line, the hint lines
// after a script that failed to open, and the questions asked. The texts are the program's
// own and are kept exactly; why a status came about goes in Explanations.

enum class Status : std::uint8_t {
    Waiting,
    Loading,
    LoadFailed,
    Loaded,
    ScriptOpenFailed,
    NotOpen,
    GeneratingWithoutNames,
    Finished,
};

// "Text file loaded successfully", and so on.
[[nodiscard]] std::string_view StatusText(Status status) noexcept;

// The lines the log shows after "*** Error - Script file failed to open ***", in order.
inline constexpr std::string_view kScriptOpenHint[] = {
    " ",
    "**********************************************",
    "Is 'Script.htm' open in MS Word?",
    "**********************************************",
};

inline constexpr std::string_view kEndOfFile = "<END OF FILE>";

inline constexpr std::string_view kTypographicQuotesQuestion =
    "This text marks dialogue with typographic quotes (\xE2\x80\x9C \xE2\x80\x9D). "
    "Treat them as double quotes?";

// The paragraph layouts the reader would not see, offered as paragraph breaks.
inline constexpr std::string_view kBlankLinesQuestion =
    "This text separates its paragraphs with blank lines that Velmora would not see. "
    "Read them as paragraph breaks?";
inline constexpr std::string_view kLinePerParagraphQuestion =
    "This text has each paragraph on one long line. Read each line as a paragraph?";

inline constexpr std::string_view kGutenbergQuestion =
    "Leave out the Project Gutenberg header and licence?";

// Whether to go on with an unfinished script of lines named lines. format: the script's,
// said when it is not the one chosen.
[[nodiscard]] std::string ContinueQuestion(std::string_view scriptName, int lines,
                                           ScriptFormat format, bool formatChosen);

// Whether to start a new script over a finished one of the same text, which is kept as
// keptName.
[[nodiscard]] std::string StartAnewQuestion(std::string_view scriptName, std::string_view keptName);

// "a screen play", "a stage play".
[[nodiscard]] std::string_view FormatName(ScriptFormat format) noexcept;

}  // namespace velmora
