#include "ui/WxPlatform.h"

#include <wx/app.h>
#include <wx/filefn.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

namespace velmora {

void WxPlatform::ShowMessage(wxWindow* owner, const wxString& text, MessageIcon icon) {
    const long iconStyle = icon == MessageIcon::Stop ? wxICON_ERROR : wxICON_EXCLAMATION;
    wxMessageBox(text, wxTheApp->GetAppName(), wxOK | iconStyle, owner);
}

bool WxPlatform::ShowHelp(const wxString& helpFile, int /*context*/) {
    return wxFileExists(helpFile) && wxLaunchDefaultApplication(helpFile);
}

}  // namespace velmora
