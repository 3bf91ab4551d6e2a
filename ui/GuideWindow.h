#pragma once

#include <wx/dialog.h>

namespace velmora {

class Platform;

// The user's guide (IDD_GUIDE): a list of text lines, read-only, nothing to select.
// Enter, Esc and the close box end it; F1 asks for its help topic.
class GuideWindow : public wxDialog {
public:
    GuideWindow(wxWindow* parent, Platform& platform);

private:
    void OnCharHook(wxKeyEvent& event);
};

}  // namespace velmora
