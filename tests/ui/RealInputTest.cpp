// A few smoke tests through the display server's input, as a person's keys and clicks
// arrive: everything else drives the windows through their events.
#include "tests/ui/MainWindowFixture.h"
#include "ui/AboutWindow.h"
#include "ui/LineList.h"
#include "ui/Resources.h"

#include <wx/filedlg.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace velmora::test {
namespace {

class RealInputTest : public MainWindowFixture {
protected:
    RealInputTest() {
        window_->Raise();
        Flush();
    }

    // The screen position of a point of the window given in dialog units.
    wxPoint OnScreen(int x, int y) {
        return window_->ClientToScreen(window_->ConvertDialogToPixels(wxPoint(x, y)));
    }

    // Keys go to the window under the pointer when no window manager runs.
    void PointAt(const wxPoint& where) {
        input_.MouseMove(where);
        Flush();
    }

    void Click(const wxPoint& where, int button = wxMOUSE_BTN_LEFT) {
        PointAt(where);
        input_.MouseClick(button);
        Flush();
    }

    wxUIActionSimulator input_;
};

TEST_F(RealInputTest, TypingANameThenEnterInItsEditPressesOpenTextFile) {
    Click(OnScreen(360, 30));  // name slot 1
    input_.Text("TOM");
    Flush();
    EXPECT_EQ(NameEditText(1), "TOM");

    wxTEST_DIALOG(
        {
            input_.Char(WXK_RETURN);
            Flush();
        },
        wxExpectModal<wxFileDialog>(wxEmptyString, wxID_CANCEL));
    EXPECT_EQ(Status(), "*** Error - Text file failed to load ***");
}

TEST_F(RealInputTest, F1AsksForHelpButNotWithShift) {
    Click(OnScreen(360, 30));
    wxTEST_DIALOG(
        {
            input_.Char(WXK_F1);
            Flush();
        },
        ExpectMessage(wxS("Failed to launch help."), wxICON_EXCLAMATION, window_));

    input_.Char(WXK_F1, wxMOD_SHIFT);  // a box here would fail the test
    Flush();
}

TEST_F(RealInputTest, TheRightButtonOffersTheAboutBox) {
    // Once the menu is up, pick its only entry from the keyboard.
    window_->Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) {
        window_->CallAfter([this] {
            input_.Char(WXK_DOWN);
            input_.Char(WXK_RETURN);
        });
        event.Skip();
    });
    bool aboutShown = false;
    wxTEST_DIALOG(Click(OnScreen(60, 255), wxMOUSE_BTN_RIGHT),
                  ExpectDialog<AboutWindow>([&](AboutWindow&) { aboutShown = true; }));
    EXPECT_TRUE(aboutShown);
}

TEST_F(RealInputTest, ClickingTheLogSelectsNothing) {
    wxTEST_DIALOG(Press(*window_, IDC_OPEN_TEXT_FILE),
                  wxExpectModal<wxFileDialog>(wxString::FromUTF8(
                      WriteText("a.txt", "One.\r\n\r\nTwo.\r\n\r\n\"Three.\"").string())));
    auto& log = Get<LineList>(IDC_LOG);
    ASSERT_GT(log.LineCount(), 2);

    Click(OnScreen(40, 28));
    Click(OnScreen(40, 28 + 8));

    EXPECT_EQ(log.GetSelectedItemCount(), 0);
}

}  // namespace
}  // namespace velmora::test
