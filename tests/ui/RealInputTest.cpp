// A few smoke tests through the display server's input, as a person's keys and clicks
// arrive: everything else drives the windows through their events.
#include "tests/ui/MainWindowFixture.h"
#include "ui/AboutWindow.h"
#include "ui/LineList.h"
#include "ui/Resources.h"

#include <wx/filedlg.h>
#include <wx/modalhook.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
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

TEST_F(RealInputTest, CtrlZTakesBackTheLastLine) {
    const auto text = WriteText("novel.txt", "\"One,\" said Tom.\r\n\r\n\"Two.\"\r\n\r\nEnd.");
    OpenText(text);
    const std::string before = ScriptBeside(text);
    Get<wxTextCtrl>(kNameSlotTable[0].editId).ChangeValue(wxS("TOM"));
    Press(*window_, kNameSlotTable[0].buttonId);
    ASSERT_EQ(Dialogue(), "Two.");

    Click(OnScreen(360, 30));
    input_.Char('z', wxMOD_CONTROL);
    Flush();
    EXPECT_EQ(ScriptBeside(text), before);
    EXPECT_EQ(Dialogue(), "One.");
    EXPECT_EQ(NameEditText(1), "TOM") << "what was typed stays";

    input_.Char('z', wxMOD_CONTROL);  // nothing more to take back
    Flush();
    EXPECT_EQ(ScriptBeside(text), before);
}

TEST_F(RealInputTest, TheWindowMenuOffersUndoOnceALineIsWritten) {
    const auto text = WriteText("novel.txt", "\"One,\" said Tom.\r\n\r\n\"Two.\"\r\n\r\nEnd.");
    OpenText(text);
    const std::string before = ScriptBeside(text);
    Press(*window_, kNameSlotTable[0].buttonId);
    // The second entry, from the keyboard once the menu is up.
    window_->Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) {
        window_->CallAfter([this] {
            input_.Char(WXK_DOWN);
            input_.Char(WXK_DOWN);
            input_.Char(WXK_RETURN);
        });
        event.Skip();
    });
    Click(OnScreen(60, 255), wxMOUSE_BTN_RIGHT);
    Flush();
    EXPECT_EQ(ScriptBeside(text), before);
    EXPECT_EQ(Dialogue(), "One.");
}

TEST_F(RealInputTest, AnOfferedNameIsTakenByEnterOrReplacedByTyping) {
    TypeName(1, wxS("TOM"));
    const auto text =
        WriteText("novel.txt", "\"Hello,\" said Elinor.\r\n\r\n\"Hi,\" said Marianne.\r\n\r\nEnd.");
    OpenText(text);
    ASSERT_EQ(NameEditText(2), "ELINOR");
    PointAt(OnScreen(150, 150));  // over the log: nothing clicked, the keyboard stays put

    input_.Char(WXK_RETURN);
    Flush();
    ASSERT_EQ(Dialogue(), "Hi.");
    EXPECT_EQ(NameEditText(2), "ELINOR");
    ASSERT_EQ(NameEditText(3), "MARIANNE") << "offered in the next empty field";

    input_.Text("MARY");
    Flush();
    EXPECT_EQ(NameEditText(3), "MARY") << "typing replaced the offer";
    input_.Char(WXK_RETURN);
    Flush();
    EXPECT_EQ(ScriptBeside(text),
              "<HTML><BR><CENTER>ELINOR</CENTER><DD>(said Elinor)</DD><DD>Hello.</DD><BR>"
              "<BR><CENTER>MARY</CENTER><DD>(said Marianne)</DD><DD>Hi.</DD><BR>"
              "<BR>End.<BR></HTML>");
}

TEST_F(RealInputTest, AfterANoteEnterNamesTheLineAsHintedNotAnotherNote) {
    TypeName(1, wxS("DARCY"));
    TypeName(3, wxS("ELIZABETH"));
    const auto text = WriteText(
        "novel.txt", "\"Good morning,\" said Elizabeth.\r\n\r\n\"Good morning.\"\r\n\r\nEnd.");
    OpenText(text);
    wxWindow* hinted = window_->FindWindow(kNameSlotTable[2].buttonId);
    ASSERT_EQ(wxWindow::FindFocus(), hinted);

    Click(OnScreen(100, 293));  // the note field
    input_.Text("aside");
    Click(OnScreen(274, 293));  // "Generate Note"
    ASSERT_EQ(ScriptBeside(text), "<HTML><BR>NOTE: aside<BR>");
    EXPECT_EQ(wxWindow::FindFocus(), hinted) << "the keyboard is back on the hint";

    input_.Char(WXK_RETURN);
    Flush();
    EXPECT_EQ(ScriptBeside(text),
              "<HTML><BR>NOTE: aside<BR><BR><CENTER>ELIZABETH</CENTER><DD>(said Elizabeth)</DD>"
              "<DD>Good morning.</DD><BR>");
}

// A word quoted in a sentence: the hint puts the keyboard on "Not Dialogue", Enter writes the
// paragraph whole as narration, Ctrl+Z takes it back and Ctrl+N writes it again.
TEST_F(RealInputTest, EnterOrCtrlNWritesAParagraphThatIsNotDialogueAsNarration) {
    TypeName(1, wxS("TOM"));
    const auto text = WriteText("novel.txt",
                                "Their house was a \"cottage\" of eight rooms.\r\n\r\n"
                                "\"Come in,\" said Tom.\r\n\r\nEnd.");
    OpenText(text);
    const std::string before = ScriptBeside(text);
    ASSERT_EQ(wxWindow::FindFocus(), window_->FindWindow(IDC_NOT_DIALOGUE));
    PointAt(OnScreen(150, 150));  // over the log: nothing clicked, the keyboard stays put
    const std::string written = "<HTML><BR>Their house was a \"cottage\" of eight rooms.<BR>";

    input_.Char(WXK_RETURN);
    Flush();
    EXPECT_EQ(ScriptBeside(text), written);
    EXPECT_EQ(Dialogue(), "Come in.");

    input_.Char('z', wxMOD_CONTROL);
    Flush();
    EXPECT_EQ(ScriptBeside(text), before);
    EXPECT_EQ(Dialogue(), "cottage");

    Click(OnScreen(360, 30));  // name slot 1: Ctrl+N works wherever the keyboard is
    input_.Char('n', wxMOD_CONTROL);
    Flush();
    EXPECT_EQ(ScriptBeside(text), written);
    EXPECT_EQ(NameEditText(1), "TOM");
}

// Notes the dialog that is showing, and lets it run.
class ShowingDialog : public wxModalDialogHook {
public:
    ShowingDialog() { Register(); }
    ~ShowingDialog() override { Unregister(); }
    ShowingDialog(const ShowingDialog&) = delete;
    ShowingDialog& operator=(const ShowingDialog&) = delete;

    wxDialog* dialog = nullptr;

protected:
    int Enter(wxDialog* shown) override {
        dialog = shown;
        return wxID_NONE;
    }
    void Exit(wxDialog*) override { dialog = nullptr; }
};

// A full path typed into the real file dialog (Ctrl+L, path, Enter) opens that very file,
// not the file of the same name in the folder the dialog was showing.
TEST_F(RealInputTest, AFullPathTypedIntoTheFileDialogOpensThatFile) {
    WriteText("novel.txt", "\"A decoy,\" said nobody.");  // in the folder the dialog shows
    const TempDir elsewhere;
    const auto chosen = elsewhere.Write("novel.txt", "\"The real one,\" said Ann.");
    bool typed = false;
    int ticks = 0;
    const ShowingDialog showing;
    wxTimer typist;
    typist.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        wxDialog* dialog = showing.dialog;
        if (dialog == nullptr) {
            return;
        }
        if (typed) {
            if (++ticks > 20) {  // six seconds: the dialog must have ended by now
                ADD_FAILURE() << "the file dialog did not end";
                dialog->EndModal(wxID_CANCEL);
            }
            return;
        }
        typed = true;
        // Keys go to the window under the pointer when no window manager runs.
        PointAt(dialog->GetScreenRect().GetPosition() + wxPoint(40, 40));
        input_.Char('l', wxMOD_CONTROL);
        input_.Text(chosen.string().c_str());
        input_.Char(WXK_RETURN);
    });
    typist.Start(300);
    {
        const RealModalLoop realDialog;
        Press(*window_, IDC_OPEN_TEXT_FILE);
    }
    typist.Stop();
    ASSERT_TRUE(typed) << "the file dialog never showed";
    EXPECT_EQ(Dialogue(), "The real one.");
    EXPECT_TRUE(std::filesystem::exists(elsewhere / "Script.htm"));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Script.htm")) << "nothing written here";
}

}  // namespace
}  // namespace velmora::test
