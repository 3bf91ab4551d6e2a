#pragma once

#include "platform/File.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

class ScriptOutput;
class ScriptSource;

// How opening the script file went.
struct ScriptOpening {
    enum class Outcome {
        Opened,
        Refused,       // the file could not be opened: refusal says why
        IsProtected,   // the name leads to a file it must never write over
        BackupFailed,  // the earlier script could not be set aside: error says why
        Failed,        // a file error while it was looked at: failure is its message
        Replaced,      // reopening: the name leads to another file than the one finished
        Changed,       // reopening: the file finished holds other bytes now
    };
    Outcome outcome = Outcome::Opened;
    OpenRefusal refusal;
    std::size_t protectedIndex = 0;  // IsProtected: which of the protected files
    int error = 0;                   // BackupFailed: the system's error number
    std::string backupName;          // BackupFailed: the name it was to be kept under
    std::string failure;             // Failed: the file error's message
    std::string keptName;            // not opened: where the earlier script is kept now

    [[nodiscard]] bool IsOpened() const noexcept { return outcome == Outcome::Opened; }
};

// The script file of one run, from the first look at an earlier script to the end: every
// rule about which file is written, and which never is, lives here.
//
// - The script is held (see File) from the moment it is opened to the end of the run: an
//   earlier script is recognised, cut back and gone on with through the same open file.
// - It is never one of the protected files (the text, the names), by any name or link, and it
//   is a regular file or nothing.
// - An earlier script is never emptied or written over: it is set aside under the next free
//   kept name (NAME.bak, NAME.bak2, NAME.bak3, ...), never replacing anything, and a new file
//   is created beside it. A kept copy that holds nothing, or the same bytes as an older kept
//   file, is dropped again once the new script has started.
// - Once finished and let go of, the script is written again only if its name still leads to
//   the same file holding the same bytes.
class ScriptSession {
public:
    // name: the script's name in the current directory ("Script.htm").
    explicit ScriptSession(std::string name);
    ~ScriptSession();
    ScriptSession(const ScriptSession&) = delete;
    ScriptSession& operator=(const ScriptSession&) = delete;

    // A file the script must never be; ScriptOpening::protectedIndex counts in call order.
    void Protect(FileIdentity identity);

    // Opens and holds the script already there, to be recognised, then gone on with or set
    // aside. Opened with HasEarlier() false when there is none.
    [[nodiscard]] ScriptOpening OpenEarlier();
    [[nodiscard]] bool HasEarlier() const noexcept { return earlier_ != nullptr; }
    // The held earlier script's length when it was opened, and its bytes.
    [[nodiscard]] std::int64_t EarlierLength() const noexcept { return earlierLength_; }
    [[nodiscard]] ScriptSource& Earlier();
    // The name the earlier script would be kept under by StartNew: an older kept file with
    // the same bytes, else the next free kept name.
    [[nodiscard]] std::string KeepingName();

    // Goes on writing the earlier script after its first length bytes; what follows them is
    // cut off. False, with nothing cut, when the script's length is no longer the one it had
    // when opened (another program wrote it meanwhile).
    // @throws FileError when it cannot be cut (never lengthened: EndOfFile).
    [[nodiscard]] bool GoOnAt(std::int64_t length);

    // Sets the earlier script aside, if there is one, and creates a new, empty script, held.
    // On a refusal the earlier script is put back where it was (keptName says where it is
    // when that failed too).
    [[nodiscard]] ScriptOpening StartNew();
    // Once the new script has started: lets go of the earlier one, and drops its kept copy
    // when it holds nothing or an older kept file holds its bytes already. The name it is
    // kept under, empty for none.
    [[nodiscard]] std::string SettleEarlier() noexcept;
    // The new script could not be started: removes it and puts the earlier script back in
    // its place. The name the earlier script is still kept under, empty when it is back.
    [[nodiscard]] std::string GiveBack() noexcept;

    // The held script to write: writing goes to the file at once, and closing the output
    // finishes the script (safe on disk, then let go of).
    [[nodiscard]] std::unique_ptr<ScriptOutput> Output();
    // Holds the finished script again to write on, if its name still leads to the file that
    // was finished and it holds the bytes it was finished with.
    [[nodiscard]] ScriptOpening Reopen();
    // Lets go of the script and any earlier one as they stand.
    void Release() noexcept;

    // The script's full path, once it is open.
    [[nodiscard]] const std::string& Path() const noexcept { return path_; }

    // Reads the script as it stands, from its beginning, through read: the held script,
    // after which writing goes on at its end as before; or, once finished, the file it was
    // finished as, opened again to read only.
    // @throws FileError when it cannot be read, or cannot be opened again (naming it).
    void ReadBack(const std::function<void(ScriptSource& script)>& read);
    // The files the script must never be, in the order given.
    [[nodiscard]] const std::vector<FileIdentity>& ProtectedFiles() const noexcept {
        return protect_;
    }

    // The name of the number-th kept copy: NAME.bak, then NAME.bak2, NAME.bak3, ...
    [[nodiscard]] std::string KeptName(int number) const;

private:
    class HeldOutput;
    struct Finished {
        FileIdentity identity;
        std::int64_t length = 0;
        std::uint64_t digest = 0;
    };

    [[nodiscard]] std::optional<std::size_t> ProtectedAt(
        const std::optional<FileIdentity>& identity) const;
    // The older kept file (before number) that holds what the earlier script holds.
    [[nodiscard]] std::string OlderKeptCopy(int number);
    [[nodiscard]] ScriptOpening SetAside();
    void Finish();

    std::string name_;
    std::vector<FileIdentity> protect_;
    std::unique_ptr<File> earlier_;  // the script that was there, held
    std::int64_t earlierLength_ = 0;
    FileIdentity earlierIdentity_;
    std::unique_ptr<ScriptSource> earlierBytes_;
    int keptNumber_ = 0;                // the kept name the earlier script has now, 0 for none
    std::unique_ptr<File> script_;      // the script written, held
    bool created_ = false;              // script_ is a file this run created
    std::optional<Finished> finished_;  // what was let go of when the script was finished
    std::string path_;
};

}  // namespace velmora
