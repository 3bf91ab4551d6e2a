#include "platform/File.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace velmora {
namespace {

// A word processor that has a document open keeps ".~lock.NAME#" beside it.
bool WordProcessorHolds(const std::string& name) {
    const std::filesystem::path path(name);
    const auto lockFile = path.parent_path() / (".~lock." + path.filename().string() + "#");
    std::error_code error;
    return std::filesystem::exists(lockFile, error);
}

}  // namespace

File::~File() { CloseQuietly(); }

bool File::OpenForReading(const std::string& name) noexcept { return Open(name, Access::Read); }

bool File::OpenForWriting(const std::string& name) noexcept { return Open(name, Access::Create); }

bool File::OpenForAppending(const std::string& name) noexcept { return Open(name, Access::Append); }

bool File::OpenForUpdating(const std::string& name) noexcept { return Open(name, Access::Update); }

bool File::CreateNew(const std::string& name) noexcept { return Open(name, Access::CreateNew); }

bool File::Open(const std::string& name, Access access) noexcept {
    CloseQuietly();
    lastRefusal_ = {};
    try {
        if (access != Access::Read && WordProcessorHolds(name)) {
            return Refuse(OpenFailure::WordProcessor);
        }
        return OpenNative(name, access);
    } catch (const std::bad_alloc&) {
        CloseQuietly();
        return Refuse(OpenFailure::System, static_cast<int>(std::errc::not_enough_memory));
    }
}

bool File::Refuse(OpenFailure failure, int error) noexcept {
    lastRefusal_ = {failure, error};
    return false;
}

// Both systems' opens end here once they hold the file.
void File::Adopt(std::intptr_t handle, const std::string& name, bool isRegular) {
    handle_ = handle;
    isRegular_ = isRegular;
    path_ = ResolveFullPath(name);
}

}  // namespace velmora
