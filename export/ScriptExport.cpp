#include "export/ScriptExport.h"

#include "conversion/Explanations.h"
#include "conversion/ScriptReadBack.h"
#include "export/ExportProblem.h"
#include "export/ReplayElements.h"
#include "platform/FileError.h"
#include "platform/FileErrorCauses.h"
#include "platform/FolderPart.h"

#include <utility>

namespace velmora {
namespace {

constexpr std::string_view kScriptName = "Script.htm";

ReplaySource SourceOf(const ScriptReadBack& script) {
    ReplaySource source;
    source.text = script.text;  // read as the conversion read it: quotes straightened already
    source.set = script.set;
    source.format = script.run.format;
    source.steps = script.run.steps;
    source.finished = script.run.verdict == EarlierRun::Verdict::Finished;
    return source;
}

}  // namespace

ScriptExport::ScriptExport(const ScriptReadBack& script, ExportOptions options)
    : options_(std::move(options)), protect_(script.protect),
      folder_(FolderPart(script.scriptPath)) {
    if (!script.run.IsOfThisText()) {
        // Read back from the conversion's own script: a change is placed in the text as read.
        throw ExportProblem(NotExported(kScriptName, script.run,
                                        PlaceInText(script.text, script.run.partsAt, false)));
    }
    script_ = MakeExportScript(SourceOf(script));
    title_ = TitlePageOf(script.text, script.set, script.textName);
}

std::string ScriptExport::BesideScript(ExportFormat format) const {
    return folder_ + std::string(ExportFileName(format));
}

std::string ScriptExport::Write(ExportFormat format, const std::string& name) const {
    const std::string bytes = RenderExport(format, script_, title_, options_);
    const ExportWriting writing = WriteExportFile(name, bytes, protect_);
    switch (writing.outcome) {
    case ExportWriting::Outcome::Refused:
        throw FileError(CauseOfRefusal(writing.refusal), writing.path);
    case ExportWriting::Outcome::IsProtected:
        throw ExportProblem(writing.path +
                            " is a file the script is made from (the text, the names or " +
                            std::string(kScriptName) + "); it was not written over.");
    case ExportWriting::Outcome::Written:
        break;
    }
    return writing.path;
}

std::string NotExported(std::string_view scriptName, const EarlierRun& run,
                        std::string_view partsAt) {
    return std::string(scriptName) + " was not exported: " + VerdictReason(run, partsAt) + ".";
}

std::string ExportedAs(std::string_view name) {
    return "Exported the script as " + std::string(name) + ".";
}

}  // namespace velmora
