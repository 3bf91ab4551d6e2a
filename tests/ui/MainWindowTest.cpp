// The main window driven through its buttons, as a person would, with the file dialog and
// message boxes answered by the tests.
#include "tests/support/FileLock.h"
#include "tests/ui/MainWindowFixture.h"
#include "text/NameSlots.h"
#include "ui/LineList.h"
#include "ui/Resources.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <array>

namespace velmora::test {
namespace {

constexpr std::string_view kShortNovel =
    "Narration one.\r\n\r\n\"Hi,\" he said.\r\n\r\nNarration two.";

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, StartsWaitingForATextWithScreenPlayChosenAndEveryNameEmpty) {
    EXPECT_EQ(window_->GetTitle(), wxS("Velmora v1.0"));
    EXPECT_EQ(Status(), "Waiting to load a text file");
    EXPECT_TRUE(Get<wxRadioButton>(IDC_SCREEN_PLAY).GetValue());
    EXPECT_FALSE(Get<wxRadioButton>(IDC_STAGE_PLAY).GetValue());
    for (const NameSlot& slot : kNameSlotTable) {
        EXPECT_EQ(NameEditText(slot.slot), "") << "slot " << slot.slot;
    }
    EXPECT_EQ(Dialogue(), "");
    EXPECT_TRUE(Log().empty());
    for (wxWindow* child : window_->GetChildren()) {
        EXPECT_TRUE(child->IsEnabled()) << "control " << child->GetId();
    }
    EXPECT_EQ(window_->GetDefaultItem(), window_->FindWindow(IDC_OPEN_TEXT_FILE));
}

TEST_F(MainWindowTest, ControlsFollowTheTemplateOrderWithButtonsAndEditsAsTabStops) {
    // Template order is creation order, which is the order Tab walks; "Not Dialogue" (1042)
    // comes just before the button to its right.
    const std::array<int, 36> expectedOrder = {
        1000, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013,
        1042, 1015, 1016, 1014, 1017, 1018, 1019, 1022, 1023, 1024, 1025, 1026,
        1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, -1,   1039, 1041};
    std::vector<int> ids;
    for (wxWindow* child : window_->GetChildren()) {
        ids.push_back(child->GetId() < 0 ? -1 : child->GetId());
        const bool pushButtonOrEdit = dynamic_cast<wxButton*>(child) != nullptr ||
                                      dynamic_cast<wxTextCtrl*>(child) != nullptr;
        EXPECT_EQ(child->AcceptsFocusFromKeyboard(), pushButtonOrEdit)
            << "tab stop " << child->GetId();
    }
    EXPECT_EQ(ids, std::vector<int>(expectedOrder.begin(), expectedOrder.end()));
}

TEST_F(MainWindowTest, EachSlotHasItsGenerateLineButtonOnTheSameRowToTheRight) {
    for (const NameSlot& slot : kNameSlotTable) {
        const wxRect edit = window_->FindWindow(slot.editId)->GetRect();
        const wxRect button = window_->FindWindow(slot.buttonId)->GetRect();
        EXPECT_LE(std::abs(edit.GetTop() + edit.GetHeight() / 2 -
                           (button.GetTop() + button.GetHeight() / 2)),
                  edit.GetHeight() / 4)
            << "slot " << slot.slot;
        EXPECT_GT(button.GetLeft(), edit.GetLeft()) << "slot " << slot.slot;
        auto* label = dynamic_cast<wxButton*>(window_->FindWindow(slot.buttonId));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->GetLabel(), wxS("Generate Line"));
    }
}

struct FormatCase {
    const char* name;
    int radioId;
    const char* scriptAfterOpen;
    const char* finishedScript;
};

class FormatTest : public MainWindowFixture, public testing::WithParamInterface<FormatCase> {};

TEST_P(FormatTest, WholeConversionThroughTheButtons) {
    const FormatCase& format = GetParam();
    Get<wxRadioButton>(format.radioId).SetValue(true);
    TypeName(1, wxS("TOM"));
    TypeName(2, wxS("ANN"));
    // In a folder of its own: the script must land beside the text.
    const auto text = WriteText("novels/short.txt", kShortNovel);

    OpenText(text);

    EXPECT_EQ(Status(), "Text file loaded successfully");
    EXPECT_EQ(ScriptBeside(text), format.scriptAfterOpen);
    EXPECT_EQ(Dialogue(), "Hi.");
    EXPECT_EQ(Log(), (std::vector<std::string>{"Narration one.", "", "\"Hi,\" he said.", ""}));
    // One run converts one text: the format and the open button are locked.
    EXPECT_FALSE(Get<wxButton>(IDC_OPEN_TEXT_FILE).IsEnabled());
    EXPECT_FALSE(Get<wxRadioButton>(IDC_SCREEN_PLAY).IsEnabled());
    EXPECT_FALSE(Get<wxRadioButton>(IDC_STAGE_PLAY).IsEnabled());

    Press(*window_, kNameSlotTable[0].buttonId);

    EXPECT_EQ(ScriptBeside(text), format.finishedScript);
    EXPECT_EQ(Dialogue(), "");
    const std::vector<std::string> log = Log();
    ASSERT_GE(log.size(), 4U);
    EXPECT_EQ(std::vector<std::string>(log.end() - 4, log.end()),
              (std::vector<std::string>{"Narration two.", "", "", "<END OF FILE>"}));
    EXPECT_EQ(Status(), "Script.html successfully generated");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Script.htm"));
}

INSTANTIATE_TEST_SUITE_P(
    BothFormats, FormatTest,
    testing::Values(
        FormatCase{"ScreenPlay", IDC_SCREEN_PLAY, "<HTML><BR>Narration one.<BR>",
                   "<HTML><BR>Narration one.<BR><BR><CENTER>TOM</CENTER><DD>(he said)</DD>"
                   "<DD>Hi.</DD><BR><BR>Narration two.<BR></HTML>"},
        FormatCase{"StagePlay", IDC_STAGE_PLAY, "<HTML><BR><DD><I>(Narration one)</I></DD>",
                   "<HTML><BR><DD><I>(Narration one)</I></DD><BR><B><CENTER>TOM</CENTER></B>"
                   "<DD><I>(he said)</I></DD>Hi.<BR><BR><DD><I>(Narration two)</I></DD>"
                   "</HTML>"}),
    [](const testing::TestParamInfo<FormatCase>& format) { return format.param.name; });

struct CharacterSetCase {
    const char* name;
    std::string novel;
    const char* dialogueShown;
    const char* logShown;
    std::string scriptEnd;
};

class CharacterSetTest : public MainWindowFixture,
                         public testing::WithParamInterface<CharacterSetCase> {};

// The screen shows characters; the script keeps the text's bytes and gets the typed name
// in the text's character set.
TEST_P(CharacterSetTest, TextIsShownAsCharactersAndNamesReachTheScriptInItsCharacterSet) {
    const CharacterSetCase& c = GetParam();
    TypeName(1, wxString(L"ZO\u00CB \u201CZ\u201D"));
    const auto text = WriteText("novel.txt", c.novel);
    OpenText(text);

    EXPECT_EQ(Dialogue(), c.dialogueShown);
    EXPECT_EQ(Get<LineList>(IDC_LOG).GetItemText(0).utf8_string(), c.logShown);

    Press(*window_, kNameSlotTable[0].buttonId);
    const std::string script = ScriptBeside(text);
    ASSERT_GE(script.size(), c.scriptEnd.size());
    EXPECT_EQ(script.substr(script.size() - c.scriptEnd.size()), c.scriptEnd);
}

INSTANTIATE_TEST_SUITE_P(
    TwoEncodings, CharacterSetTest,
    testing::Values(
        CharacterSetCase{
            "Utf8", "\"Caf\xC3\xA9!\" said Zo\xC3\xAB.", "Caf\u00E9!",
            "\"Caf\u00E9!\" said Zo\u00EB.",
            "<CENTER>ZO\xC3\x8B \xE2\x80\x9CZ\xE2\x80\x9D</CENTER><DD>(said Zo\xC3\xAB)"
            "</DD><DD>Caf\xC3\xA9!</DD><BR></HTML>"},
        CharacterSetCase{"Windows1252", "\"Caf\xE9!\" said Zo\xEB.", "Caf\u00E9!",
                         "\"Caf\u00E9!\" said Zo\u00EB.",
                         "<CENTER>ZO\xCB \x93Z\x94</CENTER><DD>(said Zo\xEB)</DD><DD>Caf\xE9!</DD>"
                         "<BR></HTML>"}),
    [](const testing::TestParamInfo<CharacterSetCase>& c) { return c.param.name; });

TEST_F(MainWindowTest, AFileNameOfAnyLengthAndAnyLettersLoads) {
    const std::string name = std::string(100, 'n') + " Zo\xC3\xAB\xE2\x80\x99s \"novel\".txt";
    const auto text = WriteText(name, kShortNovel);
    OpenText(text);
    EXPECT_EQ(Status(), "Text file loaded successfully");
    EXPECT_EQ(ScriptBeside(text), "<HTML><BR>Narration one.<BR>");
}

TEST_F(MainWindowTest, EachGenerateLineButtonUsesTheNameOnItsOwnRow) {
    std::string novel;
    for (int line = 1; line <= 12; ++line) {
        novel += "\"Line " + std::to_string(line) + ".\"\r\n\r\n";
    }
    for (const NameSlot& slot : kNameSlotTable) {
        TypeName(slot.slot, wxString::Format("SPEAKER%d", slot.slot));
    }
    const auto text = WriteText("twelve.txt", novel);
    OpenText(text);

    const std::array<int, 12> pressOrder = {4, 12, 1, 7, 5, 9, 2, 11, 3, 6, 10, 8};
    for (const int slot : pressOrder) {
        Press(*window_, kNameSlotTable.at(SlotIndex(slot)).buttonId);
    }

    // Who said which line, from "<CENTER>name</CENTER><DD>Line n.</DD>".
    const std::string script = ScriptBeside(text);
    std::vector<std::string> found;
    for (std::size_t at = script.find("<CENTER>"); at != std::string::npos;
         at = script.find("<CENTER>", at + 1)) {
        const std::size_t nameEnd = script.find("</CENTER><DD>Line ", at);
        const std::size_t lineEnd = script.find(".</DD>", nameEnd);
        ASSERT_NE(lineEnd, std::string::npos) << script.substr(at);
        const std::size_t lineStart = nameEnd + std::string_view("</CENTER><DD>Line ").size();
        found.push_back(script.substr(at + 8, nameEnd - at - 8) + " said line " +
                        script.substr(lineStart, lineEnd - lineStart));
    }
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < pressOrder.size(); ++i) {
        expected.push_back("SPEAKER" + std::to_string(pressOrder.at(i)) + " said line " +
                           std::to_string(i + 1));
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(Status(), "Script.html successfully generated");
}

TEST_F(MainWindowTest, CancellingTheFileDialogFailsTheLoadAndKeepsTheOpenControlsLocked) {
    wxTEST_DIALOG(Press(*window_, IDC_OPEN_TEXT_FILE),
                  wxExpectModal<wxFileDialog>(wxEmptyString, wxID_CANCEL));

    EXPECT_EQ(Status(), "*** Error - Text file failed to load ***");
    EXPECT_FALSE(Get<wxButton>(IDC_OPEN_TEXT_FILE).IsEnabled());
    EXPECT_FALSE(Get<wxRadioButton>(IDC_SCREEN_PLAY).IsEnabled());
    EXPECT_FALSE(Get<wxRadioButton>(IDC_STAGE_PLAY).IsEnabled());
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Script.htm"));

    Press(*window_, kNameSlotTable[0].buttonId);
    EXPECT_EQ(Status(), "*** Error - Files are not open ***");
}

TEST_F(MainWindowTest, NotesGoIntoTheScriptAndTheLogAndTheFieldEmpties) {
    const auto text = WriteText("short.txt", kShortNovel);
    OpenText(text);
    Get<wxTextCtrl>(IDC_NOTE).SetValue(wxS("call back."));

    Press(*window_, IDC_GENERATE_NOTE);

    EXPECT_EQ(ScriptBeside(text), "<HTML><BR>Narration one.<BR><BR>NOTE: call back.<BR>");
    const std::vector<std::string> log = Log();
    EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()),
              (std::vector<std::string>{"NOTE: call back.", ""}));
    EXPECT_EQ(Get<wxTextCtrl>(IDC_NOTE).GetValue(), wxS(""));
    EXPECT_EQ(Dialogue(), "Hi.");
}

TEST_F(MainWindowTest, GeneratingWithoutNamesFinishesTheScriptAndEndsTheBusyCursor) {
    const auto text = WriteText("short.txt", kShortNovel);
    OpenText(text);

    Press(*window_, IDC_WITHOUT_NAMES);

    EXPECT_EQ(ScriptBeside(text),
              "<HTML><BR>Narration one.<BR><BR><CENTER>CHARACTERNAME</CENTER><DD>(he said)</DD>"
              "<DD>Hi.</DD><BR><BR>Narration two.<BR></HTML>");
    EXPECT_EQ(Status(), "Script.html successfully generated");
    EXPECT_FALSE(wxIsBusy());
}

using test::FileSizeLimit;

TEST_F(MainWindowTest, AWriteFailureShowsOneBoxAndTheWindowStaysUsable) {
    const auto text = WriteText("short.txt", kShortNovel);
    OpenText(text);
    TypeName(1, wxS("TOM"));
    const std::string scriptBefore = ScriptBeside(text);
    const std::vector<std::string> logBefore = Log();
    const wxString message =
        wxString::FromUTF8("Disk full while accessing " + (folder_ / "Script.htm").string() + ".");
    {
        const FileSizeLimit full(scriptBefore.size());
        wxTEST_DIALOG(Press(*window_, kNameSlotTable[0].buttonId),
                      ExpectMessage(message, wxICON_ERROR, window_));
    }
    // The command stopped where the write failed: nothing logged, status unchanged.
    EXPECT_EQ(ScriptBeside(text), scriptBefore);
    EXPECT_EQ(Log(), logBefore);
    EXPECT_EQ(Status(), "Text file loaded successfully");
    EXPECT_EQ(Dialogue(), "Hi.");

    // With room again the window goes on: the note lands after what was written.
    Get<wxTextCtrl>(IDC_NOTE).SetValue(wxS("again"));
    Press(*window_, IDC_GENERATE_NOTE);
    EXPECT_EQ(ScriptBeside(text).substr(scriptBefore.size()), "<BR>NOTE: again<BR>");
}

TEST_F(MainWindowTest, AFailureInTheBulkCompletionEndsTheBusyCursorToo) {
    const auto text = WriteText("short.txt", kShortNovel);
    OpenText(text);
    const std::string scriptBefore = ScriptBeside(text);
    {
        const FileSizeLimit full(scriptBefore.size());
        const wxString message = wxString::FromUTF8("Disk full while accessing " +
                                                    (folder_ / "Script.htm").string() + ".");
        wxTEST_DIALOG(Press(*window_, IDC_WITHOUT_NAMES),
                      ExpectMessage(message, wxICON_ERROR, window_));
    }
    EXPECT_FALSE(wxIsBusy());
    // Back to where the command began, not a stale "Generating script without characternames".
    EXPECT_EQ(Status(), "Text file loaded successfully");
    EXPECT_EQ(ScriptBeside(text), scriptBefore);
    Press(*window_, IDC_WITHOUT_NAMES);
    EXPECT_EQ(Status(), "Script.html successfully generated");
}

TEST_F(MainWindowTest, AScriptThatCannotBeWrittenAtAllIsReportedWhileOpening) {
    const auto text = WriteText("short.txt", kShortNovel);
    const wxString message =
        wxString::FromUTF8("Disk full while accessing " + (folder_ / "Script.htm").string() + ".");
    {
        const FileSizeLimit full(3);  // not even "<HTML>" fits
        wxTEST_DIALOG(Press(*window_, IDC_OPEN_TEXT_FILE),
                      wxExpectModal<wxFileDialog>(wxString::FromUTF8(text.string())),
                      ExpectMessage(message, wxICON_ERROR, window_));
    }
    EXPECT_EQ(Status(), "*** Error - Script file failed to open ***");
    EXPECT_TRUE(Log().empty());
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Script.htm")) << "the new script removed";
}

// Script.htm must be a regular file or nothing: a device is refused, in the log, not a box.
TEST_F(MainWindowTest, ADeviceNamedScriptIsRefusedWhileOpening) {
    std::filesystem::create_symlink("/dev/full", folder_ / "Script.htm");
    const auto text = WriteText("short.txt", kShortNovel);
    wxTEST_DIALOG(Press(*window_, IDC_OPEN_TEXT_FILE),
                  wxExpectModal<wxFileDialog>(wxString::FromUTF8(text.string())));
    EXPECT_EQ(Status(), "*** Error - Script file failed to open ***");
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log().back(), "Script.htm is a folder or a device, not a file.");
    EXPECT_TRUE(std::filesystem::is_symlink(folder_ / "Script.htm"));
}

// The line that says where the earlier script went is in view when the first line of
// dialogue waits, however many paragraphs came before it.
TEST_F(MainWindowTest, TheKeptScriptLineIsInViewWithTheFirstLineOfDialogue) {
    std::filesystem::create_directory(folder_ / "texts");
    test::TempDir::WriteIn(folder_ / "texts", "Script.htm", "an earlier script");
    std::string novel;
    for (int paragraph = 1; paragraph <= 200; ++paragraph) {
        novel += "Paragraph " + std::to_string(paragraph) + " of the opening.\r\n\r\n";
    }
    OpenText(WriteText("texts/long.txt", novel + "\"Hi,\" he said."));
    const std::string kept = "The earlier Script.htm was kept as Script.htm.bak.";
    ASSERT_EQ(Log().back(), kept);
    auto& log = Get<LineList>(IDC_LOG);
    const long line = log.GetItemCount() - 1;
    EXPECT_GE(line, log.GetTopItem());
    EXPECT_LT(line, log.GetTopItem() + log.GetCountPerPage());
    EXPECT_EQ(Dialogue(), "Hi.");
}

TEST_F(MainWindowTest, TheLogKeepsWholeLinesButDrawsAtMostAFewThousandCharacters) {
    const std::string longLine(3 * LineList::kMaxDrawnChars, 'x');
    std::string novel;
    for (int line = 0; line < 300; ++line) {
        novel += "line " + std::to_string(line) + "\r\n";
    }
    novel += longLine + "\r\n\"Hello.\"";
    const auto text = WriteText("long.txt", novel);
    // Mostly one long line: offered as a paragraph a line, and read as it is.
    wxTEST_DIALOG(Press(*window_, IDC_OPEN_TEXT_FILE),
                  wxExpectModal<wxFileDialog>(wxString::FromUTF8(text.string())),
                  wxExpectModal<wxMessageDialog>(wxID_NO));
    Flush();

    auto& log = Get<LineList>(IDC_LOG);
    ASSERT_EQ(log.LineCount(), 303);
    EXPECT_EQ(log.Line(300), longLine);
    EXPECT_EQ(log.GetItemText(300).length(), LineList::kMaxDrawnChars + 1);  // and "…"
    EXPECT_EQ(log.GetItemText(0), wxS("line 0"));
    // Scrolled to the end: the last line is in view.
    EXPECT_GE(log.GetTopItem() + log.GetCountPerPage(), log.GetItemCount());
    EXPECT_GT(log.GetTopItem(), 0);
    EXPECT_EQ(log.GetSelectedItemCount(), 0);
}

}  // namespace
}  // namespace velmora::test
