#pragma once

#include <vector>

class wxString;
class wxWindow;

namespace velmora {

// The services of the desktop that the windows use beyond their own controls: message boxes,
// questions and the help engine. The program uses WxDesktopServices; tests put a recording one in
// its place.
class DesktopServices {
public:
    enum class MessageIcon { Stop, Exclamation };

    virtual ~DesktopServices() = default;

    // A modal message box with an OK button, owned by owner, captioned with the
    // application name.
    virtual void ShowMessage(wxWindow* owner, const wxString& text, MessageIcon icon) = 0;

    // A modal yes/no question owned by owner, captioned with the application name, whose
    // default answer is yes. True for yes.
    [[nodiscard]] virtual bool AskYesNo(wxWindow* owner, const wxString& question) = 0;

    // Asks the help engine for topic context of helpFile. False when the engine itself
    // reports failure.
    [[nodiscard]] virtual bool ShowHelp(const wxString& helpFile, int context) = 0;

    // Several yes/no questions asked at once (AskWithCheckBoxes), owned by owner: whether
    // each was answered yes, in order.
    [[nodiscard]] virtual std::vector<bool> AskWithCheckBoxes(
        wxWindow* owner, const std::vector<wxString>& questions) = 0;
};

}  // namespace velmora
