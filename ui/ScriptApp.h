#pragma once

#include "ui/WxDesktopServices.h"

#include <wx/app.h>

namespace velmora {

// The application object. It runs the main window modally and ends the program when that
// window closes, with exit status 0. A file error or exhausted memory that escapes an event
// handler is reported like one inside a command, and the program keeps running.
// It takes no command line, reads no settings and writes none.
class ScriptApp : public wxApp {
public:
    bool OnInit() override;
    int OnRun() override;
    bool OnExceptionInMainLoop() override;

    [[nodiscard]] DesktopServices& GetDesktopServices() noexcept { return services_; }

private:
    WxDesktopServices services_;
};

}  // namespace velmora

wxDECLARE_APP(velmora::ScriptApp);
