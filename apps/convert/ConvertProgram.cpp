#include "apps/convert/ConvertProgram.h"

#include "apps/convert/CommandLine.h"
#include "apps/convert/ConsoleView.h"
#include "apps/convert/NameScript.h"
#include "conversion/ConversionController.h"
#include "platform/FileError.h"
#include "text/Encoding.h"
#include "text/TextReader.h"

#include <new>
#include <optional>
#include <ostream>

namespace velmora {
namespace {

// The slot the names are typed into; any slot would do.
constexpr int kNameSlot = 1;

// The whole names file, read as a text is (so a file too large is refused too), or nothing
// when it cannot be opened.
// @throws FileError when the opened file cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& name) {
    TextReader reader;
    reader.Load(name);
    if (!reader.IsLoaded()) {
        return std::nullopt;
    }
    return std::string(reader.Text());
}

int Convert(const ConvertOptions& options, std::ostream& out, std::ostream& err,
            const std::function<bool(std::string_view)>& askUser) {
    // Read before the text's folder becomes the current directory, so a relative path
    // means what it meant on the command line.
    std::vector<NameScriptStep> steps;
    if (options.namesFile) {
        const auto content = ReadWholeFile(*options.namesFile);
        if (!content) {
            err << "velmora-convert: cannot open the names file '" << *options.namesFile << "'\n";
            return kExitNotFinished;
        }
        steps = ParseNameScript(*content);
    }

    ConsoleView view(options.textFile, !options.stagePlay, err, options.printLog ? &out : nullptr);
    view.SetAsker([&options, &askUser](std::string_view question) {
        switch (options.typographicQuotes) {
        case ConvertOptions::Answer::Yes:
            return true;
        case ConvertOptions::Answer::No:
            return false;
        case ConvertOptions::Answer::Ask:
            break;
        }
        return askUser ? askUser(question) : true;
    });
    ConversionController controller(view);
    controller.OpenTextFile();

    // Names arrive as UTF-8; the script is in the text's own character set.
    const bool toWindows1252 = controller.TextCharacterSet() == CharacterSet::Windows1252;
    const auto inTextCharacterSet = [toWindows1252](const std::string& utf8) {
        return toWindows1252 ? Utf8ToWindows1252(utf8) : utf8;
    };
    for (const auto& step : steps) {
        if (!controller.IsAcceptingCommands()) {
            break;
        }
        if (step.isNote) {
            view.SetNoteField(inTextCharacterSet(step.text));
            controller.GenerateNote();
        } else {
            view.SetNameField(kNameSlot, inTextCharacterSet(step.text));
            controller.GenerateLine(kNameSlot);
        }
    }
    if (controller.IsAcceptingCommands()) {
        controller.GenerateWithoutNames();
    }
    return controller.IsScriptFinished() ? kExitFinished : kExitNotFinished;
}

}  // namespace

int RunConversion(const ConvertOptions& options, std::ostream& out, std::ostream& err,
                  const std::function<bool(std::string_view)>& askUser) {
    int status = kExitFileError;
    try {
        status = Convert(options, out, err, askUser);
    } catch (const FileError& error) {
        err << error.what() << '\n';
    } catch (const std::bad_alloc&) {
        err << "Out of memory.\n";
    }
    if (options.printLog && !out.flush()) {
        err << "velmora-convert: the log could not be written\n";
        status = kExitFileError;
    }
    return status;
}

}  // namespace velmora
