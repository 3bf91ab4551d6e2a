#include "ui/Help.h"

#include "ui/ErrorGuard.h"
#include "ui/Platform.h"
#include "ui/Resources.h"

#include <wx/accel.h>
#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

namespace velmora {

wxString HelpFilePath(const wxString& programPath) {
    wxFileName path(programPath);
    path.SetExt(wxS("HLP"));
    return path.GetFullPath();
}

void InstallHelpKey(wxDialog& window, Platform& platform, int context) {
    // GTK sends no help event of its own, so F1 is an accelerator for the help command.
    wxAcceleratorEntry helpKey(wxACCEL_NORMAL, WXK_F1, ID_HELP);
    window.SetAcceleratorTable(wxAcceleratorTable(1, &helpKey));
    window.Bind(
        wxEVT_MENU,
        [&window, &platform, context](wxCommandEvent&) {
            RunGuarded(&window, platform, [&] {
                const wxString file = HelpFilePath(wxStandardPaths::Get().GetExecutablePath());
                if (!platform.ShowHelp(file, context)) {
                    platform.ShowMessage(&window, wxS("Failed to launch help."),
                                         Platform::MessageIcon::Exclamation);
                }
            });
        },
        ID_HELP);
}

}  // namespace velmora
