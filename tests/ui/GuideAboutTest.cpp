// The user's guide and the about box, opened from the main window.
#include "tests/ui/MainWindowFixture.h"
#include "tests/ui/RecordingDesktopServices.h"
#include "ui/AboutWindow.h"
#include "ui/GuideWindow.h"
#include "ui/LineList.h"
#include "ui/Resources.h"
#include "ui/ScreenText.h"
#include "ui/ScriptApp.h"

#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace velmora::test {
namespace {

// The guide's first lines as the user reads them; nullptr where the wording is the
// program's own (distribution terms, addresses), which is only checked to be there. More
// lines follow them.
const char* const kExpectedGuide[] = {
    "A program to convert a novel in text form into a play in script format.",
    "                            (Release v1.0)",
    "",
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    "",
    "First select Screen play format or Stage Play format.",
    "",
    "Press \u2018Open Text File...\u2019 to select a text file",
    "to convert.  Paragraphs must be separated by a",
    "blank line.  Dialogue must be in quotes.  It",
    "is recommended the text be no more than 80",
    "characters per line.  (Most texts at",
    nullptr,
    "",
    "The program will go through the text file until",
    "it finds the first line of dialogue.  Determine",
    "the character\u2019s name then type it into a text",
    "field on the right of the window.  Press",
    "\u2018Generate Line\u2019 to write one line of dialogue",
    "to the output file.  Continue until you have",
    "generated every line.  (If you see an error",
    "message you\u2019ve reached the end of the file)",
    "",
    "If you want to quickly generate the rest of the",
    "script, press \u2018Generate Without Character Names\u2019.",
    "The output file will be completed with placeholders",
    "for the character\u2019s names.",
    "",
    "Exit the program.  A file named 'script.htm' will",
    "be in the same directory as the text file.",
    "Right-click on it and select 'Open With Microsoft",
    "Office Word'.  Then select 'File Save As' to",
    "save it as a .doc file.",
    "",
    "You may want to adjust the margins in the .doc file.",
    "Suggested settings:  Set the top, bottom, left and",
    "right margins to 2 inches in \u2018Page Setup\u2019.",
    "Use \u2018Print Preview\u2019 to check the formatting",
    "",
    "Additional information on script formats and playwriting",
    "may be found at:",
    nullptr,
    nullptr,
    "",
    "Enjoy!  If you have questions or find problems,",
    "please send an e-mail to:",
    nullptr,
};

std::vector<wxString> ShownLines(LineList& list) {
    std::vector<wxString> lines;
    lines.reserve(static_cast<std::size_t>(list.GetItemCount()));
    for (int i = 0; i < list.GetItemCount(); ++i) {
        lines.push_back(list.GetItemText(i));
    }
    return lines;
}

void ExpectCentredOver(const wxDialog& window, const wxWindow& owner) {
    const wxPoint centre = window.GetScreenRect().GetPosition() + window.GetSize() / 2;
    const wxPoint ownerCentre = owner.GetScreenRect().GetPosition() + owner.GetSize() / 2;
    EXPECT_LE(std::abs(centre.x - ownerCentre.x), 2) << window.GetTitle();
    EXPECT_LE(std::abs(centre.y - ownerCentre.y), 2) << window.GetTitle();
}

using GuideAboutTest = MainWindowFixture;

TEST_F(GuideAboutTest, TheGuideShowsItsFiftyOneLinesFromTheTopEveryTimeAndMoreAfterThem) {
    std::vector<std::vector<wxString>> openings;
    for (int opening = 0; opening < 2; ++opening) {
        wxTEST_DIALOG(Press(*window_, IDC_USERS_GUIDE),
                      ExpectDialog<GuideWindow>([&](GuideWindow& guide) {
                          EXPECT_EQ(guide.GetTitle(), wxString(L"User\u2019s Guide for Velmora"));
                          auto* list = dynamic_cast<LineList*>(guide.FindWindow(IDC_GUIDE_LINES));
                          ASSERT_NE(list, nullptr);
                          EXPECT_EQ(list->GetTopItem(), 0);
                          EXPECT_EQ(list->GetSelectedItemCount(), 0);
                          openings.push_back(ShownLines(*list));
                          ExpectCentredOver(guide, *window_);
                      }));
    }
    ASSERT_EQ(openings.size(), 2U);
    EXPECT_EQ(openings[0], openings[1]);
    const std::vector<wxString>& lines = openings[0];
    ASSERT_GT(lines.size(), std::size(kExpectedGuide));
    for (std::size_t i = 0; i < std::size(kExpectedGuide); ++i) {
        if (kExpectedGuide[i] != nullptr) {
            EXPECT_EQ(lines[i].utf8_string(), kExpectedGuide[i]) << "line " << i + 1;
        } else {
            EXPECT_FALSE(lines[i].empty()) << "line " << i + 1;
        }
    }
    EXPECT_TRUE(lines[16].StartsWith(wxS("https://")) &&
                lines[16].EndsWith(wxS(" are in this format.)")));
    EXPECT_TRUE(lines[45].StartsWith(wxS("https://")));
    EXPECT_TRUE(lines[46].StartsWith(wxS("https://")));
}

// Only addresses a reader can open: no stand-in domains, no address that goes nowhere.
TEST_F(GuideAboutTest, TheGuideHoldsNoPlaceholderAddress) {
    GuideWindow guide(window_, wxGetApp().GetDesktopServices());
    auto* list = dynamic_cast<LineList*>(guide.FindWindow(IDC_GUIDE_LINES));
    ASSERT_NE(list, nullptr);
    for (const wxString& line : ShownLines(*list)) {
        for (const wchar_t* placeholder : {L"example.", L"localhost", L"@", L"xxx", L"TODO"}) {
            EXPECT_FALSE(line.Lower().Contains(wxString(placeholder).Lower()))
                << line.utf8_string();
        }
    }
}

// The lines that are the program's own are not cut off at the list's edge, and the list
// scrolls to its last line.
TEST_F(GuideAboutTest, TheGuidesOwnLinesFitItsWidthAndItsLastLineCanBeReached) {
    GuideWindow guide(window_, wxGetApp().GetDesktopServices());
    guide.Show();
    Flush();
    auto* list = dynamic_cast<LineList*>(guide.FindWindow(IDC_GUIDE_LINES));
    ASSERT_NE(list, nullptr);
    const std::vector<wxString> lines = ShownLines(*list);
    const int width = list->GetColumnWidth(0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i >= std::size(kExpectedGuide) || kExpectedGuide[i] == nullptr) {
            EXPECT_LT(list->GetTextExtent(lines[i]).x, width) << "line " << i + 1;
        }
    }

    const int last = list->GetItemCount() - 1;
    list->EnsureVisible(last);
    Flush();
    wxRect row;
    ASSERT_TRUE(list->GetItemRect(last, row));
    EXPECT_LE(row.GetBottom(), list->GetClientSize().y) << "the last line is in view";
    guide.Hide();
}

TEST_F(GuideAboutTest, TheAboutBoxShowsTheIconTheVersionAndAnOkButton) {
    wxTEST_DIALOG(
        {
            wxCommandEvent about(wxEVT_MENU, IDM_ABOUTBOX);
            window_->ProcessWindowEvent(about);
        },
        ExpectDialog<AboutWindow>([&](AboutWindow& about) {
            EXPECT_EQ(about.GetTitle(), wxS("About Velmora"));
            std::vector<wxString> texts;
            bool hasIcon = false;
            for (wxWindow* child : about.GetChildren()) {
                if (auto* text = dynamic_cast<wxStaticText*>(child)) {
                    texts.push_back(text->GetLabelText());
                }
                if (auto* icon = dynamic_cast<wxStaticBitmap*>(child)) {
                    hasIcon = icon->GetBitmap().GetWidth() == 32;
                }
            }
            ASSERT_EQ(texts.size(), 2U);
            EXPECT_EQ(texts[0], wxS("Velmora Version 1.0"));
            EXPECT_FALSE(texts[1].empty());
            EXPECT_TRUE(hasIcon);
            auto* ok = dynamic_cast<wxButton*>(about.GetDefaultItem());
            ASSERT_NE(ok, nullptr);
            EXPECT_EQ(ok->GetId(), wxID_OK);
            EXPECT_EQ(ok->GetLabel(), wxS("OK"));
            ExpectCentredOver(about, *window_);
        }));
}

TEST_F(GuideAboutTest, EnterAndEscEndTheGuide) {
    GuideWindow guide(window_, wxGetApp().GetDesktopServices());
    EXPECT_EQ(ShowModalDoing(guide, [&] { SendKey(guide, WXK_RETURN); }), wxID_OK);
    EXPECT_EQ(ShowModalDoing(guide, [&] { SendKey(guide, WXK_ESCAPE); }), wxID_CANCEL);
}

TEST_F(GuideAboutTest, OkAndEscEndTheAboutBox) {
    AboutWindow about(window_, wxGetApp().GetDesktopServices());
    EXPECT_EQ(ShowModalDoing(about, [&] { Press(about, wxID_OK); }), wxID_OK);
    EXPECT_EQ(ShowModalDoing(about, [&] { SendKey(about, WXK_ESCAPE); }), wxID_OK);
}

TEST_F(GuideAboutTest, F1InTheGuideAndTheAboutBoxAsksForTheirOwnTopics) {
    RecordingDesktopServices services;
    GuideWindow guide(window_, services);
    AboutWindow about(window_, services);
    wxCommandEvent help(wxEVT_MENU, ID_HELP);
    guide.ProcessWindowEvent(help);
    about.ProcessWindowEvent(help);

    ASSERT_EQ(services.helpRequests.size(), 2U);
    EXPECT_EQ(services.helpRequests[0].context, 0x20081);
    EXPECT_EQ(services.helpRequests[1].context, 0x20064);
    ASSERT_EQ(services.messages.size(), 2U);  // no help engine here
    EXPECT_EQ(services.messages[0].text, wxS("Failed to launch help."));
    EXPECT_EQ(services.messages[0].owner, &guide);
    EXPECT_EQ(services.messages[1].owner, &about);
}

}  // namespace
}  // namespace velmora::test
