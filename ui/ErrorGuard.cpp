#include "ui/ErrorGuard.h"

#include "export/ExportProblem.h"
#include "platform/FileError.h"
#include "ui/DesktopServices.h"
#include "ui/ScreenText.h"

#include <wx/string.h>

#include <new>

namespace velmora {

void ReportFileError(wxWindow* owner, DesktopServices& services, const FileError& error) noexcept {
    try {
        services.ShowMessage(owner, ScreenText(error.what()), DesktopServices::MessageIcon::Stop);
    } catch (...) {
        // Nothing is left to report with; the command has ended either way.
    }
}

void ReportOutOfMemory(wxWindow* owner, DesktopServices& services) noexcept {
    try {
        services.ShowMessage(owner, wxS("Out of memory."),
                             DesktopServices::MessageIcon::Exclamation);
    } catch (...) {
        // The box itself needed memory that was not there.
    }
}

bool ReportCurrentException(wxWindow* owner, DesktopServices& services) noexcept {
    try {
        throw;
    } catch (const FileError& error) {
        ReportFileError(owner, services, error);
        return true;
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(owner, services);
        return true;
    } catch (const ExportProblem& problem) {
        try {
            services.ShowMessage(owner, ScreenText(problem.what()),
                                 DesktopServices::MessageIcon::Stop);
        } catch (...) {
            // As for a file error: nothing is left to report with.
        }
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace velmora
