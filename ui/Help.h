#pragma once

#include <wx/string.h>

class wxDialog;

namespace velmora {

class DesktopServices;

// The help file: the program file's full path with its extension replaced by ".HLP".
[[nodiscard]] wxString HelpFilePath(const wxString& programPath);

// Gives a window the F1 key (without Shift, Ctrl or Alt): it asks the help engine for the
// window's context in the program's help file and, when the engine fails, says
// "Failed to launch help.".
void InstallHelpKey(wxDialog& window, DesktopServices& services, int context);

}  // namespace velmora
