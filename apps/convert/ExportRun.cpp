#include "apps/convert/ExportRun.h"

#include "apps/convert/CommandLine.h"
#include "apps/convert/ConvertProgram.h"
#include "conversion/ConversionController.h"
#include "conversion/EarlierRun.h"
#include "conversion/Explanations.h"
#include "conversion/NovelFile.h"
#include "conversion/ScriptOfText.h"
#include "conversion/ScriptReadBack.h"
#include "export/ExportProblem.h"
#include "export/ScriptExport.h"
#include "platform/File.h"
#include "platform/FileError.h"
#include "platform/FolderPart.h"
#include "platform/ProgramFolder.h"
#include "script/FileScriptSource.h"
#include "text/TextReader.h"

#include <new>
#include <ostream>
#include <string>

namespace velmora {
namespace {

constexpr std::string_view kScriptFileName = ConversionController::kScriptFileName;

// name in the folder of the file path names, as the user named that file: "texts/novel.txt"
// gives "texts/NAME".
std::string Beside(const std::string& path, std::string_view name) {
    return FolderPart(path) + std::string(name);
}

ExportOptions OptionsOf(const ConvertOptions& options) {
    ExportOptions exportOptions;
    exportOptions.paper = options.exports.paper;
    exportOptions.fonts = FindPdfFonts(FontFolders(ProgramFolder()));
    return exportOptions;
}

// Writes each export asked for beside the script, named to the user as beside textFile.
// Every format is tried; the status is 2 when one could not be written.
int WriteExports(const ScriptReadBack& script, const ConvertOptions& options, std::ostream& err) {
    const ScriptExport exports(script, OptionsOf(options));
    int status = kExitFinished;
    for (const ExportFormat format : options.exports.formats) {
        try {
            (void)exports.Write(format, exports.BesideScript(format));
            err << ExportedAs(Beside(options.textFile, ExportFileName(format))) << '\n';
        } catch (const FileError& error) {
            err << error.what() << '\n';
            status = kExitFileError;
        } catch (const ExportProblem& problem) {
            err << problem.what() << '\n';
            status = kExitFileError;
        }
    }
    return status;
}

int ExportExisting(const ConvertOptions& options, std::ostream& err) {
    TextReader reader;
    if (const auto problem = LoadNovel(options.textFile, reader)) {
        err << *problem << '\n';
        return kExitNotFinished;
    }
    const std::string scriptName = Beside(options.textFile, kScriptFileName);
    if (!IdentityOf(scriptName)) {
        err << "There is no " << scriptName << " beside the text to export.\n";
        return kExitNotFinished;
    }
    File file;
    if (!file.OpenForReading(scriptName)) {
        err << TextLoadProblem(scriptName, file.LastRefusal(), false) << '\n';
        return kExitNotFinished;
    }
    ScriptReadBack script;
    script.set = DetectCharacterSet(reader.Text());
    script.textName = options.textFile;
    script.scriptPath = scriptName;
    if (reader.Identity()) {
        script.protect.push_back(*reader.Identity());
    }
    script.protect.push_back(file.Identity());
    FileScriptSource source(file);
    const ExistingScript existing = RecogniseExistingScript(
        reader, script.set, options.stagePlay ? ScriptFormat::StagePlay : ScriptFormat::ScreenPlay,
        source, IsDocumentName(options.textFile));
    script.run = existing.run;
    script.text = reader.Text();
    if (!script.run.IsOfThisText()) {
        err << NotExported(scriptName, script.run, existing.partsAt) << '\n';
        return kExitNotFinished;
    }
    return WriteExports(script, options, err);
}

}  // namespace

int ExportExistingScript(const ConvertOptions& options, std::ostream& err) {
    try {
        return ExportExisting(options, err);
    } catch (const FileError& error) {
        err << error.what() << '\n';
    } catch (const ExportProblem& problem) {
        err << problem.what() << '\n';
    } catch (const std::bad_alloc&) {
        err << "Out of memory.\n";
    }
    return kExitFileError;
}

int ExportFinishedScript(ConversionController& controller, const ConvertOptions& options,
                         std::ostream& err) {
    try {
        return WriteExports(controller.ReadBackScript(), options, err);
    } catch (const ExportProblem& problem) {
        err << problem.what() << '\n';
    }
    return kExitFileError;
}

ExistingScript RecogniseExistingScript(TextReader& reader, CharacterSet set, ScriptFormat preferred,
                                       ScriptSource& script, bool document) {
    const ScriptOfText found = RecogniseScriptOfText(reader.Text(), set, preferred, script);
    ExistingScript existing{found.run, {}};
    if (found.run.verdict == EarlierRun::Verdict::ChangedText) {
        existing.partsAt = PlaceInText(reader.Text(), found.partsAtInText, document);
    }
    found.reading.ApplyTo(reader);
    return existing;
}

}  // namespace velmora
