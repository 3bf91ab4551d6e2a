#pragma once

class wxWindow;

namespace velmora {

class DesktopServices;
class FileError;

// The error reporting every command of the windows runs under. A file error, exhausted
// memory or an export that cannot be made ends the command and shows exactly one
// message box owned by owner; the window then keeps running.

// The cause's text, OK button, stop icon.
void ReportFileError(wxWindow* owner, DesktopServices& services, const FileError& error) noexcept;
// "Out of memory.", OK button, exclamation icon.
void ReportOutOfMemory(wxWindow* owner, DesktopServices& services) noexcept;

// Call inside a catch block: reports the exception being handled if it is one of the two
// above, or an ExportProblem (its text, OK button, stop icon), and returns true; false for
// any other exception.
[[nodiscard]] bool ReportCurrentException(wxWindow* owner, DesktopServices& services) noexcept;

// Runs one command under the error reporting above; any other exception passes on.
template <typename Command>
void RunGuarded(wxWindow* owner, DesktopServices& services, Command&& command) {
    try {
        command();
    } catch (...) {
        if (!ReportCurrentException(owner, services)) {
            throw;
        }
    }
}

}  // namespace velmora
