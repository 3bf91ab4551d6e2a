#include "conversion/Explanations.h"

#include "script/ScriptFile.h"

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
    case ScriptOpening::Outcome::IsProtected: {
        const std::string shown =
            opening.backupName ? ScriptFile::BackupName(std::string(name)) : std::string(name);
        return Joined({"The ", protectedName.what, " itself is ", shown, "; rename ",
                       protectedName.renamed, " or move it to another folder."});
    }
    case ScriptOpening::Outcome::BackupFailed:
        return Joined({"The earlier ", name, " could not be kept as ",
                       ScriptFile::BackupName(std::string(name)), ": ", SystemReason(opening.error),
                       "."});
    case ScriptOpening::Outcome::Refused:
        return RefusalReason(name, opening.refusal, "written");
    case ScriptOpening::Outcome::Opened:
        break;
    }
    return {};
}

std::string KeptBackup(std::string_view name, std::string_view backupName) {
    return Joined({"The earlier ", name, " was kept as ", backupName, "."});
}

}  // namespace velmora
