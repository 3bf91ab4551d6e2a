#include "ui/Help.h"

#include "ui/DesktopServices.h"
#include "ui/ErrorGuard.h"
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

void InstallHelpKey(wxDialog& window, DesktopServices& services, int context) {
    // GTK sends no help event of its own, so F1 is an accelerator for the help command.
    wxAcceleratorEntry helpKey(wxACCEL_NORMAL, WXK_F1, ID_HELP);
    window.SetAcceleratorTable(wxAcceleratorTable(1, &helpKey));
    window.Bind(
        wxEVT_MENU,
        [&window, &services, context](wxCommandEvent&) {
            RunGuarded(&window, services, [&] {
                const wxString file = HelpFilePath(wxStandardPaths::Get().GetExecutablePath());
                if (!services.ShowHelp(file, context)) {
                    services.ShowMessage(&window, wxS("Failed to launch help."),
                                         DesktopServices::MessageIcon::Exclamation);
                }
            });
        },
        ID_HELP);
}

}  // namespace velmora
