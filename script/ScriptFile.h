#pragma once

#include "platform/File.h"
#include "script/ScriptOutput.h"

#include <cstddef>
#include <span>
#include <string>

namespace velmora {

// How opening the script file went.
struct ScriptOpening {
    enum class Outcome {
        Opened,
        Refused,       // the file could not be opened: refusal says why
        IsProtected,   // the name leads to a file it must never overwrite
        BackupFailed,  // the earlier script could not be kept: error says why
    };
    Outcome outcome = Outcome::Opened;
    OpenRefusal refusal;
    std::size_t protectedIndex = 0;  // IsProtected: which of the files it leads to
    bool backupName = false;         // IsProtected: it is the backup's name that leads there
    int error = 0;                   // BackupFailed: the system's error number
    bool keptBackup = false;         // Opened: the earlier script is now NAME.bak
    bool created = false;            // Opened: there was no file of that name before

    [[nodiscard]] bool IsOpened() const noexcept { return outcome == Outcome::Opened; }
};

// The script's file. It is never the same file as the text or the names it is made from,
// and an earlier script is set aside rather than emptied.
class ScriptFile final : public ScriptOutput {
public:
    // The name an earlier script is kept under: name + ".bak".
    [[nodiscard]] static std::string BackupName(const std::string& name);

    // A new, empty script. An earlier script of that name that holds anything is first
    // renamed to its backup name (replacing an older backup). protect: files the name (or
    // the backup's) must not lead to.
    [[nodiscard]] ScriptOpening OpenNew(const std::string& name,
                                        std::span<const FileIdentity> protect) noexcept;

    // An existing script, kept as it is, to write on at its end.
    [[nodiscard]] ScriptOpening OpenExisting(const std::string& name,
                                             std::span<const FileIdentity> protect) noexcept;

    // The full path as resolved when the file was opened.
    [[nodiscard]] const std::string& Path() const noexcept { return file_.Path(); }

    [[nodiscard]] bool IsOpen() const noexcept override { return file_.IsOpen(); }
    void Write(std::string_view bytes) override { file_.Write(bytes); }
    [[nodiscard]] std::int64_t Length() override { return file_.Length(); }
    void Truncate(std::int64_t length) override { file_.Truncate(length); }
    // Flushes the script to stable storage, then closes it. A failed flush leaves it open.
    void Close() override;

private:
    File file_;
};

}  // namespace velmora
