// The application object: its run ends with status 0, and errors that escape an event
// handler are reported like those inside a command.
#include "platform/FileError.h"
#include "tests/ui/MainWindowFixture.h"
#include "tests/ui/RecordingPlatform.h"
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
    RecordingPlatform platform;
    wxWindow* const owner = nullptr;

    RunGuarded(owner, platform, [] {});
    EXPECT_TRUE(platform.messages.empty());

    RunGuarded(owner, platform,
               [] { throw FileError(FileErrorCause::DiskFull, "/home/ann/Script.htm"); });
    RunGuarded(owner, platform, [] { throw std::bad_alloc(); });
    ASSERT_EQ(platform.messages.size(), 2U);
    EXPECT_EQ(platform.messages[0].text, wxS("Disk full while accessing /home/ann/Script.htm."));
    EXPECT_EQ(platform.messages[0].icon, Platform::MessageIcon::Stop);
    EXPECT_EQ(platform.messages[1].text, wxS("Out of memory."));
    EXPECT_EQ(platform.messages[1].icon, Platform::MessageIcon::Exclamation);

    EXPECT_THROW(RunGuarded(owner, platform, [] { throw std::logic_error("bug"); }),
                 std::logic_error);
    EXPECT_EQ(platform.messages.size(), 2U);
}

TEST(ErrorGuardTest, AFileNameThatIsNotUtf8IsShownAsWindows1252) {
    RecordingPlatform platform;
    RunGuarded(nullptr, platform,
               [] { throw FileError(FileErrorCause::DiskFull, "/home/Zo\xEB/Script.htm"); });
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].text,
              wxString(L"Disk full while accessing /home/Zo\u00EB/Script.htm."));
}

}  // namespace
}  // namespace velmora::test
