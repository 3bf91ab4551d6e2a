#include "ui/Icon.h"

namespace velmora {
namespace {
#include "ui/resources/velmora-16.xpm"
#include "ui/resources/velmora-32.xpm"
}  // namespace

wxIcon MainFrameIcon(int size) { return wxIcon(size <= 16 ? kVelmora16 : kVelmora32); }

wxIconBundle MainFrameIcons() {
    wxIconBundle icons;
    icons.AddIcon(MainFrameIcon(32));
    icons.AddIcon(MainFrameIcon(16));
    return icons;
}

}  // namespace velmora
