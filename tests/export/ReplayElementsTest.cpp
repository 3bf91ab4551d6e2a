#include "export/ReplayElements.h"

#include "export/DisplayText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using Kind = ElementKind;
using Step = EarlierRun::Step;
using Steps = std::vector<Step>;

std::vector<ScriptElement> Replay(std::string_view text, const Steps& steps, bool finished,
                                  ScriptFormat format = ScriptFormat::ScreenPlay,
                                  CharacterSet set = CharacterSet::Ascii) {
    ReplaySource source;
    source.text = text;
    source.set = set;
    source.format = format;
    source.steps = steps;
    source.finished = finished;
    return ReplayElements(source);
}

constexpr std::string_view kNovel =
    "It was dark.\r\n\r\n"
    "\"Hello,\" said John, \"how are you?\"\r\n\r\n"
    "\"Well.\"\r\n\r\n"
    "The end\r\nof it all.\r\n\r\n"
    "\"Bye,\" she said.";

TEST(ReplayElements, walks_the_text_with_the_names_and_notes_as_the_script_holds_them) {
    const Steps steps = {Step::Line("JOHN"), Step::Note("a look"), Step::Line("Mary"),
                         Step::Line("")};
    const std::vector<ScriptElement> expected = {
        {Kind::Narration, "It was dark."},
        {Kind::CharacterName, "JOHN"},
        {Kind::Parenthetical, "said John"},
        {Kind::Dialogue, "Hello, how are you?"},
        {Kind::Note, "a look"},
        {Kind::CharacterName, "Mary"},
        {Kind::Dialogue, "Well."},
        {Kind::Narration, "The end of it all."},
        {Kind::CharacterName, ""},
        {Kind::Parenthetical, "she said"},
        {Kind::Dialogue, "Bye."},
    };
    EXPECT_EQ(Replay(kNovel, steps, false), expected);
}

TEST(ReplayElements, a_paragraph_that_is_not_dialogue_is_narration_quotes_and_all) {
    const std::vector<ScriptElement> expected = {
        {Kind::Narration, "It was dark."},
        {Kind::Narration, "\"Hello,\" said John, \"how are you?\""},
        {Kind::CharacterName, "MARY"},
        {Kind::Dialogue, "Well."},
        {Kind::Narration, "The end of it all."},
    };
    const auto elements = Replay(kNovel, {Step::NotDialogue(), Step::Line("MARY")}, false);
    EXPECT_EQ(elements, expected);
}

TEST(ReplayElements, an_unfinished_script_stops_at_its_pending_line) {
    const auto elements = Replay(kNovel, {Step::Line("JOHN")}, false);
    ASSERT_EQ(elements.size(), 4U);
    EXPECT_EQ(elements.back(), (ScriptElement{Kind::Dialogue, "Hello, how are you?"}));
}

TEST(ReplayElements, a_finished_script_ends_as_the_bulk_completion_wrote_it) {
    const auto elements = Replay(kNovel, {Step::Line("JOHN")}, true);
    ASSERT_EQ(elements.size(), 10U);
    EXPECT_EQ(elements[4], (ScriptElement{Kind::CharacterName, "CHARACTERNAME"}));
    EXPECT_EQ(elements[7], (ScriptElement{Kind::CharacterName, "CHARACTERNAME"}));
    EXPECT_EQ(elements.back(), (ScriptElement{Kind::Dialogue, "Bye."}));
}

TEST(ReplayElements, steps_past_the_end_of_the_text_are_ignored) {
    const Steps steps(10, Step::Line("X"));
    const auto elements = Replay("\"One.\"", steps, true);
    EXPECT_EQ(elements.size(), 2U);
}

TEST(ReplayElements, a_stage_play_trims_its_narration_like_a_direction) {
    const auto elements = Replay("It was dark.\r\n\r\n  ,.\r\n\r\n\"Hi.\"",
                                 {Step::Note(""), Step::Line("A")}, false, ScriptFormat::StagePlay);
    const std::vector<ScriptElement> expected = {
        {Kind::Narration, "It was dark"},  // a paragraph trimmed to nothing is no element
        {Kind::Note, ""},
        {Kind::CharacterName, "A"},
        {Kind::Dialogue, "Hi."},
    };
    EXPECT_EQ(elements, expected);
}

TEST(ReplayElements, typographic_quotes_read_as_the_run_read_them) {
    ReplaySource source;
    const std::string text = "\xE2\x80\x9CHi,\xE2\x80\x9D said Zo\xC3\xAB.";
    source.text = text;
    source.set = CharacterSet::Utf8;
    const Steps steps = {Step::Line("Zo\xC3\xAB")};
    source.steps = steps;
    EXPECT_EQ(ReplayElements(source).size(), 1U) << "without: all narration";
    source.quotesStraightened = true;
    const std::vector<ScriptElement> expected = {
        {Kind::CharacterName, "Zo\xC3\xAB"},
        {Kind::Parenthetical, "said Zo\xC3\xAB"},
        {Kind::Dialogue, "Hi."},
    };
    EXPECT_EQ(ReplayElements(source), expected);
}

TEST(DisplayText, shows_the_text_as_a_reader_of_the_script_sees_it) {
    struct Case {
        std::string_view bytes;
        CharacterSet set;
        std::string_view shown;
    };
    const Case cases[] = {
        {"  two\r\n  lines\t here \r\n", CharacterSet::Ascii, "two lines here"},
        {"caf\xE9 \x93quoted\x94 \x80", CharacterSet::Windows1252,
         "caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC"},
        {"form\x0C"
         "feed\x01",
         CharacterSet::Ascii, "form feed"},
        {"bad \xC3 byte", CharacterSet::Utf8, "bad \xEF\xBF\xBD byte"},
        {"\xEF\xBF\xBF", CharacterSet::Utf8, "\xEF\xBF\xBD"},
        {"\x81undefined\x9D", CharacterSet::Windows1252, "undefined"},
        {"\xC2\xA0kept", CharacterSet::Utf8, "\xC2\xA0kept"},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(DisplayText(test.bytes, test.set), test.shown) << test.bytes;
    }
}

}  // namespace
}  // namespace velmora
