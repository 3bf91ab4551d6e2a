// Enter, Esc, F1 and the window menu of the main window, sent as the dialog's key hook
// receives them.
#include "tests/ui/MainWindowFixture.h"
#include "tests/ui/RecordingDesktopServices.h"
#include "ui/AboutWindow.h"
#include "ui/Help.h"
#include "ui/Resources.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>

namespace velmora::test {
namespace {

using KeysTest = MainWindowFixture;

TEST_F(KeysTest, EnterInANameEditPressesOpenTextFile) {
    auto& edit = Get<wxTextCtrl>(kNameSlotTable[0].editId);
    edit.SetFocus();
    ASSERT_EQ(wxWindow::FindFocus(), &edit);

    wxTEST_DIALOG(SendKey(edit, WXK_RETURN),
                  wxExpectModal<wxFileDialog>(wxEmptyString, wxID_CANCEL));

    EXPECT_EQ(Status(), "*** Error - Text file failed to load ***");
}

TEST_F(KeysTest, EnterPressesTheFocusedPushButtonRatherThanTheDefault) {
    auto& note = Get<wxButton>(IDC_GENERATE_NOTE);
    note.SetFocus();
    ASSERT_EQ(wxWindow::FindFocus(), &note);

    SendKey(note, WXK_RETURN);  // no file dialog: Open Text File... was not pressed

    EXPECT_EQ(Status(), "*** Error - Files are not open ***");
}

TEST_F(KeysTest, OnceOpenTextFileIsDisabledEnterInAnEditPressesNothing) {
    wxTEST_DIALOG(Press(*window_, IDC_OPEN_TEXT_FILE),
                  wxExpectModal<wxFileDialog>(wxEmptyString, wxID_CANCEL));
    window_->SetStatus("unchanged");
    auto& edit = Get<wxTextCtrl>(IDC_NOTE);
    edit.SetFocus();

    SendKey(edit, WXK_RETURN);  // a file dialog here would fail the test

    EXPECT_EQ(Status(), "unchanged");
}

TEST_F(KeysTest, EscEndsTheModalMainWindow) {
    window_->Hide();
    const int result = ShowModalDoing(*window_, [this] { SendKey(*window_, WXK_ESCAPE); });
    EXPECT_EQ(result, wxID_CANCEL);
}

TEST_F(KeysTest, TheCloseBoxEndsTheModalMainWindow) {
    window_->Hide();
    const int result = ShowModalDoing(*window_, [this] { window_->Close(); });
    EXPECT_EQ(result, wxID_CANCEL);
}

TEST_F(KeysTest, TheWindowMenuEntryOpensTheAboutBox) {
    bool shown = false;
    wxTEST_DIALOG(
        {
            wxCommandEvent about(wxEVT_MENU, IDM_ABOUTBOX);
            window_->ProcessWindowEvent(about);
        },
        ExpectDialog<AboutWindow>([&](AboutWindow&) { shown = true; }));
    EXPECT_TRUE(shown);
}

TEST_F(KeysTest, F1WithoutAHelpEngineSaysSo) {
    wxCommandEvent help(wxEVT_MENU, ID_HELP);
    wxTEST_DIALOG(window_->ProcessWindowEvent(help),
                  ExpectMessage(wxS("Failed to launch help."), wxICON_EXCLAMATION, window_));
}

class HelpRequestTest : public MainWindowFixture {
protected:
    HelpRequestTest() : MainWindowFixture(services_) {}
    static inline RecordingDesktopServices services_;
};

TEST_F(HelpRequestTest, F1AsksForTheMainWindowsTopicInTheHelpFileBesideTheProgram) {
    services_ = RecordingDesktopServices();
    services_.helpStarts = true;
    wxCommandEvent help(wxEVT_MENU, ID_HELP);
    window_->ProcessWindowEvent(help);

    ASSERT_EQ(services_.helpRequests.size(), 1U);
    EXPECT_EQ(services_.helpRequests[0].context, 0x20066);
    EXPECT_EQ(services_.helpRequests[0].file,
              HelpFilePath(wxStandardPaths::Get().GetExecutablePath()));
    EXPECT_TRUE(services_.messages.empty());
}

TEST(HelpFilePathTest, ReplacesTheProgramsExtensionWithHlp) {
    EXPECT_EQ(HelpFilePath(wxS("/usr/bin/velmora")), wxS("/usr/bin/velmora.HLP"));
    EXPECT_EQ(HelpFilePath(wxS("/opt/v.1/velmora.bin")), wxS("/opt/v.1/velmora.HLP"));
}

}  // namespace
}  // namespace velmora::test
