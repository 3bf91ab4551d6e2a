#pragma once

#include "platform/FileError.h"

#include <new>

class wxWindow;

namespace velmora {

class Platform;

// The error reporting every command of the windows runs under. A file error or exhausted
// memory ends the command where it was (nothing is rolled back) and shows exactly one
// message box owned by owner; the window then keeps running.

// The cause's text, OK button, stop icon.
void ReportFileError(wxWindow* owner, Platform& platform, const FileError& error) noexcept;
// "Out of memory.", OK button, exclamation icon.
void ReportOutOfMemory(wxWindow* owner, Platform& platform) noexcept;

// Call inside a catch block: reports the exception being handled if it is one of the two
// above and returns true; false for any other exception.
[[nodiscard]] bool ReportCurrentException(wxWindow* owner, Platform& platform) noexcept;

template <typename Command>
void RunGuarded(wxWindow* owner, Platform& platform, Command&& command) {
    try {
        command();
    } catch (const FileError& error) {
        ReportFileError(owner, platform, error);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(owner, platform);
    }
}

}  // namespace velmora
