// velmora-convert: one conversion from the command line, through the same controller as the
// desktop program.

#include "apps/convert/CommandLine.h"
#include "apps/convert/ConvertProgram.h"
#include "platform/File.h"

#include <csignal>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Asks the user at the terminal; Enter (or the end of input) takes the default, yes.
bool AskAtTerminal(std::string_view question) {
    std::cerr << question << " [Y/n] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) {
        return true;
    }
    const auto first = answer.find_first_not_of(" \t");
    return first == std::string::npos || (answer[first] != 'n' && answer[first] != 'N');
}

}  // namespace

int main(int argc, char** argv) {
    // Before anything opens a file: a closed stream's number must not go to the script.
    velmora::OpenClosedStandardStreams();
    std::ios::sync_with_stdio(false);  // the log of a long text is many lines
#ifdef SIGPIPE
    // A reader of the log that goes away ("--log | head") must not end the conversion: the
    // failed write stops the log, and the script is finished all the same.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const auto options = velmora::ParseCommandLine(arguments);
    switch (options.action) {
    case velmora::ConvertOptions::Action::ShowHelp:
        std::cout << velmora::kConvertUsage << velmora::kConvertHelp;
        return velmora::kExitFinished;
    case velmora::ConvertOptions::Action::ShowVersion:
        std::cout << "velmora-convert " << VELMORA_VERSION << '\n';
        return velmora::kExitFinished;
    case velmora::ConvertOptions::Action::UsageError:
        std::cerr << "velmora-convert: " << options.error << '\n'
                  << velmora::kConvertUsage
                  << "Try 'velmora-convert --help' for more information.\n";
        return velmora::kExitUsage;
    case velmora::ConvertOptions::Action::Convert:
        break;
    }
    const bool atTerminal = velmora::StandardInputIsTerminal();
    return velmora::RunConversion(options, std::cout, std::cerr,
                                  atTerminal ? AskAtTerminal : nullptr);
}
