#include "ui/WxDesktopServices.h"

#include "ui/CheckBoxQuestions.h"

#include <wx/app.h>
#include <wx/filefn.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

namespace velmora {

void WxDesktopServices::ShowMessage(wxWindow* owner, const wxString& text, MessageIcon icon) {
    const long iconStyle = icon == MessageIcon::Stop ? wxICON_ERROR : wxICON_EXCLAMATION;
    wxMessageBox(text, wxTheApp->GetAppName(), wxOK | iconStyle, owner);
}

bool WxDesktopServices::AskYesNo(wxWindow* owner, const wxString& question) {
    return wxMessageBox(question, wxTheApp->GetAppName(),
                        wxYES_NO | wxYES_DEFAULT | wxICON_QUESTION, owner) == wxYES;
}

std::vector<bool> WxDesktopServices::AskWithCheckBoxes(wxWindow* owner,
                                                       const std::vector<wxString>& questions) {
    return velmora::AskWithCheckBoxes(owner, questions);
}

bool WxDesktopServices::ShowHelp(const wxString& helpFile, int /*context*/) {
    return wxFileExists(helpFile) && wxLaunchDefaultApplication(helpFile);
}

}  // namespace velmora
