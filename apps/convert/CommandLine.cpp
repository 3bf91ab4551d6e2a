#include "apps/convert/CommandLine.h"

#include <utility>

namespace velmora {

const std::string_view kConvertUsage =
    "Usage: velmora-convert [--stage] [--names FILE] [--log] [--continue]\n"
    "                       [--typographic-quotes=ask|yes|no] [--blank-lines=ask|yes|no]\n"
    "                       [--gutenberg=ask|yes|no] [--export=LIST [--existing]]\n"
    "                       [--paper=letter|a4] [--help] [--version] TEXTFILE\n";

const std::string_view kConvertHelp =
    "Turns the novel in TEXTFILE into a play script, written as Script.htm beside it.\n"
    "TEXTFILE is a plain text, or an EPUB, DOCX or ODT document (by its extension).\n"
    "\n"
    "  --stage        write a stage play (the default is a screen play)\n"
    "  --names FILE   name the speakers from FILE: UTF-8, one name per line, each used for\n"
    "                 the next line of dialogue; a line \"NOTE: text\" inserts a note there.\n"
    "                 When the names run out, the rest is finished without names.\n"
    "  --log          print the paragraph log to standard output\n"
    "  --continue     go on where the unfinished script of the text in Script.htm beside\n"
    "                 it stopped (in the format it is written in), with the names given\n"
    "                 next. When Script.htm is no such script, or there is none, nothing\n"
    "                 is changed and the exit status is 1. Without this option an earlier\n"
    "                 Script.htm is kept as Script.htm.bak (Script.htm.bak2, .bak3, ...\n"
    "                 when that name holds another script) and a new script begins\n"
    "  --typographic-quotes=ask|yes|no\n"
    "                 when the text marks dialogue only with typographic quotes, treat them\n"
    "                 as double quotes (yes), or not (no), or ask (the default; yes when\n"
    "                 standard input is not a terminal). The text file is never changed.\n"
    "  --blank-lines=ask|yes|no\n"
    "                 when the text separates its paragraphs with blank lines other than\n"
    "                 CR LF CR LF, or has each paragraph on one long line, read them as\n"
    "                 paragraph breaks (yes), or read the text as it is (no), or ask\n"
    "  --gutenberg=ask|yes|no\n"
    "                 when the text holds Project Gutenberg's start and end markers, leave\n"
    "                 out the header before them and the licence after them (yes), or not\n"
    "                 (no), or ask. --continue, and a later run, recognise a script made\n"
    "                 with any of these answers, whatever the options say then\n"
    "  --export=LIST  when the script is finished, write its exports beside it: LIST is\n"
    "                 fountain (Script.fountain), fdx (Script.fdx, Final Draft), pdf\n"
    "                 (Script.pdf, laid out as a script), comma-separated, or all. Each is\n"
    "                 written whole or not at all, an older export replaced only then; a\n"
    "                 run refused or failed exports nothing\n"
    "  --existing     with --export: export the Script.htm beside TEXTFILE as it is,\n"
    "                 finished or not, changing nothing else; when it is no script of\n"
    "                 TEXTFILE nothing is written and the exit status is 1\n"
    "  --paper=letter|a4\n"
    "                 the PDF's paper: US Letter (the default) or A4\n"
    "  --help         show this help and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Without --names every speaker is named CHARACTERNAME. Status lines go to standard\n"
    "error, and a line for each export written. Exit status: 0 script finished (and\n"
    "exported), 1 conversion or export refused or not started, 2 file or memory error (an\n"
    "export not written among them), 64 wrong usage.\n";

namespace {

constexpr std::string_view kTypographicQuotesOption = "--typographic-quotes=";
constexpr std::string_view kNamesOption = "--names=";

ConvertOptions UsageError(std::string why) {
    ConvertOptions options;
    options.action = ConvertOptions::Action::UsageError;
    options.error = std::move(why);
    return options;
}

// The options that answer how to read the text's paragraphs and its Project Gutenberg
// matter: "--gutenberg=no" sets gutenberg to No.
struct ReadingOption {
    std::string_view prefix;
    ConvertOptions::Answer ConvertOptions::*answer;
};
constexpr ReadingOption kReadingOptions[] = {
    {"--blank-lines=", &ConvertOptions::blankLines},
    {"--gutenberg=", &ConvertOptions::gutenberg},
};

const ReadingOption* ReadingOptionOf(std::string_view argument) {
    for (const ReadingOption& option : kReadingOptions) {
        if (argument.starts_with(option.prefix)) {
            return &option;
        }
    }
    return nullptr;
}

// Sets the option's answer from the argument; false when it names none.
bool SetReadingAnswer(const ReadingOption& option, std::string_view argument,
                      ConvertOptions& options) {
    const std::string_view answer = argument.substr(option.prefix.size());
    if (answer == "ask") {
        options.*option.answer = ConvertOptions::Answer::Ask;
    } else if (answer == "yes") {
        options.*option.answer = ConvertOptions::Answer::Yes;
    } else if (answer == "no") {
        options.*option.answer = ConvertOptions::Answer::No;
    } else {
        return false;
    }
    return true;
}

}  // namespace

ConvertOptions ParseCommandLine(const std::vector<std::string_view>& arguments) {
    ConvertOptions options;
    std::vector<std::string_view> operands;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
            operands.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help") {
            options.action = ConvertOptions::Action::ShowHelp;
            return options;
        } else if (argument == "--version") {
            options.action = ConvertOptions::Action::ShowVersion;
            return options;
        } else if (argument == "--stage") {
            options.stagePlay = true;
        } else if (argument == "--log") {
            options.printLog = true;
        } else if (argument == "--continue") {
            options.continueScript = true;
        } else if (argument == "--names") {
            if (++i == arguments.size()) {
                return UsageError("option '--names' needs a file");
            }
            options.namesFile = std::string(arguments[i]);
        } else if (argument.starts_with(kTypographicQuotesOption)) {
            const auto answer = argument.substr(kTypographicQuotesOption.size());
            if (answer == "ask") {
                options.typographicQuotes = ConvertOptions::Answer::Ask;
            } else if (answer == "yes") {
                options.typographicQuotes = ConvertOptions::Answer::Yes;
            } else if (answer == "no") {
                options.typographicQuotes = ConvertOptions::Answer::No;
            } else {
                return UsageError("option '--typographic-quotes' takes ask, yes or no");
            }
        } else if (const ReadingOption* reading = ReadingOptionOf(argument)) {
            if (!SetReadingAnswer(*reading, argument, options)) {
                const std::string_view name = reading->prefix.substr(0, reading->prefix.size() - 1);
                return UsageError("option '" + std::string(name) + "' takes ask, yes or no");
            }
        } else if (argument.starts_with(kNamesOption)) {
            options.namesFile = std::string(argument.substr(kNamesOption.size()));
        } else if (std::string why; ReadExportOption(argument, options.exports, why)) {
            if (!why.empty()) {
                return UsageError(why);
            }
        } else {
            return UsageError("unknown option '" + std::string(argument) + "'");
        }
    }
    if (options.namesFile && options.namesFile->empty()) {
        return UsageError("option '--names' needs a file");
    }
    if (std::string why = ExportOptionsConflict(options.exports, options.namesFile.has_value(),
                                                options.continueScript);
        !why.empty()) {
        return UsageError(std::move(why));
    }
    if (operands.empty()) {
        return UsageError("no text file given");
    }
    if (operands.size() > 1) {
        return UsageError("one text file at a time ('" + std::string(operands[1]) +
                          "' is one too many)");
    }
    options.textFile = std::string(operands.front());
    return options;
}

}  // namespace velmora
