#include "ui/AboutWindow.h"

#include "ui/DialogTemplate.h"
#include "ui/Help.h"
#include "ui/Icon.h"
#include "ui/Resources.h"

namespace velmora {

AboutWindow::AboutWindow(wxWindow* parent, DesktopServices& services)
    : wxDialog(parent, wxID_ANY, wxEmptyString) {
    BuildFromTemplate(*this, kAboutTemplate);
    SetIcons(MainFrameIcons());
    InstallHelpKey(*this, services, HelpContext(IDD_ABOUTBOX));
    CentreOnParent();
}

}  // namespace velmora
