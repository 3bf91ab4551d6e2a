// How the controller reads a text: the questions of its paragraph layout and its Project
// Gutenberg matter, asked once when it loads and read as answered; an earlier script
// recognised whatever was answered when it was made; and documents opened as texts are.
#include "conversion/ConversionController.h"
#include "conversion/Explanations.h"
#include "conversion/StatusTexts.h"
#include "tests/conversion/ControllerFixture.h"
#include "tests/conversion/RecordingView.h"
#include "tests/support/ScriptLines.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using Answers = std::map<std::string, bool, std::less<>>;
using test::ControllerRun;
using test::Step;

const Step kRest{Step::Rest, {}};

// The yes/no questions the view was asked, in order.
Strings Asked(const test::RecordingView& view) {
    Strings asked;
    for (const std::string& call : view.calls) {
        if (call.starts_with("AskYesNo:")) {
            asked.push_back(call.substr(9));
        }
    }
    return asked;
}

bool WasCalled(const test::RecordingView& view, std::string_view operation) {
    return std::any_of(view.calls.begin(), view.calls.end(),
                       [&](const std::string& call) { return call.starts_with(operation); });
}

int Count(std::string_view text, std::string_view what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

// The script of a run of text with these answers and steps, in a folder of its own.
std::string MadeWith(std::string_view text, const Answers& answers,
                     const std::vector<Step>& steps) {
    const test::TempDir dir;
    {
        ControllerRun run(dir);
        run.view.answersTo = answers;
        run.Open(text);
        for (const Step& step : steps) {
            test::Perform(run.view, run.controller, step);
        }
    }
    return test::ReadAll(dir / "Script.htm");
}

// A line of narration longer than any text is wrapped at, beginning with start.
std::string LongLine(std::string line) {
    while (line.size() < 200) {
        line += " And so it went on.";
    }
    return line;
}

struct LayoutCase {
    const char* label;
    std::string text;
    std::string_view question;  // empty: never asked
    std::string readOnYes;      // the text that yes reads, in the form the reader takes as it is
    int cuesOnNo;               // lines of dialogue when it is read as it is
};

TEST(ControllerReading, the_paragraph_layout_is_asked_once_and_read_as_answered) {
    const std::string blankLinesRead =
        "Dawn.\r\n\r\n\"Hi,\" said Ann.\r\n\r\n\"Bye,\" said Tom.\r\n\r\nDusk.";
    const std::string dawn = LongLine("Dawn came.");
    const std::string hi = LongLine("\"Hi,\" said Ann.");
    const std::string bye = LongLine("\"Bye,\" said Tom.");
    const std::string alreadyBroken = "Dawn.\r\n\r\n\"Hi,\" said Ann.\n\n\"Bye,\" said Tom.";
    const std::string unbroken = "Dawn came\nslowly.\n\"Hi,\" said Ann.\n\"Bye,\" said Tom.";
    const std::vector<LayoutCase> cases = {
        {"LF", "Dawn.\n\n\"Hi,\" said Ann.\n\n\"Bye,\" said Tom.\n\nDusk.", kBlankLinesQuestion,
         blankLinesRead, 1},
        {"CR", "Dawn.\r\r\"Hi,\" said Ann.\r\r\"Bye,\" said Tom.\r\rDusk.", kBlankLinesQuestion,
         blankLinesRead, 1},
        {"CR LF with blank lines of spaces",
         "Dawn.\r\n  \r\n\"Hi,\" said Ann.\r\n\t\r\n\"Bye,\" said Tom.\r\n \r\nDusk.",
         kBlankLinesQuestion, blankLinesRead, 1},
        {"LF, wrapped", "Dawn came\nslowly.\n\n\"Hi,\" said\nAnn.\n\n\"Bye,\" said Tom.\n",
         kBlankLinesQuestion,
         "Dawn came\r\nslowly.\r\n\r\n\"Hi,\" said\r\nAnn.\r\n\r\n\"Bye,\" said Tom.\r\n", 1},
        {"a paragraph a line", dawn + "\n" + hi + "\n" + bye, kLinePerParagraphQuestion,
         dawn + "\r\n\r\n" + hi + "\r\n\r\n" + bye, 1},
        {"mixed", "Dawn.\n\n\"Hi,\" said Ann.\r\r\"Bye,\" said Tom.\r\n \r\nDusk.",
         kBlankLinesQuestion, blankLinesRead, 1},
        {"CR LF CR LF somewhere", alreadyBroken, "", alreadyBroken, 1},
        {"LF, no blank lines", unbroken, "", unbroken, 1},
    };
    for (const auto& c : cases) {
        for (const bool yes : {true, false}) {
            SCOPED_TRACE(std::string(c.label) + (yes ? ", answered yes" : ", answered no"));
            ControllerRun run;
            run.view.answer = yes;
            run.Open(c.text);
            run.controller.GenerateWithoutNames();
            EXPECT_EQ(Asked(run.view),
                      c.question.empty() ? Strings{} : Strings{std::string(c.question)});
            const std::string script = run.Script();
            if (yes || c.question.empty()) {
                EXPECT_EQ(script, test::FreshRun({kRest}, c.readOnYes));
            } else {
                EXPECT_EQ(Count(script, "<CENTER>"), c.cuesOnNo) << script;
            }
            EXPECT_EQ(test::ReadAll(run / "novel.txt"), c.text) << "the text is never written";
        }
    }
}

constexpr std::string_view kHeader =
    "The Project Gutenberg eBook of Dawn\r\n\r\n"
    "*** START OF THE PROJECT GUTENBERG EBOOK DAWN ***\r\n";
constexpr std::string_view kBook = "\r\n\r\nDawn.\r\n\r\n\"Hi,\" said Ann.\r\n\r\nDusk.\r\n\r\n";
constexpr std::string_view kLicence =
    "*** END OF THE PROJECT GUTENBERG EBOOK DAWN ***\r\n\r\n"
    "\"Project Gutenberg\" is a registered trademark.\r\n";

TEST(ControllerReading, the_project_gutenberg_matter_is_left_out_on_yes) {
    const std::string text = std::string(kHeader) + std::string(kBook) + std::string(kLicence);
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        ControllerRun run;
        run.view.answer = yes;
        run.Open(text);
        run.controller.GenerateWithoutNames();
        EXPECT_EQ(Asked(run.view), Strings{std::string(kGutenbergQuestion)});
        const std::string script = run.Script();
        if (yes) {
            EXPECT_EQ(script, test::FreshRun({kRest}, kBook));
        } else {
            EXPECT_NE(script.find("<HTML><BR>The Project Gutenberg eBook of Dawn<BR>"),
                      std::string::npos);
            EXPECT_EQ(Count(script, "<CENTER>"), 2) << "the licence's quotation is dialogue too";
        }
    }
}

// A text that raises all three questions: LF line ends, Project Gutenberg's matter, and
// dialogue marked with typographic quotes alone.
constexpr std::string_view kAllThree =
    "The Project Gutenberg eBook of Dawn\n\n"
    "*** START OF THE PROJECT GUTENBERG EBOOK DAWN ***\n\n"
    "Dawn.\n\n\xE2\x80\x9CHi,\xE2\x80\x9D said Ann.\n\n\xE2\x80\x9CWho?\xE2\x80\x9D said Tom.\n\n"
    "\xE2\x80\x9CMe.\xE2\x80\x9D\n\nDusk.\n\n"
    "*** END OF THE PROJECT GUTENBERG EBOOK DAWN ***\n\nThe licence.\n";

TEST(ControllerReading, a_script_is_recognised_whatever_was_answered_when_it_was_made) {
    const Strings questions = {std::string(kBlankLinesQuestion), std::string(kGutenbergQuestion),
                               std::string(kTypographicQuotesQuestion)};
    // What each answer reads the text as, yes and no, in the log's words.
    const std::vector<std::pair<const char*, const char*>> words = {
        {"blank lines as paragraph breaks", "blank lines not as paragraph breaks"},
        {"without the Project Gutenberg header and licence",
         "with the Project Gutenberg header and licence"},
        {"typographic quotes as double quotes", "typographic quotes as they are"},
    };
    const std::vector<Step> named = {{Step::Line, "ANN"}};
    for (unsigned noes = 0; noes < 8; ++noes) {
        Answers answers;
        std::string read = "The text is read as when Script.htm was made: ";
        for (std::size_t i = 0; i < questions.size(); ++i) {
            const bool yes = ((noes >> i) & 1U) == 0;
            answers[questions[i]] = yes;
            read += std::string(i == 0 ? "" : ", ") + (yes ? words[i].first : words[i].second);
        }
        read += ".";
        SCOPED_TRACE(read);

        const test::TempDir dir;
        {
            ControllerRun made(dir);
            made.view.answersTo = answers;
            made.Open(kAllThree);
            EXPECT_EQ(Asked(made.view), questions);
            if (made.controller.IsAcceptingCommands()) {
                test::Perform(made.view, made.controller, named.front());
            }
        }
        const bool finished = test::ReadAll(dir / "Script.htm").ends_with("</HTML>");

        // Opened again with other defaults: nothing is asked, the script is recognised.
        ControllerRun again(dir);
        again.view.answer = false;
        again.view.startAnewAnswer = false;
        again.OpenAgain();
        EXPECT_EQ(Asked(again.view), Strings{}) << "the reading questions are not asked again";
        if (finished) {
            EXPECT_TRUE(WasCalled(again.view, "AskToStartAnew:"));
            EXPECT_EQ(again.view.explanations, Strings{FinishedScriptLeft("Script.htm")});
            continue;
        }
        EXPECT_TRUE(WasCalled(again.view, "AskToContinue:Script.htm already holds 1 lines"));
        EXPECT_EQ(again.view.explanations,
                  (Strings{read, GoingOn("Script.htm", 1, ScriptFormat::ScreenPlay, true)}));
        again.controller.GenerateWithoutNames();
        std::vector<Step> all = named;
        all.push_back(kRest);
        EXPECT_EQ(again.Script(), MadeWith(kAllThree, answers, all));
    }
}

TEST(ControllerReading, with_no_script_of_the_text_the_questions_are_asked_for_a_new_one) {
    const test::TempDir dir;
    test::TempDir::WriteIn(dir.Path(), "Script.htm", test::FreshRun({kRest}));
    ControllerRun run(dir);
    run.Open(kAllThree);
    EXPECT_EQ(Asked(run.view).size(), 3U);
    EXPECT_EQ(run.view.dialogue, "Hi.");
    EXPECT_EQ(run.view.explanations, Strings{KeptBackup("Script.htm", "Script.htm.bak")});
}

TEST(ControllerReading, a_changed_text_is_refused_at_its_own_line) {
    // Lines 1 to 4 are Project Gutenberg's header, left out; the book is read by its blank
    // lines, and the paragraph at lines 7 and 8 is changed after the first line is named.
    const std::string before =
        "The Project Gutenberg eBook of Dawn\n\n"
        "*** START OF THE PROJECT GUTENBERG EBOOK DAWN ***\n\n"
        "\"Hi,\" said Ann.\n\nThey waited\nlong.\n\n\"Bye,\" said Tom.\n\n"
        "*** END OF THE PROJECT GUTENBERG EBOOK DAWN ***\n";
    std::string after = before;
    after.replace(after.find("long."), 5, "a while.");
    const test::TempDir dir;
    {
        ControllerRun made(dir);
        made.Open(before);
        test::Perform(made.view, made.controller, {Step::Line, "ANN"});
    }
    ControllerRun changed(dir);
    changed.controller.ContinueOnly();
    changed.Open(after);
    EXPECT_EQ(changed.view.explanations,
              Strings{"Script.htm was left as it is: it is a script of this text as it was "
                      "before a change (they part at line 7 of the text)."});
    EXPECT_EQ(Asked(changed.view), Strings{});

    const std::string_view document = "One.\r\n\r\nTwo\r\nlines.\r\n\r\nThree.";
    EXPECT_EQ(PlaceInText(document, document.find("Three"), true), "paragraph 3 of the document");
    EXPECT_EQ(PlaceInText(document, document.find("Three"), false), "line 6 of the text");
}

fs::path TestData() {
    const char* data = std::getenv("VELMORA_TEST_DATA");
    return fs::path(data != nullptr ? data : "tests/data");
}

TEST(ControllerReading, documents_open_as_texts_do_and_give_the_same_lines) {
    const Strings names = test::SpeakerNames(
        test::ReadAll(TestData() / "pride-and-prejudice-first-100-speakers.txt"));
    ASSERT_EQ(names.size(), 100U);
    Strings first;
    for (const char* file : {"chapters.pandoc.docx", "chapters.pandoc.odt",
                             "chapters.pandoc-epub2.epub", "chapters.libreoffice.epub"}) {
        SCOPED_TRACE(file);
        const std::string bytes = test::ReadAll(TestData() / "documents" / file);
        ASSERT_FALSE(bytes.empty());
        ControllerRun run;
        run.Write(file, bytes);
        run.OpenAgain(file);
        EXPECT_EQ(run.view.status, "Text file loaded successfully");
        for (std::size_t line = 0; line < names.size() && run.controller.IsAcceptingCommands();
             ++line) {
            test::Perform(run.view, run.controller, {Step::Line, names[line]});
        }
        run.controller.GenerateWithoutNames();
        EXPECT_EQ(Asked(run.view), Strings{});
        EXPECT_EQ(test::ReadAll(run / file), bytes) << "the document is never written";
        const Strings lines = test::ScreenPlayLines(run.Script());
        if (first.empty()) {
            first = lines;
            EXPECT_GT(first.size(), 50U);
            EXPECT_EQ(first.front(),
                      "<CENTER>MRS. BENNET</CENTER><DD>(said his lady to him one day)</DD><DD>My "
                      "dear Mr. Bennet, have you heard that Netherfield Park is let at last?</DD>");
        } else {
            EXPECT_EQ(lines, first);
        }
    }
}

TEST(ControllerReading, a_document_that_cannot_be_read_fails_to_load_and_says_why) {
    ControllerRun run;
    run.Open("PK not really an archive", "broken.epub");
    EXPECT_EQ(run.view.status, "*** Error - Text file failed to load ***");
    EXPECT_EQ(run.view.explanations,
              Strings{"This file is not a ZIP archive, as every EPUB document is, so Velmora "
                      "cannot read it as one."});
    EXPECT_FALSE(fs::exists(run / "Script.htm"));
    EXPECT_FALSE(run.controller.IsAcceptingCommands());
}

}  // namespace
}  // namespace velmora
