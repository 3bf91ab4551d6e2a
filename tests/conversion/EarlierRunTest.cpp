// Reading an earlier script back: whether it is one of this text, finished or not, and if
// not why not; and how much of it that takes.
#include "conversion/EarlierRun.h"

#include "script/ScriptSource.h"
#include "tests/conversion/ControllerFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace velmora {
namespace {

using test::FreshRun;
using test::kScene;
using test::Step;
using Verdict = EarlierRun::Verdict;

const std::vector<Step> kTwoLinesAndANote = {
    {Step::Line, "TOM"}, {Step::Note, "later"}, {Step::Line, "ANN"}};

EarlierRun Recognise(std::string_view script, ScriptFormat preferred = ScriptFormat::ScreenPlay,
                     std::string_view text = kScene) {
    return RecogniseEarlierRun(text, preferred, CharacterSet::Ascii, script);
}

TEST(EarlierRun, says_what_a_script_is_and_why_it_cannot_be_gone_on_with) {
    const std::string unfinished = FreshRun(kTwoLinesAndANote);
    const std::string finished = FreshRun({{Step::Line, "TOM"}, {Step::Rest, ""}});
    const std::string stage = FreshRun(kTwoLinesAndANote, kScene, false);
    std::string changedText(kScene);
    changedText.replace(changedText.find("Come in"), 7, "Go away");
    const std::string start = FreshRun({});
    struct Case {
        const char* label;
        std::string script;
        ScriptFormat preferred;
        Verdict verdict;
        ScriptFormat format;
        int lines;
        std::int64_t keptLength;
    };
    const auto size = [](const std::string& bytes) {
        return static_cast<std::int64_t>(bytes.size());
    };
    const Case cases[] = {
        {"unfinished", unfinished, ScriptFormat::ScreenPlay, Verdict::Unfinished,
         ScriptFormat::ScreenPlay, 2, size(unfinished)},
        {"unfinished, the other format chosen", stage, ScriptFormat::ScreenPlay,
         Verdict::Unfinished, ScriptFormat::StagePlay, 2, size(stage)},
        {"an editor's line break after the last command", unfinished + "\n",
         ScriptFormat::ScreenPlay, Verdict::Unfinished, ScriptFormat::ScreenPlay, 2,
         size(unfinished)},
        {"an editor's spaces and CR LF", unfinished + "  \r\n", ScriptFormat::StagePlay,
         Verdict::Unfinished, ScriptFormat::ScreenPlay, 2, size(unfinished)},
        {"the last command cut short", unfinished + "<BR><CENTER>TO", ScriptFormat::ScreenPlay,
         Verdict::Unfinished, ScriptFormat::ScreenPlay, 2, size(unfinished)},
        {"cut before its first line of dialogue", start.substr(0, 12), ScriptFormat::ScreenPlay,
         Verdict::Unfinished, ScriptFormat::ScreenPlay, 0, 0},
        {"empty", "", ScriptFormat::StagePlay, Verdict::Unfinished, ScriptFormat::StagePlay, 0, 0},
        {"finished", finished, ScriptFormat::ScreenPlay, Verdict::Finished,
         ScriptFormat::ScreenPlay, 5, size(finished)},
        {"finished, with an editor's line break", finished + "\r\n", ScriptFormat::ScreenPlay,
         Verdict::Finished, ScriptFormat::ScreenPlay, 5, size(finished)},
        {"not a script", "PK\x03\x04 a zip file", ScriptFormat::ScreenPlay, Verdict::NotAScript,
         ScriptFormat::ScreenPlay, 0, 0},
        {"of another text",
         FreshRun({{Step::Line, "TOM"}}, "It was early.\r\n\r\n\"Who?\" asked Tom.\r\n\r\n\"Me.\""),
         ScriptFormat::ScreenPlay, Verdict::OtherText, ScriptFormat::ScreenPlay, 0, 0},
        {"of this text before a change",
         FreshRun({{Step::Line, "TOM"}, {Step::Line, "ANN"}, {Step::Line, "TOM"}}, changedText),
         ScriptFormat::ScreenPlay, Verdict::ChangedText, ScriptFormat::ScreenPlay, 2, 0},
        {"more after the closing tag", finished + "<P>edited</P>", ScriptFormat::ScreenPlay,
         Verdict::ChangedText, ScriptFormat::ScreenPlay, 5, 0},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        const EarlierRun run = Recognise(row.script, row.preferred);
        EXPECT_EQ(run.verdict, row.verdict);
        EXPECT_EQ(run.IsOfThisText(),
                  row.verdict == Verdict::Unfinished || row.verdict == Verdict::Finished);
        EXPECT_EQ(run.format, row.format);
        EXPECT_EQ(run.lines, row.lines);
        if (run.IsOfThisText()) {
            EXPECT_EQ(run.keptLength, row.keptLength);
        }
    }
}

// Only a name or a note can be cut short: narration where a line of dialogue waits, or the
// other format's markup, parts from the text. Taken for a command cut short, the script
// would be cut back to before it, and its named lines lost.
TEST(EarlierRun, narration_or_the_other_format_is_no_command_cut_short) {
    const std::string text = "\"Hi,\" said Ann.\r\n\r\nThey waited.\r\n\r\n\"Bye,\" said Tom.";
    std::string changed = text;
    changed.replace(changed.find("waited"), 6, "left");
    const EarlierRun otherFormat =
        Recognise(FreshRun({{Step::Line, "ANN"}}, text), ScriptFormat::StagePlay, changed);
    EXPECT_EQ(otherFormat.verdict, Verdict::ChangedText);

    const std::string_view noDialogue = "It was late.\r\n\r\nHi, said Ann.";
    const EarlierRun narration = Recognise(FreshRun({}, noDialogue), ScriptFormat::ScreenPlay,
                                           "It was late.\r\n\r\n\"Hi,\" said Ann.");
    EXPECT_FALSE(narration.IsOfThisText());
}

// A finished script gives back its names and notes too, for whatever reads it later.
TEST(EarlierRun, a_finished_script_gives_its_steps_in_order) {
    const std::vector<Step> steps = {
        {Step::Line, "TOM"},     {Step::Note, "later"}, {Step::Line, "ANN"}, {Step::Line, "TOM"},
        {Step::Note, "a pause"}, {Step::Line, "EVE"},   {Step::Line, "TOM"}};
    for (const bool screenPlay : {true, false}) {
        SCOPED_TRACE(screenPlay ? "screen play" : "stage play");
        const EarlierRun run = Recognise(FreshRun(steps, kScene, screenPlay));
        ASSERT_EQ(run.verdict, Verdict::Finished);
        std::vector<EarlierRun::Step> expected;
        expected.reserve(steps.size());
        for (const Step& step : steps) {
            expected.push_back(test::WalkStepOf(step));
        }
        EXPECT_EQ(run.steps, expected);
        EXPECT_EQ(run.lines, 5);
    }
}

TEST(EarlierRun, says_on_which_line_of_the_text_a_changed_script_parts) {
    std::string changedText(kScene);
    changedText.replace(changedText.find("The door"), 8, "A window");
    const EarlierRun run = Recognise(FreshRun({{Step::Line, "TOM"}, {Step::Line, "ANN"}}),
                                     ScriptFormat::ScreenPlay, changedText);
    ASSERT_EQ(run.verdict, Verdict::ChangedText);
    EXPECT_EQ(LineNumberAt(changedText, run.partsAt), 7);

    const std::pair<std::string_view, int> lines[] = {
        {"a\r\nb\r\nc", 3}, {"a\nb\nc", 3}, {"a\rb\rc", 3}, {"a\r\n\r\nb", 3}, {"abc", 1}};
    for (const auto& [text, line] : lines) {
        EXPECT_EQ(LineNumberAt(text, text.size() - 1), line) << text;
    }
}

// Counts what is asked of a script: recognition reads only as far as it needs.
class CountingSource final : public ScriptSource {
public:
    explicit CountingSource(std::string_view bytes) : bytes_(bytes) {}
    std::string_view From(std::int64_t offset, std::size_t count) override {
        const std::string_view part = bytes_.From(offset, count);
        furthest_ = std::max(furthest_, static_cast<std::size_t>(offset) + part.size());
        return part;
    }
    [[nodiscard]] std::size_t Furthest() const noexcept { return furthest_; }

private:
    ScriptBytes bytes_;
    std::size_t furthest_ = 0;
};

TEST(EarlierRun, reads_a_large_script_only_as_far_as_it_holds_this_text) {
    const std::string junk(32U << 20U, 'x');
    struct Case {
        const char* label;
        std::string script;
    };
    const Case cases[] = {
        {"not a script", junk},
        {"a script of another text", "<HTML><BR>Something else.<BR>" + junk},
        {"this text, then something else", FreshRun({{Step::Line, "TOM"}}) + junk},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        CountingSource source(row.script);
        const EarlierRun run =
            RecogniseEarlierRun(kScene, ScriptFormat::ScreenPlay, CharacterSet::Ascii, source);
        EXPECT_FALSE(run.IsOfThisText());
        EXPECT_LT(source.Furthest(), std::size_t{1} << 20U);
    }
}

}  // namespace
}  // namespace velmora
