#pragma once

#include <wx/dialog.h>

namespace velmora {

class DesktopServices;

// The about box (IDD_ABOUTBOX): the icon, the name and version, and OK. OK, Enter, Esc and
// the close box end it; F1 asks for its help topic.
class AboutWindow : public wxDialog {
public:
    AboutWindow(wxWindow* parent, DesktopServices& services);
};

}  // namespace velmora
