#pragma once

#include <wx/dialog.h>

namespace velmora {

class DesktopServices;

// The user's guide (IDD_GUIDE): a list of text lines, read-only, nothing to select.
// Enter, Esc and the close box end it; F1 asks for its help topic.
class GuideWindow : public wxDialog {
public:
    GuideWindow(wxWindow* parent, DesktopServices& services);

private:
    void OnCharHook(wxKeyEvent& event);
};

}  // namespace velmora
