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

bool WxPlatform::AskYesNo(wxWindow* owner, const wxString& question) {
    return wxMessageBox(question, wxTheApp->GetAppName(),
                        wxYES_NO | wxYES_DEFAULT | wxICON_QUESTION, owner) == wxYES;
}

bool WxPlatform::ShowHelp(const wxString& helpFile, int /*context*/) {
    return wxFileExists(helpFile) && wxLaunchDefaultApplication(helpFile);
}

}  // namespace velmora
