// Opening a novel in the window: the file dialog offers the formats Velmora reads, the
// questions of how to read a text come as one dialog with a check box each (one alone as a
// message box), and their answers take effect; a document opens as a text does.
#include "tests/ui/MainWindowFixture.h"
#include "tests/ui/RecordingDesktopServices.h"
#include "ui/Resources.h"

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>

#include <string>
#include <vector>

namespace velmora::test {
namespace {

// LF line ends, Project Gutenberg's matter and dialogue marked with typographic quotes
// alone: all three questions.
constexpr std::string_view kAllThree =
    "The Project Gutenberg eBook of Dawn\n\n"
    "*** START OF THE PROJECT GUTENBERG EBOOK DAWN ***\n\n"
    "Dawn.\n\n\xE2\x80\x9CHi,\xE2\x80\x9D said Ann.\n\n\xE2\x80\x9C"
    "Bye.\xE2\x80\x9D\n\n"
    "*** END OF THE PROJECT GUTENBERG EBOOK DAWN ***\n\nThe licence.\n";

const std::vector<std::string> kQuestions = {
    "This text separates its paragraphs with blank lines that Velmora would not see. Read them "
    "as paragraph breaks?",
    "Leave out the Project Gutenberg header and licence?",
    "This text marks dialogue with typographic quotes (\xE2\x80\x9C \xE2\x80\x9D). Treat them as "
    "double quotes?",
};

using ReadingQuestionsTest = MainWindowFixture;

TEST_F(ReadingQuestionsTest, TheFileDialogOffersNovelsInEveryFormatFirst) {
    wxString wildcard;
    wxTEST_DIALOG(Press(*window_, IDC_OPEN_TEXT_FILE),
                  ExpectDialog<wxFileDialog>(
                      [&](wxFileDialog& dialog) { wildcard = dialog.GetWildcard(); }, wxID_CANCEL));
    EXPECT_EQ(wildcard,
              wxS("Novels (*.txt;*.epub;*.docx;*.odt)|"
                  "*.txt;*.epub;*.docx;*.odt;*.TXT;*.EPUB;*.DOCX;*.ODT|All Files (*.*)|*.*"));
}

TEST_F(ReadingQuestionsTest, SeveralQuestionsComeAsOneDialogWithACheckBoxEach) {
    const auto text = WriteText("novel.txt", kAllThree);
    std::vector<std::string> labels;
    std::vector<bool> checked;
    wxString caption;
    wxTEST_DIALOG(Press(*window_, IDC_OPEN_TEXT_FILE),
                  wxExpectModal<wxFileDialog>(wxString::FromUTF8(text.string())),
                  ExpectDialog<wxDialog>([&](wxDialog& dialog) {
                      caption = dialog.GetTitle();
                      for (wxWindow* child : dialog.GetChildren()) {
                          if (auto* box = dynamic_cast<wxCheckBox*>(child)) {
                              labels.push_back(box->GetLabel().utf8_string());
                              checked.push_back(box->GetValue());
                              // The Project Gutenberg matter is kept.
                              box->SetValue(labels.size() != 2);
                          }
                      }
                  }));
    EXPECT_EQ(caption, wxTheApp->GetAppName());
    EXPECT_EQ(labels, kQuestions);
    EXPECT_EQ(checked, std::vector<bool>(3, true)) << "yes is each one's default";
    EXPECT_EQ(Dialogue(), "Hi.") << "read by its blank lines, with its quotes as dialogue";
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log().front(), "The Project Gutenberg eBook of Dawn") << "the header is kept";
    EXPECT_EQ(ReadAll(text), kAllThree) << "the text file is never changed";
}

class ReadingAnswersTest : public MainWindowFixture {
protected:
    ReadingAnswersTest() : MainWindowFixture(services_) {}
    static inline RecordingDesktopServices services_;
};

TEST_F(ReadingAnswersTest, EachAnswerTakesEffect) {
    services_ = RecordingDesktopServices();
    services_.checkAnswers = {true, true, false};
    OpenText(WriteText("novel.txt", kAllThree));
    ASSERT_EQ(services_.checkBoxQuestions.size(), 1U);
    std::vector<std::string> asked;
    for (const wxString& question : services_.checkBoxQuestions.front()) {
        asked.push_back(question.utf8_string());
    }
    EXPECT_EQ(asked, kQuestions);
    EXPECT_TRUE(services_.questions.empty()) << "no message box besides";
    EXPECT_EQ(Dialogue(), "") << "typographic quotes left as text: no dialogue";
    EXPECT_EQ(Status(), "Script.html successfully generated");
    EXPECT_EQ(Log().front(), "Dawn.") << "without the header, a paragraph a blank line";
}

TEST_F(ReadingAnswersTest, OneQuestionAloneIsAMessageBox) {
    services_ = RecordingDesktopServices();
    services_.answer = false;
    OpenText(WriteText("novel.txt", "Dawn.\n\n\"Hi,\" said Ann.\n\nDusk."));
    EXPECT_TRUE(services_.checkBoxQuestions.empty());
    ASSERT_EQ(services_.questions.size(), 1U);
    EXPECT_EQ(services_.questions.front().utf8_string(), kQuestions.front());
    EXPECT_EQ(Dialogue(), "Hi.");
    EXPECT_EQ(Log().front(), "Dawn.\n\n\"Hi,\" said Ann.\n\nDusk.") << "read as one paragraph";
}

TEST_F(ReadingQuestionsTest, ADocumentOpensAsATextDoes) {
    const std::filesystem::path odt =
        std::filesystem::path(VELMORA_TEST_DATA_DIR) / "documents" / "chapters.pandoc.odt";
    const std::string bytes = ReadAll(odt);
    ASSERT_FALSE(bytes.empty()) << odt;
    const auto document = WriteText("novels/chapters.ODT", bytes);
    OpenText(document);
    EXPECT_EQ(Status(), "Text file loaded successfully");
    EXPECT_EQ(Dialogue(),
              "My dear Mr. Bennet, have you heard that Netherfield Park is let at last?");
    EXPECT_TRUE(std::filesystem::exists(document.parent_path() / "Script.htm"));
    EXPECT_EQ(ReadAll(document), bytes);
}

}  // namespace
}  // namespace velmora::test
