// velmora: the desktop program.
#include "ui/ScriptApp.h"

wxIMPLEMENT_APP(velmora::ScriptApp);
