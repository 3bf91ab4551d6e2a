#pragma once

#include "apps/convert/ExportRequest.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// What velmora-convert was asked to do.
struct ConvertOptions {
    enum class Action { Convert, ShowHelp, ShowVersion, UsageError };
    // How to answer a question of how to read the text (whether typographic quotes mark
    // dialogue, say): ask the user at a terminal (yes when standard input is not one), or
    // always yes, or always no.
    enum class Answer { Ask, Yes, No };

    Action action = Action::Convert;
    bool stagePlay = false;
    bool printLog = false;
    bool continueScript = false;
    Answer typographicQuotes = Answer::Ask;
    // Blank lines (or long lines) as paragraph breaks; Project Gutenberg's matter left out.
    Answer blankLines = Answer::Ask;
    Answer gutenberg = Answer::Ask;
    std::optional<std::string> namesFile;
    std::string textFile;
    ExportRequest exports;  // --export, --existing, --paper
    std::string error;      // why the usage is wrong, for UsageError
};

// Reads the arguments after the program name, in order: --help and --version answer at
// once, the first wrong argument makes a usage error, "--" ends the options.
[[nodiscard]] ConvertOptions ParseCommandLine(const std::vector<std::string_view>& arguments);

// The one-line synopsis and the full help text.
extern const std::string_view kConvertUsage;
extern const std::string_view kConvertHelp;

}  // namespace velmora
