#include "conversion/Explanations.h"

#include "conversion/EarlierRun.h"
#include "conversion/StatusTexts.h"
#include "script/ScriptSession.h"
#include "text/Marks.h"

#include <algorithm>

namespace velmora {
namespace {

std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string line;
    for (const std::string_view part : parts) {
        line += part;
    }
    return line;
}

std::string SystemReason(int error) { return error == 0 ? "it failed" : SystemErrorText(error); }

// Why a file could not be opened, in the words shared by the text and the script.
std::string RefusalReason(std::string_view name, const OpenRefusal& refusal,
                          std::string_view failedTo) {
    switch (refusal.failure) {
    case OpenFailure::InUse:
        return Joined({name, " is in use by another program."});
    case OpenFailure::WordProcessor:
        return Joined({name, " is open in a word processor (its lock file .~lock.", name,
                       "# is beside it)."});
    case OpenFailure::NotAFile:
        return Joined({name, " is a folder or a device, not a file."});
    case OpenFailure::Missing:
    case OpenFailure::System:
    case OpenFailure::None:
        break;
    }
    return Joined({name, " could not be ", failedTo, ": ", SystemReason(refusal.error), "."});
}

}  // namespace

std::string TextLoadProblem(std::string_view name, const OpenRefusal& refusal, bool tooLarge) {
    if (tooLarge) {
        return "The text is larger than 2 GB, which Velmora cannot convert.";
    }
    return RefusalReason(name, refusal, "read");
}

std::string ScriptOpenProblem(std::string_view name, const ScriptOpening& opening,
                              const ProtectedName& protectedName) {
    switch (opening.outcome) {
    case ScriptOpening::Outcome::IsProtected:
        return Joined({"The ", protectedName.what, " itself is ", name, "; rename ",
                       protectedName.renamed, " or move it to another folder."});
    case ScriptOpening::Outcome::BackupFailed:
        return Joined({"The earlier ", name, " could not be kept as ", opening.backupName, ": ",
                       SystemReason(opening.error), "."});
    case ScriptOpening::Outcome::Refused:
        return RefusalReason(name, opening.refusal, "written");
    case ScriptOpening::Outcome::Failed:
        return opening.failure;
    case ScriptOpening::Outcome::Replaced:
    case ScriptOpening::Outcome::Changed:
    case ScriptOpening::Outcome::Opened:
        break;
    }
    return {};
}

std::string KeptBackup(std::string_view name, std::string_view backupName) {
    return Joined({"The earlier ", name, " was kept as ", backupName, "."});
}

std::string VerdictReason(const EarlierRun& run, std::string_view partsAt) {
    switch (run.verdict) {
    case EarlierRun::Verdict::NotAScript:
        return "it is not a script";
    case EarlierRun::Verdict::OtherText:
        return "it is a script of another text";
    case EarlierRun::Verdict::ChangedText:
        return Joined(
            {"it is a script of this text as it was before a change (they part at ", partsAt, ")"});
    case EarlierRun::Verdict::Finished:
        return "it holds a finished script of this text";
    case EarlierRun::Verdict::Unfinished:
        break;
    }
    return "it was not asked to";
}

std::string NotGoneOnWith(std::string_view name, const EarlierRun& run, std::string_view partsAt) {
    return Joined({name, " was left as it is: ", VerdictReason(run, partsAt), "."});
}

std::string PlaceInText(std::string_view text, std::size_t offset, bool document) {
    if (!document) {
        return "line " + std::to_string(LineNumberAt(text, offset)) + " of the text";
    }
    int paragraph = 1;
    for (std::size_t at = text.find(kParagraphBreak); at < std::min(offset, text.size());
         at = text.find(kParagraphBreak, at + kParagraphBreak.size())) {
        ++paragraph;
    }
    return "paragraph " + std::to_string(paragraph) + " of the document";
}

std::string NothingToGoOnWith(std::string_view name) {
    return Joined({"There is no ", name, " beside the text to go on with."});
}

std::string ChangedWhileRead(std::string_view name) {
    return Joined({name, " was left as it is: another program wrote it while Velmora read it."});
}

std::string GoingOn(std::string_view name, int lines, ScriptFormat format, bool formatChosen) {
    const std::string count = std::to_string(lines);
    if (formatChosen) {
        return Joined({"Going on with ", name, " after its ", count, " lines."});
    }
    return Joined(
        {"Going on with ", name, " after its ", count, " lines, as ", FormatName(format), "."});
}

std::string ReadAsBefore(std::string_view name, const std::vector<std::string_view>& read) {
    std::string line = Joined({"The text is read as when ", name, " was made: "});
    for (std::size_t i = 0; i < read.size(); ++i) {
        line += i == 0 ? "" : ", ";
        line += read[i];
    }
    return line + ".";
}

std::string FinishedScriptLeft(std::string_view name) {
    return Joined({name, " keeps its finished script; nothing was written."});
}

std::string NotUndone(std::string_view name, const ScriptOpening& opening) {
    switch (opening.outcome) {
    case ScriptOpening::Outcome::Changed:
        return Joined({name, " was changed after it was finished, so nothing was undone."});
    case ScriptOpening::Outcome::Replaced:
        return Joined({name, " is no longer the file Velmora finished, so nothing was undone."});
    default:
        return ScriptOpenProblem(name, opening, {}) + " Nothing was undone.";
    }
}

}  // namespace velmora
