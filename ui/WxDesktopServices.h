#pragma once

#include "ui/DesktopServices.h"

namespace velmora {

// Message boxes through wxWidgets; help through the desktop's viewer for the help file.
class WxDesktopServices : public DesktopServices {
public:
    void ShowMessage(wxWindow* owner, const wxString& text, MessageIcon icon) override;
    [[nodiscard]] bool AskYesNo(wxWindow* owner, const wxString& question) override;
    // Hands the file to the viewer the desktop associates with it. There is no help engine
    // to take a topic, so the context only selects nothing; a missing file or a desktop
    // without such a viewer is the engine's failure.
    [[nodiscard]] bool ShowHelp(const wxString& helpFile, int context) override;
    [[nodiscard]] std::vector<bool> AskWithCheckBoxes(
        wxWindow* owner, const std::vector<wxString>& questions) override;
};

}  // namespace velmora
