#include "conversion/StatusTexts.h"

#include <array>

namespace velmora {
namespace {

// By Status.
constexpr std::array<std::string_view, 8> kStatusTexts = {
    "Waiting to load a text file",
    "Loading text file",
    "*** Error - Text file failed to load ***",
    "Text file loaded successfully",
    "*** Error - Script file failed to open ***",
    "*** Error - Files are not open ***",
    "Generating script without characternames",
    "Script.html successfully generated",
};

}  // namespace

std::string_view StatusText(Status status) noexcept {
    return kStatusTexts[static_cast<std::size_t>(status)];
}

std::string_view FormatName(ScriptFormat format) noexcept {
    return format == ScriptFormat::ScreenPlay ? "a screen play" : "a stage play";
}

std::string ContinueQuestion(std::string_view scriptName, int lines, ScriptFormat format,
                             bool formatChosen) {
    std::string question(scriptName);
    question += " already holds " + std::to_string(lines) + " lines of this text";
    if (!formatChosen) {
        question += " as ";
        question += FormatName(format);
    }
    return question + ". Continue where it stopped?";
}

std::string StartAnewQuestion(std::string_view scriptName, std::string_view keptName) {
    std::string question(scriptName);
    question +=
        " already holds a finished script of this text. Start a new one? The finished "
        "one is kept as ";
    question += keptName;
    return question + ".";
}

}  // namespace velmora
