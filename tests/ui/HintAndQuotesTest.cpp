// The speaker hint as the window shows it (the marked name field, the offered name, focus
// and default button), Enter in a name edit while a line waits, and the question about
// typographic quotes.
#include "tests/ui/MainWindowFixture.h"
#include "tests/ui/RecordingDesktopServices.h"
#include "text/NameSlots.h"
#include "ui/Resources.h"
#include "ui/SpeakerHintDisplay.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace velmora::test {
namespace {

// Elizabeth is named in the first line's narration; the second line names nobody.
constexpr std::string_view kExchange =
    "\"Good morning,\" said Elizabeth.\r\n\r\n"
    "\"Good morning.\"\r\n\r\n"
    "\"Fine weather.\"\r\n\r\n"
    "The end.";

wxWindow* Button(MainWindow& window, int slot) {
    return window.FindWindow(kNameSlotTable.at(SlotIndex(slot)).buttonId);
}

wxTextCtrl* Edit(MainWindow& window, int slot) {
    return dynamic_cast<wxTextCtrl*>(window.FindWindow(kNameSlotTable.at(SlotIndex(slot)).editId));
}

// The slot whose name field is drawn marked (tinted and bold), 0 for none; fails the test
// when more than one is.
int MarkedSlot(MainWindow& window) {
    const wxColour mark =
        SpeakerHintDisplay::MarkColour(wxTextCtrl::GetClassDefaultAttributes().colBg,
                                       wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    int marked = 0;
    for (int slot = 1; slot <= ConversionView::kNameSlots; ++slot) {
        const wxTextCtrl* edit = Edit(window, slot);
        const bool tinted = edit->GetBackgroundColour() == mark;
        const bool bold = edit->GetFont().GetWeight() == wxFONTWEIGHT_BOLD;
        EXPECT_EQ(tinted, bold) << "slot " << slot << " is half marked";
        if (tinted) {
            EXPECT_EQ(marked, 0) << "slots " << marked << " and " << slot << " are marked";
            marked = slot;
        }
    }
    return marked;
}

// The slot whose "Generate Line" has the keyboard, 0 for none.
int FocusedSlot(MainWindow& window) {
    for (int slot = 1; slot <= ConversionView::kNameSlots; ++slot) {
        if (wxWindow::FindFocus() == Button(window, slot)) {
            return slot;
        }
    }
    return 0;
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

TEST_F(HintTest, TheMarkFollowsTheHintUntilTheUserNamesTheLineElsewhere) {
    TypeName(1, wxS("DARCY"));
    TypeName(3, wxS("ELIZABETH"));
    OpenText(WriteText("novel.txt", kExchange));
    Flush();
    EXPECT_EQ(MarkedSlot(*window_), 3) << "\"said Elizabeth\"";

    Press(*window_, kNameSlotTable[2].buttonId);  // ELIZABETH
    Flush();
    const int second = MarkedSlot(*window_);
    EXPECT_EQ(second, FocusedSlot(*window_)) << "the mark and the keyboard agree";

    Press(*window_, kNameSlotTable[0].buttonId);  // DARCY
    Flush();
    EXPECT_EQ(MarkedSlot(*window_), 3) << "two people take turns";

    SendKey(*window_, 'Z', wxMOD_CONTROL);
    Flush();
    EXPECT_EQ(MarkedSlot(*window_), second) << "undo shows the line's hint again";
    Press(*window_, kNameSlotTable[0].buttonId);
    Flush();
    ASSERT_EQ(MarkedSlot(*window_), 3);

    TypeName(5, wxS("JANE"));
    EXPECT_EQ(MarkedSlot(*window_), 0) << "typing elsewhere sets the guess aside";

    Press(*window_, kNameSlotTable[4].buttonId);  // JANE: the last line
    ASSERT_EQ(Status(), "Script.html successfully generated");
    EXPECT_EQ(MarkedSlot(*window_), 0) << "no line, no mark";

    SendKey(*window_, 'Z', wxMOD_CONTROL);
    Flush();
    EXPECT_EQ(MarkedSlot(*window_), 3) << "the last line again, with its hint";
}

constexpr std::string_view kElinor = "\"Hello,\" said Elinor.\r\n\r\n\"Hi.\"\r\n\r\nEnd.";

TEST_F(HintTest, ASpeakerInNoSlotIsOfferedTypedInAndSelectedForEnterToTake) {
    TypeName(1, wxS("TOM"));
    OpenText(WriteText("novel.txt", kElinor));
    Flush();
    wxTextCtrl* offered = Edit(*window_, 2);
    EXPECT_EQ(offered->GetValue(), wxS("ELINOR")) << "readable in the first empty field";
    EXPECT_EQ(offered->GetStringSelection(), wxS("ELINOR")) << "so that typing replaces it";
    EXPECT_EQ(wxWindow::FindFocus(), offered);
    EXPECT_EQ(MarkedSlot(*window_), 2);
    EXPECT_EQ(window_->GetNameField(2), "") << "offered, not typed";

    SendKey(*offered, WXK_RETURN);
    EXPECT_NE(ScriptBeside(folder_.Path() / "novel.txt").find("<CENTER>ELINOR</CENTER>"),
              std::string::npos);
    EXPECT_EQ(NameEditText(2), "ELINOR") << "taken: it stays";
    EXPECT_EQ(window_->GetNameField(2), "ELINOR");
    EXPECT_EQ(offered->GetStringSelection(), wxS(""));

    SendKey(*window_, 'Z', wxMOD_CONTROL);  // the line again: Elinor is a slot's name now
    Flush();
    EXPECT_EQ(NameEditText(2), "ELINOR");
    EXPECT_EQ(MarkedSlot(*window_), 2);
    EXPECT_EQ(wxWindow::FindFocus(), Button(*window_, 2));
}

// What becomes of an offered name (ELINOR, in slot 2) by what the user does next.
struct OfferCase {
    const char* what;
    std::function<void(MainWindow&)> act;
    const char* speaker;     // of the first line in the script
    const char* slot2After;  // slot 2 once the next line is shown
};

void PrintTo(const OfferCase& offer, std::ostream* out) { *out << offer.what; }

class OfferTest : public MainWindowFixture, public testing::WithParamInterface<OfferCase> {};

TEST_P(OfferTest, AnOfferIsTakenOnlyByItsRowAndGoesWithItsLineUnlessEdited) {
    const OfferCase& offer = GetParam();
    TypeName(1, wxS("TOM"));
    const auto text = WriteText("novel.txt", kElinor);
    OpenText(text);
    Flush();
    ASSERT_EQ(NameEditText(2), "ELINOR");

    offer.act(*window_);
    Flush();

    EXPECT_NE(ScriptBeside(text).find(std::string("<CENTER>") + offer.speaker + "</CENTER>"),
              std::string::npos)
        << offer.what;
    EXPECT_EQ(Dialogue(), "Hi.") << offer.what;
    EXPECT_EQ(NameEditText(2), offer.slot2After) << offer.what;
}

void PressSlot(MainWindow& window, int slot) {
    Press(window, kNameSlotTable.at(SlotIndex(slot)).buttonId);
}

INSTANTIATE_TEST_SUITE_P(
    Offers, OfferTest,
    testing::Values(OfferCase{"its row's button takes it", [](MainWindow& w) { PressSlot(w, 2); },
                              "ELINOR", "ELINOR"},
                    OfferCase{"another row's button leaves it untaken",
                              [](MainWindow& w) { PressSlot(w, 1); }, "TOM", ""},
                    OfferCase{"edited, it is the user's own",
                              [](MainWindow& w) {
                                  Edit(w, 2)->SetValue(wxS("ELINOR D."));
                                  PressSlot(w, 1);
                              },
                              "TOM", "ELINOR D."},
                    OfferCase{"typing another name elsewhere withdraws it at once",
                              [](MainWindow& w) {
                                  Edit(w, 3)->SetFocus();
                                  Edit(w, 3)->SetValue(wxS("MARIANNE"));
                                  EXPECT_EQ(Edit(w, 2)->GetValue(), wxS(""));
                                  SendKey(*Edit(w, 3), WXK_RETURN);
                              },
                              "MARIANNE", ""}),
    [](const testing::TestParamInfo<OfferCase>& offer) { return std::to_string(offer.index); });

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

// The contrast ratio of two colours as accessibility guidelines measure it: 1 (none) to 21.
double Contrast(const wxColour& a, const wxColour& b) {
    const auto luminance = [](const wxColour& colour) {
        const auto linear = [](unsigned char channel) {
            const double c = channel / 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.Red()) + 0.7152 * linear(colour.Green()) +
               0.0722 * linear(colour.Blue());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(MarkColourTest, TheNameReadsOnTheMarkAndTheMarkStandsOutInLightDarkAndHighContrast) {
    struct Theme {
        const char* name;
        wxColour field;
        wxColour text;
        wxColour selection;
    };
    const Theme themes[] = {
        {"GTK light", wxColour(0xFF, 0xFF, 0xFF), wxColour(0x2E, 0x34, 0x36),
         wxColour(0x35, 0x84, 0xE4)},
        {"GTK dark", wxColour(0x2D, 0x2D, 0x2D), wxColour(0xEE, 0xEE, 0xEC),
         wxColour(0x15, 0x53, 0x9E)},
        {"Windows", wxColour(0xFF, 0xFF, 0xFF), wxColour(0x00, 0x00, 0x00),
         wxColour(0x00, 0x78, 0xD7)},
        {"Windows high contrast", wxColour(0x00, 0x00, 0x00), wxColour(0xFF, 0xFF, 0xFF),
         wxColour(0x1A, 0xEB, 0xFF)},
    };
    for (const Theme& theme : themes) {
        const wxColour mark = SpeakerHintDisplay::MarkColour(theme.field, theme.selection);
        EXPECT_GE(Contrast(theme.text, mark), 4.5) << theme.name << ": the name reads";
        EXPECT_GE(Contrast(mark, theme.field), 1.15) << theme.name << ": the mark shows";
    }
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
