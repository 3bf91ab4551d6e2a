#include "ui/Icon.h"

#include "ui/Resources.h"

namespace velmora {
namespace {
#include "ui/resources/velmora-16.xpm"
#include "ui/resources/velmora-32.xpm"
}  // namespace

wxIcon MainFrameIcon(int size) {
    const int side = size <= 16 ? 16 : 32;
#ifdef __WXMSW__
    // The program file carries the same images as icon resource IDR_MAINFRAME, which is
    // what Explorer and the task bar show; the window takes its icon from there too.
    wxIcon resource(wxString::Format(wxS("#%d"), IDR_MAINFRAME), wxBITMAP_TYPE_ICO_RESOURCE, side,
                    side);
    if (resource.IsOk()) {
        return resource;
    }
#endif
    return wxIcon(side == 16 ? kVelmora16 : kVelmora32);
}

wxIconBundle MainFrameIcons() {
    wxIconBundle icons;
    icons.AddIcon(MainFrameIcon(32));
    icons.AddIcon(MainFrameIcon(16));
    return icons;
}

}  // namespace velmora
