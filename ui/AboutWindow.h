#pragma once

#include <wx/dialog.h>

namespace velmora {

class Platform;

// The about box (IDD_ABOUTBOX): the icon, the name and version, and OK. OK, Enter, Esc and
// the close box end it; F1 asks for its help topic.
class AboutWindow : public wxDialog {
public:
    AboutWindow(wxWindow* parent, Platform& platform);
};

}  // namespace velmora
