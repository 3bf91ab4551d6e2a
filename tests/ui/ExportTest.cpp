// "Export Script..." in the window's menu: offered once the script holds a line, asking
// where and as what in the script's folder, and writing the format chosen.
#include "export/Export.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/ExportCommand.h"
#include "ui/Resources.h"

#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <string>
#include <vector>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

TEST(ExportTargetOf, the_filter_decides_the_format_and_adds_its_missing_extension) {
    struct Case {
        std::string path;
        int filter;
        ExportFormat format;
        std::string written;
    };
    const Case cases[] = {
        {"/a/Script.fountain", 0, ExportFormat::Fountain, "/a/Script.fountain"},
        {"/a/draft", 1, ExportFormat::Fdx, "/a/draft.fdx"},
        {"/a/Draft.PDF", 2, ExportFormat::Pdf, "/a/Draft.PDF"},
        {"/a/Script.fountain", 2, ExportFormat::Pdf, "/a/Script.fountain.pdf"},
        {"/a/notes.txt", 0, ExportFormat::Fountain, "/a/notes.txt.fountain"},
        {"/a/x", -1, ExportFormat::Fountain, "/a/x.fountain"},
        {"/a/x", 3, ExportFormat::Fountain, "/a/x.fountain"},
    };
    for (const Case& c : cases) {
        const ExportTarget target = ExportTargetOf(c.path, c.filter);
        EXPECT_EQ(target.format, c.format) << c.path << " " << c.filter;
        EXPECT_EQ(target.path, c.written) << c.path << " " << c.filter;
    }
}

// The save dialog answered as a user would: it is checked to open in folder with
// "Script.fountain" and the three formats' filters, then a filter and a name are chosen.
class ExpectSaveAs : public wxExpectModalBase<wxFileDialog, ExpectSaveAs> {
public:
    ExpectSaveAs(fs::path folder, int filter, fs::path chosen)
        : folder_(std::move(folder)), filter_(filter), chosen_(std::move(chosen)) {}

protected:
    int OnInvoked(wxFileDialog* dialog) const override {
        EXPECT_TRUE(dialog->HasFlag(wxFD_SAVE));
        EXPECT_TRUE(fs::equivalent(dialog->GetDirectory().utf8_string(), folder_));
        EXPECT_EQ(dialog->GetFilename(), wxS("Script.fountain"));
        EXPECT_EQ(dialog->GetWildcard(),
                  wxS("Fountain (*.fountain)|*.fountain|Final Draft (*.fdx)|*.fdx|"
                      "PDF (*.pdf)|*.pdf"));
        dialog->SetFilterIndex(filter_);
        dialog->SetPath(wxString::FromUTF8(chosen_.string()));
        return wxID_OK;
    }

private:
    fs::path folder_;
    int filter_;
    fs::path chosen_;
};

class ExportCommandTest : public MainWindowFixture {
protected:
    void ChooseExport() {
        wxCommandEvent choose(wxEVT_MENU, IDM_EXPORT_SCRIPT);
        window_->ProcessWindowEvent(choose);
    }
};

TEST_F(ExportCommandTest, the_chosen_filter_writes_its_format_and_the_log_names_the_file) {
    const auto text =
        WriteText("texts/novel.txt", "\"One,\" said Tom.\r\n\r\n\"Two.\"\r\n\r\nEnd.");
    OpenText(text);
    ChooseExport();  // nothing in the script yet: no dialog (one would fail the test)
    EXPECT_FALSE(fs::exists(text.parent_path() / "Script.fountain"));
    Get<wxTextCtrl>(kNameSlotTable[0].editId).ChangeValue(wxS("TOM"));
    Press(*window_, kNameSlotTable[0].buttonId);
    const std::string script = ScriptBeside(text);

    const fs::path folder = fs::canonical(text.parent_path());
    struct Case {
        int filter;
        const char* chosen;
        const char* written;
        std::string_view starts;
    };
    const Case cases[] = {
        {2, "draft", "draft.pdf", "%PDF-"},
        {1, "Script.fdx", "Script.fdx", "<?xml"},
        {0, "Script.fountain", "Script.fountain", "Title: novel"},
    };
    for (const Case& c : cases) {
        wxTEST_DIALOG(ChooseExport(), ExpectSaveAs(folder, c.filter, folder / c.chosen));
        const std::string written = ReadAll(folder / c.written);
        EXPECT_TRUE(written.starts_with(c.starts)) << c.written;
        if (c.filter != 2) {  // the PDF's text is compressed
            EXPECT_NE(written.find("TOM"), std::string::npos) << c.written;
            EXPECT_EQ(written.find("said Tom"), std::string::npos) << c.written << ": a bare tag";
        }
        EXPECT_EQ(Log().back(), "Exported the script as " + (folder / c.written).string() + ".");
    }
    EXPECT_EQ(ScriptBeside(text), script) << "Script.htm is read, never written";
    EXPECT_EQ(Dialogue(), "Two.") << "the run goes on";
    Press(*window_, kNameSlotTable[0].buttonId);
    EXPECT_TRUE(ScriptBeside(text).ends_with("<BR>End.<BR></HTML>"));
}

// The window's menu, opened by the right button as a person would, and closed by Esc.
class ExportMenuTest : public MainWindowFixture {
protected:
    ExportMenuTest() {
        window_->Raise();
        Flush();
        window_->Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) {
            if (event.GetMenu() != nullptr) {
                offered_.push_back(event.GetMenu()->IsEnabled(IDM_EXPORT_SCRIPT));
            }
            window_->CallAfter([this] { input_.Char(WXK_ESCAPE); });
            event.Skip();
        });
    }

    void OpenMenu() {
        // Apart from the last click by more than a double click's time: a second click would
        // be taken for its other half.
        wxMilliSleep(600);
        input_.MouseMove(window_->ClientToScreen(window_->ConvertDialogToPixels(wxPoint(60, 255))));
        Flush();
        input_.MouseClick(wxMOUSE_BTN_RIGHT);
        Flush();
    }

    wxUIActionSimulator input_;
    std::vector<bool> offered_;  // whether each menu opened offered "Export Script..."
};

TEST_F(ExportMenuTest, offers_export_only_once_the_script_holds_a_line) {
    OpenMenu();
    OpenText(WriteText("novel.txt", "Dark.\r\n\r\n\"One,\" said Tom.\r\n\r\n\"Two.\""));
    OpenMenu();
    Press(*window_, kNameSlotTable[0].buttonId);
    OpenMenu();
    EXPECT_EQ(offered_, (std::vector<bool>{false, false, true}));
}

}  // namespace
}  // namespace velmora::test
