// velmora-convert: one conversion from the command line, through the same controller as the
// desktop program.

#include "apps/convert/CommandLine.h"
#include "apps/convert/ConvertProgram.h"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);  // the log of a long text is many lines
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
    return velmora::RunConversion(options, std::cout, std::cerr);
}
