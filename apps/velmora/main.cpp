// velmora: the desktop program.
#include "platform/File.h"
#include "ui/ScriptApp.h"

namespace {

// Before the window system or anything else opens a file: a standard stream the program was
// started without must not lend its number to the script, nor to the display's connection.
const bool kStandardStreamsOpen = (velmora::OpenClosedStandardStreams(), true);

}  // namespace

wxIMPLEMENT_APP(velmora::ScriptApp);
