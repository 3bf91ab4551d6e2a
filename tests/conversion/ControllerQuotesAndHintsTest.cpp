// The controller's offer to read typographic quotes as double quotes, and the speaker hint
// it gives each time a line of dialogue is shown.

#include "conversion/ConversionController.h"

#include "tests/conversion/ControllerFixture.h"
#include "tests/conversion/RecordingView.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace velmora {
namespace {

constexpr std::string_view kQuestion =
    "This text marks dialogue with typographic quotes (\xE2\x80\x9C \xE2\x80\x9D). "
    "Treat them as double quotes?";

class ControllerQuotesAndHintsTest : public test::ControllerFixture {
protected:
    // The arguments of every call of one view operation, in order.
    [[nodiscard]] std::vector<std::string> ArgumentsOf(std::string_view operation) const {
        return ArgumentsOf(view_, operation);
    }
    [[nodiscard]] static std::vector<std::string> ArgumentsOf(const test::RecordingView& view,
                                                              std::string_view operation) {
        const std::string prefix = std::string(operation) + ":";
        std::vector<std::string> arguments;
        for (const auto& call : view.calls) {
            if (call.starts_with(prefix)) {
                arguments.push_back(call.substr(prefix.size()));
            }
        }
        return arguments;
    }
    [[nodiscard]] std::vector<std::string> Questions() const { return ArgumentsOf("AskYesNo"); }
    [[nodiscard]] std::vector<std::string> Hints() const { return ArgumentsOf("ShowSpeakerHint"); }
};

struct QuotedText {
    const char* label;
    std::string text;
    bool asked;
    std::string dialogueIfYes;
    std::string_view scriptStart;
};

TEST_F(ControllerQuotesAndHintsTest, asks_only_for_texts_marked_with_typographic_quotes_alone) {
    const std::vector<QuotedText> cases = {
        {"UTF-8", "\xE2\x80\x9CHi,\xE2\x80\x9D he said.", true, "Hi.",
         "<HTML><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">"},
        {"Windows-1252", "\x93Hi,\x94 he said. Caf\xE9.", true, "Hi.",
         "<HTML><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">"},
        {"ASCII quotes too", "\"Hi,\" he said. \xE2\x80\x9Cso\xE2\x80\x9D", false, "Hi.", "<HTML>"},
        {"no quotes at all", "He said nothing.", false, "", "<HTML><BR>"},
    };
    for (const auto& c : cases) {
        test::ControllerRun run;
        run.Open(c.text);
        const auto& view = run.view;
        const bool asked = std::count(view.calls.begin(), view.calls.end(),
                                      "AskYesNo:" + std::string(kQuestion)) == 1;
        EXPECT_EQ(asked, c.asked) << c.label;
        EXPECT_EQ(view.dialogue, c.dialogueIfYes) << c.label;
        EXPECT_TRUE(run.Script().starts_with(c.scriptStart)) << c.label;
        EXPECT_EQ(test::ReadAll(run / "novel.txt"), c.text) << c.label << ": text untouched";
    }
}

TEST_F(ControllerQuotesAndHintsTest, yes_straightens_the_quotes_in_memory_only) {
    const std::string text =
        "Dawn.\r\n\r\n\xE2\x80\x9CHello,\xE2\x80\x9D said Ann, \xE2\x80\x9C"
        "again.\xE2\x80\x9D";
    Open(text);
    EXPECT_EQ(Questions(), std::vector<std::string>{std::string(kQuestion)});
    EXPECT_EQ(view_.dialogue, "Hello, again.");
    EXPECT_EQ(view_.log.at(2), "\"Hello,\" said Ann, \"again.\"") << "the log shows the text read";
    EXPECT_EQ(view_.status, "Text file loaded successfully");

    view_.names[0] = "ANN";
    controller_.GenerateLine(1);
    EXPECT_TRUE(Script().ends_with(
        "<BR>Dawn.<BR><BR><CENTER>ANN</CENTER><DD>(said Ann)</DD><DD>Hello, again.</DD><BR>"
        "</HTML>"));
    EXPECT_EQ(test::ReadAll(dir_ / "novel.txt"), text);
}

TEST_F(ControllerQuotesAndHintsTest, no_leaves_the_typographic_quotes_as_text) {
    view_.answer = false;
    const std::string text = "\x93Hi,\x94 he said.";
    Open(text);
    EXPECT_EQ(Questions().size(), 1U);
    EXPECT_EQ(view_.dialogue, "");
    EXPECT_EQ(view_.status, "Script.html successfully generated");
    EXPECT_EQ(Script(),
              "<HTML><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
              "charset=windows-1252\"><BR>\x93Hi,\x94 he said.<BR></HTML>");
}

TEST_F(ControllerQuotesAndHintsTest, no_question_when_the_script_cannot_be_opened) {
    std::filesystem::create_directory(dir_ / "Script.htm");
    Open("\xE2\x80\x9CHi.\xE2\x80\x9D");
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(view_.status, "*** Error - Script file failed to open ***");
}

// Elizabeth speaks first and is named; Darcy answers unnamed; then they take turns.
constexpr std::string_view kExchange =
    "\"Good morning,\" said Elizabeth.\r\n\r\n"
    "\"Good morning,\" replied Mr. Darcy.\r\n\r\n"
    "\"Fine weather.\"\r\n\r\n"
    "\"Indeed.\"\r\n\r\n"
    "\"Mr. Darcy!\" called a voice, and Darcy turned.";

TEST_F(ControllerQuotesAndHintsTest, hint_follows_names_in_the_narration_then_turn_taking) {
    view_.names[0] = "ELIZABETH";
    view_.names[1] = "MR. DARCY";
    Open(kExchange);
    controller_.GenerateLine(1);  // Elizabeth
    controller_.GenerateLine(2);  // Darcy
    controller_.GenerateNote();   // a note names nobody and changes no turn
    controller_.GenerateLine(1);  // Elizabeth again, by turn
    controller_.GenerateLine(2);  // Darcy, by turn
    controller_.GenerateLine(2);

    const std::vector<std::string> hints = {
        "1,0",  // "said Elizabeth"
        "2,1",  // "replied Mr. Darcy"
        "1,2",  // turn-taking: slot 1 spoke two lines back
        "2,1",  // turn-taking
        "1,2",  // "Mr. Darcy!" calls the one who turns: Darcy listens, Elizabeth speaks
    };
    EXPECT_EQ(Hints(), hints);
    EXPECT_EQ(view_.status, "Script.html successfully generated");
}

TEST_F(ControllerQuotesAndHintsTest, a_speaker_in_no_slot_is_offered_as_typed_text) {
    struct Case {
        const char* label;
        std::string text;
        std::string offered;  // UTF-8, as the window shows it
    };
    const Case cases[] = {
        {"ASCII", "\"Hello,\" said Elinor.\r\n\r\nEnd.", "ELINOR"},
        {"Windows-1252", "\"Bonjour,\" said Zo\xEB.\r\n\r\nFin.", "ZO\xC3\x8B"},
        {"UTF-8", "\"Bonjour,\" said Zo\xC3\xAB.\r\n\r\nFin.", "ZO\xC3\x8B"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        test::ControllerRun run;
        run.Open(row.text);
        EXPECT_EQ(ArgumentsOf(run.view, "ShowSpeakerHint"),
                  std::vector<std::string>{"0,0," + row.offered});
    }
    // Once the name is in a slot, that slot is the hint instead.
    view_.names[4] = "ELINOR";
    Open("\"Hello,\" said Elinor.\r\n\r\nEnd.");
    EXPECT_EQ(Hints(), std::vector<std::string>{"5,0"});
}

TEST_F(ControllerQuotesAndHintsTest, no_hint_while_generating_without_names) {
    Open(kExchange);
    const auto hintsBefore = Hints().size();
    controller_.GenerateWithoutNames();
    EXPECT_EQ(Hints().size(), hintsBefore);
    EXPECT_EQ(hintsBefore, 1U) << "one hint for the line shown after loading";
}

}  // namespace
}  // namespace velmora
