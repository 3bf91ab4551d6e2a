#pragma once

#include <wx/icon.h>
#include <wx/iconbndl.h>

namespace velmora {

// The program's icon, IDR_MAINFRAME: a script page with the quotation marks of dialogue,
// drawn at 32 x 32 and 16 x 16 pixels in 16 colours (ui/resources holds both as XPM, the
// source, and PNG).
[[nodiscard]] wxIcon MainFrameIcon(int size);
[[nodiscard]] wxIconBundle MainFrameIcons();

}  // namespace velmora
