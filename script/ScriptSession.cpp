#include "script/ScriptSession.h"

#include "platform/FileError.h"
#include "platform/FileErrorCauses.h"
#include "script/FileScriptSource.h"
#include "script/ScriptOutput.h"
#include "script/ScriptSource.h"

#include <algorithm>
#include <functional>
#include <new>
#include <string_view>
#include <utility>

namespace velmora {
namespace {

// Scripts are read and compared a piece of this size at a time, never whole.
constexpr std::size_t kPiece = std::size_t{1} << 20U;

// Kept names tried before giving up: far more than anybody keeps.
constexpr int kMostKeptNames = 100000;

// Calls onPiece with the bytes of file from its beginning, a piece at a time.
// @throws FileError
template <typename OnPiece>
void ForEachPiece(File& file, std::string& buffer, OnPiece&& onPiece) {
    file.Seek(0);
    buffer.resize(kPiece);
    for (;;) {
        const std::size_t got = file.Read(buffer.data(), buffer.size());
        if (got == 0 || !onPiece(std::string_view(buffer.data(), got))) {
            return;
        }
    }
}

// A digest of a file's bytes, enough to notice any change made by hand; the same bytes give
// the same digest within a run. @throws FileError
std::uint64_t DigestOf(File& file) {
    std::uint64_t digest = 0;
    std::string buffer;
    ForEachPiece(file, buffer, [&digest](std::string_view piece) {
        digest = digest * 1099511628211ULL ^ std::hash<std::string_view>{}(piece);
        return true;
    });
    return digest;
}

// True when both files hold the same bytes. @throws FileError
bool SameBytes(File& one, File& other) {
    if (one.Length() != other.Length()) {
        return false;
    }
    std::string buffer;
    std::string otherBuffer(kPiece, '\0');
    bool same = true;
    other.Seek(0);
    ForEachPiece(one, buffer, [&](std::string_view piece) {
        const std::size_t got = other.Read(otherBuffer.data(), piece.size());
        same = std::string_view(otherBuffer.data(), got) == piece;
        return same;
    });
    return same;
}

ScriptOpening Refused(const OpenRefusal& refusal) {
    ScriptOpening opening;
    opening.outcome = ScriptOpening::Outcome::Refused;
    opening.refusal = refusal;
    return opening;
}

ScriptOpening Failed(const FileError& error) {
    ScriptOpening opening;
    opening.outcome = ScriptOpening::Outcome::Failed;
    opening.failure = error.what();
    return opening;
}

ScriptOpening WithOutcome(ScriptOpening::Outcome outcome) {
    ScriptOpening opening;
    opening.outcome = outcome;
    return opening;
}

}  // namespace

// What the writer writes through: the session's held script.
class ScriptSession::HeldOutput final : public ScriptOutput {
public:
    explicit HeldOutput(ScriptSession& session) : session_(session) {}

    [[nodiscard]] bool IsOpen() const noexcept override {
        return session_.script_ && session_.script_->IsOpen();
    }
    void Write(std::string_view bytes) override { session_.script_->Write(bytes); }
    [[nodiscard]] std::int64_t Length() override { return session_.script_->Length(); }
    void Truncate(std::int64_t length) override { session_.script_->Truncate(length); }
    void Close() override { session_.Finish(); }

private:
    ScriptSession& session_;
};

ScriptSession::ScriptSession(std::string name) : name_(std::move(name)) {}

ScriptSession::~ScriptSession() = default;

void ScriptSession::Protect(FileIdentity identity) { protect_.push_back(identity); }

std::string ScriptSession::KeptName(int number) const {
    return name_ + ".bak" + (number > 1 ? std::to_string(number) : std::string());
}

std::optional<std::size_t> ScriptSession::ProtectedAt(
    const std::optional<FileIdentity>& identity) const {
    if (!identity) {
        return std::nullopt;
    }
    const auto found = std::find(protect_.begin(), protect_.end(), *identity);
    if (found == protect_.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - protect_.begin());
}

ScriptOpening ScriptSession::OpenEarlier() {
    Release();
    // Asked before opening, too: a text that cannot be opened for writing is still the text.
    if (const auto index = ProtectedAt(IdentityOf(name_))) {
        ScriptOpening opening = WithOutcome(ScriptOpening::Outcome::IsProtected);
        opening.protectedIndex = *index;
        return opening;
    }
    auto file = std::make_unique<File>();
    if (!file->OpenForUpdating(name_)) {
        if (file->LastRefusal().failure == OpenFailure::Missing) {
            return {};
        }
        return Refused(file->LastRefusal());
    }
    try {
        earlierIdentity_ = file->Identity();
        earlierLength_ = file->Length();
    } catch (const FileError& error) {
        return Failed(error);
    }
    if (const auto index = ProtectedAt(earlierIdentity_)) {
        ScriptOpening opening = WithOutcome(ScriptOpening::Outcome::IsProtected);
        opening.protectedIndex = *index;
        return opening;
    }
    earlier_ = std::move(file);
    earlierBytes_ = std::make_unique<FileScriptSource>(*earlier_);
    return {};
}

ScriptSource& ScriptSession::Earlier() { return *earlierBytes_; }

std::string ScriptSession::OlderKeptCopy(int number) {
    for (int older = 1; older < number; ++older) {
        std::string name = KeptName(older);
        const auto identity = IdentityOf(name);
        if (!identity || ProtectedAt(identity)) {
            continue;
        }
        if (*identity == earlierIdentity_) {
            return name;  // another name of the very same file
        }
        File kept;
        if (kept.OpenForReading(name) && SameBytes(*earlier_, kept)) {
            return name;
        }
    }
    return {};
}

std::string ScriptSession::KeepingName() {
    int number = 1;
    while (IdentityOf(KeptName(number)) && number < kMostKeptNames) {
        ++number;
    }
    std::string older;
    try {
        older = OlderKeptCopy(number);
    } catch (const FileError&) {
        // An older copy that cannot be read is not the same: a new one is kept.
    }
    return older.empty() ? KeptName(number) : older;
}

bool ScriptSession::GoOnAt(std::int64_t length) {
    if (earlier_->Length() != earlierLength_) {
        return false;
    }
    earlier_->Truncate(length);
    earlierBytes_.reset();
    script_ = std::move(earlier_);
    created_ = false;
    path_ = script_->Path();
    return true;
}

ScriptOpening ScriptSession::SetAside() {
    // Never over anything: a name that is taken, even by a link or a copy of the same
    // script, is passed over for the next.
    for (int number = 1; number <= kMostKeptNames; ++number) {
        const std::string kept = KeptName(number);
        if (IdentityOf(kept)) {
            continue;
        }
        int error = 0;
        if (earlier_->RenameWithoutReplacing(kept, error)) {
            keptNumber_ = number;
            return {};
        }
        if (!IsNameTaken(error)) {
            ScriptOpening opening = WithOutcome(ScriptOpening::Outcome::BackupFailed);
            opening.error = error;
            opening.backupName = kept;
            return opening;
        }
    }
    ScriptOpening opening = WithOutcome(ScriptOpening::Outcome::BackupFailed);
    opening.error = 0;
    opening.backupName = KeptName(kMostKeptNames);
    return opening;
}

ScriptOpening ScriptSession::StartNew() {
    keptNumber_ = 0;
    if (earlier_) {
        ScriptOpening opening = SetAside();
        if (!opening.IsOpened()) {
            return opening;
        }
    }
    auto file = std::make_unique<File>();
    if (!file->CreateNew(name_)) {
        ScriptOpening opening = Refused(file->LastRefusal());
        opening.keptName = GiveBack();
        return opening;
    }
    script_ = std::move(file);
    created_ = true;
    path_ = script_->Path();
    return {};
}

std::string ScriptSession::SettleEarlier() noexcept {
    std::string kept = keptNumber_ == 0 ? std::string() : KeptName(keptNumber_);
    try {
        if (earlier_ && !kept.empty()) {
            // Measured now: what it holds is what would be lost.
            const bool holdsNothing = earlier_->Length() == 0;
            std::string older = holdsNothing ? std::string() : OlderKeptCopy(keptNumber_);
            int error = 0;
            if ((holdsNothing || !older.empty()) && earlier_->RemoveAndClose(error)) {
                kept = std::move(older);
            }
        }
    } catch (...) {
        // Reading an older copy failed: both stay.
    }
    earlier_.reset();
    earlierBytes_.reset();
    keptNumber_ = 0;
    return kept;
}

std::string ScriptSession::GiveBack() noexcept {
    if (script_ && created_) {
        int error = 0;
        (void)script_->RemoveAndClose(error);
    }
    script_.reset();
    created_ = false;
    std::string kept;
    if (earlier_ && keptNumber_ != 0) {
        int error = 0;
        if (!earlier_->RenameWithoutReplacing(name_, error)) {
            try {
                kept = KeptName(keptNumber_);
            } catch (...) {
                // Nothing to say where it is; it is there all the same.
            }
        }
    }
    earlier_.reset();
    earlierBytes_.reset();
    keptNumber_ = 0;
    return kept;
}

std::unique_ptr<ScriptOutput> ScriptSession::Output() {
    return std::make_unique<HeldOutput>(*this);
}

void ScriptSession::Finish() {
    script_->FlushToDisk();
    const Finished finished{script_->Identity(), script_->Length(), DigestOf(*script_)};
    finished_ = finished;
    script_->Close();
}

ScriptOpening ScriptSession::Reopen() {
    if (!finished_) {
        return WithOutcome(ScriptOpening::Outcome::Replaced);
    }
    auto file = std::make_unique<File>();
    if (!file->OpenForUpdating(path_)) {
        if (file->LastRefusal().failure == OpenFailure::Missing) {
            return WithOutcome(ScriptOpening::Outcome::Replaced);
        }
        return Refused(file->LastRefusal());
    }
    try {
        if (file->Identity() != finished_->identity) {
            return WithOutcome(ScriptOpening::Outcome::Replaced);
        }
        if (file->Length() != finished_->length || DigestOf(*file) != finished_->digest) {
            return WithOutcome(ScriptOpening::Outcome::Changed);
        }
        file->Seek(finished_->length);
    } catch (const FileError& error) {
        return Failed(error);
    }
    script_ = std::move(file);
    created_ = false;
    finished_.reset();
    return {};
}

void ScriptSession::ReadBack(const std::function<void(ScriptSource& script)>& read) {
    if (script_ && script_->IsOpen()) {
        script_->Seek(0);
        FileScriptSource bytes(*script_);
        try {
            read(bytes);
        } catch (...) {
            script_->Seek(script_->Length());
            throw;
        }
        script_->Seek(script_->Length());
        return;
    }
    File file;
    if (!file.OpenForReading(path_)) {
        throw FileError(CauseOfRefusal(file.LastRefusal()), path_);
    }
    FileScriptSource bytes(file);
    read(bytes);
}

void ScriptSession::Release() noexcept {
    earlierBytes_.reset();
    earlier_.reset();
    script_.reset();
    keptNumber_ = 0;
}

}  // namespace velmora
