#include "script/ScriptFile.h"

#include <algorithm>
#include <optional>

namespace velmora {
namespace {

ScriptOpening Refused(const File& file) {
    ScriptOpening opening;
    opening.outcome = ScriptOpening::Outcome::Refused;
    opening.refusal = file.LastRefusal();
    return opening;
}

// The protected file name leads to, if any.
std::optional<std::size_t> ProtectedAt(const std::string& name,
                                       std::span<const FileIdentity> protect) {
    const auto identity = IdentityOf(name);
    if (!identity) {
        return std::nullopt;
    }
    const auto found = std::find(protect.begin(), protect.end(), *identity);
    if (found == protect.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - protect.begin());
}

std::optional<ScriptOpening> CheckProtected(const std::string& name, bool backupName,
                                            std::span<const FileIdentity> protect) {
    const auto index = ProtectedAt(name, protect);
    if (!index) {
        return std::nullopt;
    }
    ScriptOpening opening;
    opening.outcome = ScriptOpening::Outcome::IsProtected;
    opening.protectedIndex = *index;
    opening.backupName = backupName;
    return opening;
}

}  // namespace

std::string ScriptFile::BackupName(const std::string& name) { return name + ".bak"; }

ScriptOpening ScriptFile::OpenNew(const std::string& name,
                                  std::span<const FileIdentity> protect) noexcept {
    try {
        if (auto refused = CheckProtected(name, false, protect)) {
            return *refused;
        }
        // Held first, so that a script another program has open is neither moved nor
        // emptied; then set aside whole when it holds anything.
        bool keptBackup = false;
        bool created = false;
        if (file_.OpenForAppending(name)) {
            const bool holdsSomething = file_.IsRegularFile() && file_.Length() > 0;
            file_.Close();
            if (holdsSomething) {
                const std::string backup = BackupName(name);
                if (auto refused = CheckProtected(backup, true, protect)) {
                    return *refused;
                }
                int error = 0;
                if (!RenameFile(name, backup, error)) {
                    ScriptOpening opening;
                    opening.outcome = ScriptOpening::Outcome::BackupFailed;
                    opening.error = error;
                    return opening;
                }
                keptBackup = true;
            }
        } else if (file_.LastRefusal().failure == OpenFailure::Missing) {
            created = true;
        } else {
            return Refused(file_);
        }
        if (!file_.OpenForWriting(name)) {
            return Refused(file_);
        }
        ScriptOpening opening;
        opening.keptBackup = keptBackup;
        opening.created = created;
        return opening;
    } catch (...) {
        // Measuring or closing the earlier script failed: it is left where it was.
        ScriptOpening opening;
        opening.outcome = ScriptOpening::Outcome::Refused;
        opening.refusal = {OpenFailure::System, 0};
        return opening;
    }
}

ScriptOpening ScriptFile::OpenExisting(const std::string& name,
                                       std::span<const FileIdentity> protect) noexcept {
    try {
        if (auto refused = CheckProtected(name, false, protect)) {
            return *refused;
        }
        if (!file_.OpenForAppending(name)) {
            return Refused(file_);
        }
        return {};
    } catch (...) {
        ScriptOpening opening;
        opening.outcome = ScriptOpening::Outcome::Refused;
        opening.refusal = {OpenFailure::System, 0};
        return opening;
    }
}

void ScriptFile::Close() {
    file_.FlushToDisk();
    file_.Close();
}

}  // namespace velmora
