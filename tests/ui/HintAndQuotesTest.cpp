// The speaker hint as the window shows it (focus and default button), Enter in a name edit
// while a line waits, and the question about typographic quotes.
#include "tests/ui/MainWindowFixture.h"
#include "tests/ui/RecordingDesktopServices.h"
#include "ui/Resources.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

namespace velmora::test {
namespace {

// Elizabeth is named in the first line's narration; the second line names nobody.
constexpr std::string_view kExchange =
    "\"Good morning,\" said Elizabeth.\r\n\r\n"
    "\"Good morning.\"\r\n\r\n"
    "\"Fine weather.\"\r\n\r\n"
    "The end.";

wxWindow* Button(MainWindow& window, int slot) {
    return window.FindWindow(kNameSlotTable.at(static_cast<std::size_t>(slot - 1)).buttonId);
}

wxWindow* Edit(MainWindow& window, int slot) {
    return window.FindWindow(kNameSlotTable.at(static_cast<std::size_t>(slot - 1)).editId);
}

using HintTest = MainWindowFixture;

TEST_F(HintTest, FocusAndDefaultButtonFollowTheHint) {
    TypeName(1, wxS("DARCY"));
    TypeName(3, wxS("ELIZABETH"));
    OpenText(WriteText("novel.txt", kExchange));
    Flush();
    EXPECT_EQ(wxWindow::FindFocus(), Button(*window_, 3)) << "\"said Elizabeth\" names slot 3";
    EXPECT_EQ(window_->GetDefaultItem(), Button(*window_, 3));

    Press(*window_, kNameSlotTable[2].buttonId);  // ELIZABETH
    Flush();
    EXPECT_EQ(wxWindow::FindFocus(), window_->GetDefaultItem())
        << "the hinted button is the default";

    Press(*window_, kNameSlotTable[0].buttonId);  // DARCY
    Flush();
    EXPECT_EQ(wxWindow::FindFocus(), Button(*window_, 3)) << "two people take turns";
    EXPECT_EQ(window_->GetDefaultItem(), Button(*window_, 3));

    SendKey(*wxWindow::FindFocus(), WXK_RETURN);  // Enter confirms the hint
    EXPECT_EQ(Status(), "Script.html successfully generated");
    EXPECT_EQ(ScriptBeside(folder_.Path() / "novel.txt"),
              "<HTML><BR><CENTER>ELIZABETH</CENTER><DD>(said Elizabeth)</DD>"
              "<DD>Good morning.</DD><BR>"
              "<BR><CENTER>DARCY</CENTER><DD>Good morning.</DD><BR>"
              "<BR><CENTER>ELIZABETH</CENTER><DD>Fine weather.</DD><BR>"
              "<BR>The end.<BR></HTML>")
        << "the third line by turn to slot 3";
}

TEST_F(HintTest, ASpeakerInNoSlotIsOfferedInTheFirstEmptyFieldForEnterToTake) {
    TypeName(1, wxS("TOM"));
    OpenText(WriteText("novel.txt", "\"Hello,\" said Elinor.\r\n\r\n\"Hi.\"\r\n\r\nEnd."));
    Flush();
    auto* offered = dynamic_cast<wxTextCtrl*>(Edit(*window_, 2));
    ASSERT_NE(offered, nullptr);
    EXPECT_EQ(offered->GetHint(), wxS("ELINOR"));
    EXPECT_TRUE(offered->IsEmpty()) << "only offered, in grey";
    EXPECT_EQ(wxWindow::FindFocus(), offered);

    SendKey(*offered, WXK_RETURN);
    EXPECT_EQ(NameEditText(2), "ELINOR") << "taken as if typed";
    EXPECT_EQ(offered->GetHint(), wxString()) << "the offer is gone";
    EXPECT_NE(ScriptBeside(folder_.Path() / "novel.txt").find("<CENTER>ELINOR</CENTER>"),
              std::string::npos);
}

TEST_F(HintTest, EnterInANameEditGeneratesThatRowsLineWhileALineWaits) {
    OpenText(WriteText("novel.txt", kExchange));
    TypeName(5, wxS("JANE"));
    auto* edit = Edit(*window_, 5);
    edit->SetFocus();

    SendKey(*edit, WXK_RETURN);

    EXPECT_EQ(ScriptBeside(folder_.Path() / "novel.txt"),
              "<HTML><BR><CENTER>JANE</CENTER><DD>(said Elizabeth)</DD><DD>Good morning.</DD><BR>");
    EXPECT_EQ(Dialogue(), "Good morning.");
}

TEST_F(HintTest, EnterInTheNoteFieldStillPressesNothingOnceTheTextIsOpen) {
    OpenText(WriteText("novel.txt", kExchange));
    auto& note = Get<wxTextCtrl>(IDC_NOTE);
    note.SetValue(wxS("aside"));
    note.SetFocus();
    const auto script = ScriptBeside(folder_.Path() / "novel.txt");

    SendKey(note, WXK_RETURN);

    EXPECT_EQ(ScriptBeside(folder_.Path() / "novel.txt"), script);
    EXPECT_EQ(Dialogue(), "Good morning.");
}

using TypographicQuotesTest = MainWindowFixture;

constexpr std::string_view kCurlyText = "\xE2\x80\x9CHi,\xE2\x80\x9D he said.";

TEST_F(TypographicQuotesTest, TheWindowAsksOnceWithYesAsTheDefault) {
    const auto text = WriteText("novel.txt", kCurlyText);
    wxString question;
    long style = 0;
    wxTEST_DIALOG(Press(*window_, IDC_OPEN_TEXT_FILE),
                  wxExpectModal<wxFileDialog>(wxString::FromUTF8(text.string())),
                  ExpectDialog<wxMessageDialog>(
                      [&](wxMessageDialog& box) {
                          question = box.GetMessage();
                          style = box.GetMessageDialogStyle();
                      },
                      wxID_YES));

    EXPECT_EQ(question.utf8_string(),
              "This text marks dialogue with typographic quotes (\xE2\x80\x9C \xE2\x80\x9D). "
              "Treat them as double quotes?");
    EXPECT_TRUE((style & wxYES_NO) != 0 && (style & wxNO_DEFAULT) == 0);
    EXPECT_EQ(Dialogue(), "Hi.");
    EXPECT_EQ(ReadAll(text), kCurlyText) << "the text file is never changed";
}

class TypographicQuotesAnswerTest : public MainWindowFixture {
protected:
    TypographicQuotesAnswerTest() : MainWindowFixture(services_) {}
    static inline RecordingDesktopServices services_;
};

TEST_F(TypographicQuotesAnswerTest, NoLeavesThemAsText) {
    services_ = RecordingDesktopServices();
    services_.answer = false;
    OpenText(WriteText("novel.txt", kCurlyText));
    EXPECT_EQ(services_.questions.size(), 1U);
    EXPECT_EQ(Dialogue(), "");
    EXPECT_EQ(Status(), "Script.html successfully generated");
}

}  // namespace
}  // namespace velmora::test
