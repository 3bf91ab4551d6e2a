#include "ui/ScriptApp.h"

#include "ui/ErrorGuard.h"
#include "ui/MainWindow.h"

namespace velmora {

bool ScriptApp::OnInit() {
    // Not the base class's: that would parse a command line, and Velmora has none.
    return true;
}

int ScriptApp::OnRun() {
    // The main window's modal loop, and the loops of the dialogs opened from it, carry the
    // whole run; there is no main loop of its own.
    {
        MainWindow window(services_);
        SetTopWindow(&window);
        window.ShowModal();
        SetTopWindow(nullptr);
    }
    return 0;
}

bool ScriptApp::OnExceptionInMainLoop() {
    if (ReportCurrentException(GetTopWindow(), services_)) {
        return true;
    }
    return wxApp::OnExceptionInMainLoop();
}

}  // namespace velmora
