#include "ui/ErrorGuard.h"

#include "ui/Platform.h"
#include "ui/ScreenText.h"

#include <wx/string.h>

namespace velmora {

void ReportFileError(wxWindow* owner, Platform& platform, const FileError& error) noexcept {
    try {
        platform.ShowMessage(owner, ScreenText(error.what()), Platform::MessageIcon::Stop);
    } catch (...) {
        // Nothing is left to report with; the command has ended either way.
    }
}

void ReportOutOfMemory(wxWindow* owner, Platform& platform) noexcept {
    try {
        platform.ShowMessage(owner, wxS("Out of memory."), Platform::MessageIcon::Exclamation);
    } catch (...) {
        // The box itself needed memory that was not there.
    }
}

bool ReportCurrentException(wxWindow* owner, Platform& platform) noexcept {
    try {
        throw;
    } catch (const FileError& error) {
        ReportFileError(owner, platform, error);
        return true;
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(owner, platform);
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace velmora
