// The application object: its run ends with status 0, and errors that escape an event
// handler are reported like those inside a command.
#include "platform/FileError.h"
#include "tests/ui/MainWindowFixture.h"
#include "tests/ui/RecordingDesktopServices.h"
#include "ui/ErrorGuard.h"
#include "ui/ScriptApp.h"

#include <wx/timer.h>

#include <new>
#include <stdexcept>

namespace velmora::test {
namespace {

TEST(ScriptAppTest, RunEndsWithStatusZeroWhenEscClosesTheMainWindow) {
    const RealModalLoop allowed;
    bool mainWindowShown = false;
    wxTheApp->CallAfter([&mainWindowShown] {
        auto* window = dynamic_cast<MainWindow*>(wxTheApp->GetTopWindow());
        mainWindowShown = window != nullptr && window->IsModal();
        if (window != nullptr) {
            SendKey(*window, WXK_ESCAPE);
        }
    });
    wxTimer watchdog;  // should Esc not end it
    watchdog.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
        ADD_FAILURE() << "the main window did not end";
        if (auto* window = dynamic_cast<wxDialog*>(wxTheApp->GetTopWindow())) {
            window->EndModal(wxID_ABORT);
        }
    });
    watchdog.StartOnce(5000);

    EXPECT_EQ(wxGetApp().OnRun(), 0);
    EXPECT_TRUE(mainWindowShown);
    EXPECT_EQ(wxTheApp->GetTopWindow(), nullptr);
}

using ExceptionInMainLoopTest = MainWindowFixture;

TEST_F(ExceptionInMainLoopTest, AFileErrorOrExhaustedMemoryFromAHandlerGetsOneBox) {
    constexpr int kThrowsFileError = 4242;
    constexpr int kThrowsBadAlloc = 4243;
    window_->Bind(
        wxEVT_BUTTON,
        [](wxCommandEvent&) { throw FileError(FileErrorCause::AccessDenied, "/x/Script.htm"); },
        kThrowsFileError);
    window_->Bind(
        wxEVT_BUTTON, [](wxCommandEvent&) { throw std::bad_alloc(); }, kThrowsBadAlloc);
    wxTheApp->SetTopWindow(window_);

    wxCommandEvent fileError(wxEVT_BUTTON, kThrowsFileError);
    wxTEST_DIALOG(window_->HandleWindowEvent(fileError),
                  ExpectMessage(wxS("Access to /x/Script.htm was denied."), wxICON_ERROR, window_));
    wxCommandEvent badAlloc(wxEVT_BUTTON, kThrowsBadAlloc);
    wxTEST_DIALOG(window_->HandleWindowEvent(badAlloc),
                  ExpectMessage(wxS("Out of memory."), wxICON_EXCLAMATION, window_));

    wxTheApp->SetTopWindow(nullptr);
}

TEST(ErrorGuardTest, ReportsFileErrorsAndExhaustedMemoryAndNothingElse) {
    RecordingDesktopServices services;
    wxWindow* const owner = nullptr;

    RunGuarded(owner, services, [] {});
    EXPECT_TRUE(services.messages.empty());

    RunGuarded(owner, services,
               [] { throw FileError(FileErrorCause::DiskFull, "/home/ann/Script.htm"); });
    RunGuarded(owner, services, [] { throw std::bad_alloc(); });
    ASSERT_EQ(services.messages.size(), 2U);
    EXPECT_EQ(services.messages[0].text, wxS("Disk full while accessing /home/ann/Script.htm."));
    EXPECT_EQ(services.messages[0].icon, DesktopServices::MessageIcon::Stop);
    EXPECT_EQ(services.messages[1].text, wxS("Out of memory."));
    EXPECT_EQ(services.messages[1].icon, DesktopServices::MessageIcon::Exclamation);

    EXPECT_THROW(RunGuarded(owner, services, [] { throw std::logic_error("bug"); }),
                 std::logic_error);
    EXPECT_EQ(services.messages.size(), 2U);
}

TEST(ErrorGuardTest, AFileNameThatIsNotUtf8IsShownAsWindows1252) {
    RecordingDesktopServices services;
    RunGuarded(nullptr, services,
               [] { throw FileError(FileErrorCause::DiskFull, "/home/Zo\xEB/Script.htm"); });
    ASSERT_EQ(services.messages.size(), 1U);
    EXPECT_EQ(services.messages[0].text,
              wxString(L"Disk full while accessing /home/Zo\u00EB/Script.htm."));
}

}  // namespace
}  // namespace velmora::test
