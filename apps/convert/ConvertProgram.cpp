#include "apps/convert/ConvertProgram.h"

#include "apps/convert/CommandLine.h"
#include "apps/convert/ConsoleView.h"
#include "apps/convert/ExportRun.h"
#include "apps/convert/NameScript.h"
#include "conversion/ConversionController.h"
#include "platform/File.h"
#include "platform/FileError.h"
#include "platform/WholeFile.h"
#include "text/TextReader.h"

#include <array>
#include <new>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace velmora {
namespace {

// The slot the names are typed into; any slot would do.
constexpr int kNameSlot = 1;

// What a names file holds, read as a text is (so a file too large is refused too).
struct NamesFile {
    std::string content;
    std::optional<FileIdentity> identity;
};

// The names file, or nothing when it cannot be opened.
// @throws FileError when the opened file cannot be read.
std::optional<NamesFile> ReadNamesFile(const std::string& name) {
    WholeFile file = ReadWholeFile(name, TextReader::kMaxLength);
    if (!file.IsRead()) {
        return std::nullopt;
    }
    return NamesFile{std::move(file.bytes), file.identity};
}

// "3 names were not used", "1 name and 2 notes were not used", "1 name, 1 note and 2 NOT
// DIALOGUE: lines were not used"; unused counts the steps left over of each kind.
std::string Unused(const std::array<int, 3>& unused) {
    constexpr std::array<std::array<std::string_view, 2>, 3> kKinds = {
        {{"name", "names"}, {"note", "notes"}, {"NOT DIALOGUE: line", "NOT DIALOGUE: lines"}}};
    std::vector<std::string> parts;
    for (std::size_t kind = 0; kind < kKinds.size(); ++kind) {
        if (const int count = unused.at(kind); count > 0) {
            parts.push_back(std::to_string(count) + " " +
                            std::string(kKinds.at(kind).at(count == 1 ? 0 : 1)));
        }
    }
    std::string line;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        line += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    }
    const int total = unused[0] + unused[1] + unused[2];
    return line + (total == 1 ? " was not used" : " were not used");
}

// The option that answers a question of how to read the text.
ConvertOptions::Answer OptionAnswering(const ConvertOptions& options, ReadingChoice choice) {
    switch (choice) {
    case ReadingChoice::Paragraphs:
        return options.blankLines;
    case ReadingChoice::GutenbergMatter:
        return options.gutenberg;
    case ReadingChoice::TypographicQuotes:
        break;
    }
    return options.typographicQuotes;
}

int Convert(const ConvertOptions& options, std::ostream& out, std::ostream& err,
            const std::function<bool(std::string_view)>& askUser) {
    // Read before the text's folder becomes the current directory, so a relative path
    // means what it meant on the command line.
    std::vector<NameScriptStep> steps;
    std::optional<FileIdentity> namesIdentity;
    if (options.namesFile) {
        const auto names = ReadNamesFile(*options.namesFile);
        if (!names) {
            err << "velmora-convert: cannot open the names file '" << *options.namesFile << "'\n";
            return kExitNotFinished;
        }
        if (const int line = FirstLineNotUtf8(names->content); line != 0) {
            err << "velmora-convert: the names file '" << *options.namesFile
                << "' is not UTF-8 at line " << line << '\n';
            return kExitNotFinished;
        }
        if (const int line = FirstMisusedLine(names->content); line != 0) {
            err << "velmora-convert: the names file '" << *options.namesFile << "' has more than "
                << kNotDialogueMark << " at line " << line << '\n';
            return kExitNotFinished;
        }
        steps = ParseNameScript(names->content);
        namesIdentity = names->identity;
    }

    ConsoleView view(options.textFile, !options.stagePlay, err, options.printLog ? &out : nullptr);
    view.SetContinue(options.continueScript);
    view.SetAsker(askUser);  // any other question: the user at a terminal, or its default
    view.SetReadingAsker([&options, &askUser](const ReadingQuestion& question) {
        switch (OptionAnswering(options, question.choice)) {
        case ConvertOptions::Answer::Yes:
            return true;
        case ConvertOptions::Answer::No:
            return false;
        case ConvertOptions::Answer::Ask:
            break;
        }
        return askUser ? askUser(question.text) : true;
    });
    ConversionController controller(view);
    if (options.continueScript) {
        controller.ContinueOnly();
    }
    if (namesIdentity) {
        controller.Protect(*namesIdentity, "names file", "the names file");
    }
    controller.OpenTextFile();

    std::array<int, 3> unused{};  // names, notes, NOT DIALOGUE: lines
    for (const auto& step : steps) {
        if (!controller.IsAcceptingCommands()) {
            ++unused.at(static_cast<std::size_t>(step.kind));
        } else if (step.kind == NameScriptStep::Kind::Note) {
            view.SetNoteField(step.text);
            controller.GenerateNote();
        } else if (step.kind == NameScriptStep::Kind::NotDialogue) {
            controller.NotDialogue();
        } else {
            view.SetNameField(kNameSlot, step.text);
            controller.GenerateLine(kNameSlot);
        }
    }
    if (controller.IsAcceptingCommands()) {
        controller.GenerateWithoutNames();
    }
    // Only a text that ended leaves names over; a run that was refused used none at all.
    if (controller.IsScriptFinished() && unused[0] + unused[1] + unused[2] > 0) {
        err << Unused(unused) << '\n';
    }
    if (!controller.IsScriptFinished()) {
        return kExitNotFinished;
    }
    return options.exports.formats.empty() ? kExitFinished
                                           : ExportFinishedScript(controller, options, err);
}

}  // namespace

int RunConversion(const ConvertOptions& options, std::ostream& out, std::ostream& err,
                  const std::function<bool(std::string_view)>& askUser) {
    int status = kExitFileError;
    try {
        status = options.exports.existing ? ExportExistingScript(options, err)
                                          : Convert(options, out, err, askUser);
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
