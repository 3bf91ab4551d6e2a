#include "platform/ReplacingFile.h"

#include "platform/FileError.h"

#include <filesystem>

namespace velmora {
namespace {

// Temporary names tried beside the file before giving up: stale ones of runs that died
// are passed over, never reused.
constexpr int kTemporaryNames = 100;

std::string TemporaryName(const std::string& path, int number) {
    const std::filesystem::path full(path);
    // Appended piece by piece: GCC 12 warns wrongly of overlapping copies in a chain of "+".
    std::string hidden(".");
    hidden += full.filename().string();
    hidden += '.';
    hidden += std::to_string(number);
    hidden += ".tmp";
    return (full.parent_path() / hidden).string();
}

}  // namespace

ReplacingFile::~ReplacingFile() { Discard(); }

bool ReplacingFile::Open(const std::string& name) noexcept {
    Discard();
    refusal_ = {};
    try {
        path_ = ResolveFullPath(name);
        int error = 0;
        for (int number = 1; number <= kTemporaryNames; ++number) {
            std::string candidate = TemporaryName(path_, number);
            if (CreateNewFile(candidate, error)) {
                temporary_ = std::move(candidate);
                if (!file_.OpenForWriting(temporary_)) {
                    refusal_ = file_.LastRefusal();
                    Discard();
                    return false;
                }
                return true;
            }
            if (!IdentityOf(candidate)) {
                break;  // not taken, so the folder refuses new files
            }
        }
        refusal_ = {OpenFailure::System, error};
    } catch (...) {
        Discard();
        refusal_ = {OpenFailure::System, 0};
    }
    return false;
}

void ReplacingFile::Write(std::string_view bytes) {
    try {
        file_.Write(bytes);
    } catch (const FileError& error) {
        throw FileError(error.Cause(), path_);
    }
}

void ReplacingFile::Commit() {
    try {
        file_.FlushToDisk();
        file_.Close();
    } catch (const FileError& error) {
        Discard();
        throw FileError(error.Cause(), path_);
    }
    try {
        ReplaceFileWith(temporary_, path_);
    } catch (...) {
        Discard();
        throw;
    }
    temporary_.clear();
}

void ReplacingFile::Discard() noexcept {
    if (file_.IsOpen()) {
        try {
            file_.Close();
        } catch (...) {
            // It is removed below all the same.
        }
    }
    if (!temporary_.empty()) {
        (void)RemoveFile(temporary_);
        temporary_.clear();
    }
}

}  // namespace velmora
