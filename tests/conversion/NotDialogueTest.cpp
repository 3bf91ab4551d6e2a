// "Not Dialogue": the pending paragraph written whole as narration, quotes and all, taken
// back by Undo, read back when a script is gone on with, and guessed by the hint.
#include "conversion/ConversionController.h"
#include "conversion/EarlierRun.h"

#include "tests/conversion/ControllerFixture.h"
#include "tests/conversion/RecordingView.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace velmora {
namespace {

using Lines = std::vector<std::string>;
using test::FreshRun;
using test::Perform;
using test::Step;
using test::StoppedRun;
using Verdict = EarlierRun::Verdict;

// A sign (with a byte the script escapes) and a word quoted in a sentence among a line of
// dialogue, then narration to the end.
constexpr std::string_view kSigns =
    "The inn stood by the road.\r\n\r\n"
    "Over its door hung a board: \"The Bell & Crown\".\r\n\r\n"
    "\"Come in,\" said Tom.\r\n\r\n"
    "They went in.\r\n\r\n"
    "She called it \"a cottage\".\r\n\r\n"
    "End.";

const std::vector<Step> kSignSteps = {{Step::NotDialogue, ""},
                                      {Step::Line, "TOM"},
                                      {Step::Note, "a cottage?"},
                                      {Step::NotDialogue, ""}};

struct FormatCase {
    const char* label;
    bool screenPlay;
    // What opening writes, then what each of kSignSteps adds.
    std::vector<std::string> added;

    // The script after the given number of steps.
    [[nodiscard]] std::string After(std::size_t steps) const {
        std::string script;
        for (std::size_t i = 0; i <= steps; ++i) {
            script += added.at(i);
        }
        return script;
    }
    [[nodiscard]] std::string Finished() const { return After(added.size() - 1); }
};

const FormatCase kFormats[] = {
    {"screen play",
     true,
     {"<HTML><BR>The inn stood by the road.<BR>",
      "<BR>Over its door hung a board: \"The Bell &amp; Crown\".<BR>",
      std::string("<BR><CENTER>TOM</CENTER><DD>(said Tom)</DD><DD>Come in.</DD><BR>") +
          "<BR>They went in.<BR>",
      "<BR>NOTE: a cottage?<BR>",
      std::string("<BR>She called it \"a cottage\".<BR>") + "<BR>End.<BR></HTML>"}},
    // The stage play trims narration as it trims a parenthetical: the full stops after the
    // closing quotes go, the quotes stay.
    {"stage play",
     false,
     {"<HTML><BR><DD><I>(The inn stood by the road)</I></DD>",
      "<BR><DD><I>(Over its door hung a board: \"The Bell &amp; Crown\")</I></DD>",
      std::string("<BR><B><CENTER>TOM</CENTER></B><DD><I>(said Tom)</I></DD>Come in.<BR>") +
          "<BR><DD><I>(They went in)</I></DD>",
      "<BR><DD><I>(NOTE: a cottage?)</I></DD>",
      std::string("<BR><DD><I>(She called it \"a cottage\")</I></DD>") +
          "<BR><DD><I>(End)</I></DD></HTML>"}},
};

std::vector<EarlierRun::Step> WalkStepsOf(const std::vector<Step>& steps) {
    std::vector<EarlierRun::Step> walked;
    std::transform(steps.begin(), steps.end(), std::back_inserter(walked), test::WalkStepOf);
    return walked;
}

TEST(NotDialogue, writes_the_paragraph_whole_as_narration_and_walks_on) {
    for (const FormatCase& format : kFormats) {
        SCOPED_TRACE(format.label);
        test::ControllerRun run;
        run.view.screenPlay = format.screenPlay;
        run.Open(kSigns);
        ASSERT_EQ(run.Script(), format.After(0));
        ASSERT_EQ(run.view.dialogue, "The Bell & Crown");

        Perform(run.view, run.controller, kSignSteps[0]);
        EXPECT_EQ(run.Script(), format.After(1));
        EXPECT_EQ(run.view.dialogue, "Come in.");
        EXPECT_EQ(run.view.status, "Text file loaded successfully") << "as after Generate Line";
        EXPECT_EQ(run.view.log.back(), "") << "the next paragraph is logged as the walk goes";
        EXPECT_EQ(run.view.log.at(run.view.log.size() - 2), "\"Come in,\" said Tom.");

        for (std::size_t step = 1; step < kSignSteps.size(); ++step) {
            Perform(run.view, run.controller, kSignSteps[step]);
            EXPECT_EQ(run.Script(), format.After(step + 1)) << "after step " << step;
        }
        // The last line written as narration ends the text, as a named one would.
        EXPECT_TRUE(run.controller.IsScriptFinished());
        EXPECT_EQ(run.view.status, "Script.html successfully generated");
        EXPECT_EQ(run.view.dialogue, "");
        EXPECT_EQ(Lines(run.view.log.end() - 4, run.view.log.end()),
                  (Lines{"End.", "", "", "<END OF FILE>"}));
    }
}

TEST(NotDialogue, is_refused_as_every_generate_command_is_when_no_line_waits) {
    test::ControllerRun run;
    run.controller.NotDialogue();
    EXPECT_EQ(run.view.status, "*** Error - Files are not open ***");
    run.Open("No dialogue at all.");
    run.controller.NotDialogue();
    EXPECT_EQ(run.view.status, "*** Error - Files are not open ***");
    EXPECT_EQ(run.Script(), "<HTML><BR>No dialogue at all.<BR></HTML>");
}

// Everything the user sees of a run, to compare before and after Undo.
struct Seen {
    std::string script;
    Lines log;
    std::string dialogue;
    std::string status;
    bool finished = false;

    friend bool operator==(const Seen&, const Seen&) = default;
};

Seen SeenIn(const test::ControllerRun& run) {
    return {run.Script(), run.view.log, run.view.dialogue, run.view.status,
            run.controller.IsScriptFinished()};
}

TEST(NotDialogue, is_taken_back_by_undo_also_when_it_finished_the_script) {
    for (const FormatCase& format : kFormats) {
        SCOPED_TRACE(format.label);
        test::ControllerRun run;
        run.view.screenPlay = format.screenPlay;
        run.Open(kSigns);
        std::vector<Seen> before;
        for (const Step& step : kSignSteps) {
            before.push_back(SeenIn(run));
            Perform(run.view, run.controller, step);
        }
        ASSERT_TRUE(run.controller.IsScriptFinished());
        while (!before.empty()) {
            run.controller.Undo();
            EXPECT_EQ(SeenIn(run), before.back()) << "undo " << before.size();
            before.pop_back();
        }
        EXPECT_FALSE(run.controller.CanUndo());
        // And done again after the undo, it writes the same bytes.
        for (const Step& step : kSignSteps) {
            Perform(run.view, run.controller, step);
        }
        EXPECT_EQ(run.Script(), format.Finished());
    }
}

// Stopped after any number of steps, the script is read back step for step and gone on
// with byte for byte as if the window had never closed.
TEST(NotDialogue, is_read_back_and_gone_on_with_after_any_step) {
    for (const FormatCase& format : kFormats) {
        const std::string uninterrupted = FreshRun(kSignSteps, kSigns, format.screenPlay);
        ASSERT_EQ(uninterrupted, format.Finished());
        for (std::size_t stop = 0; stop <= kSignSteps.size(); ++stop) {
            SCOPED_TRACE(std::string(format.label) + ", stopped after " + std::to_string(stop));
            const std::vector<Step> done(kSignSteps.begin(),
                                         kSignSteps.begin() + static_cast<std::ptrdiff_t>(stop));
            const test::TempDir dir;
            StoppedRun(dir, done, kSigns, format.screenPlay);
            const std::string stopped = test::ReadAll(dir / "Script.htm");

            // Read with the other format chosen: the script says which it is.
            const EarlierRun run = RecogniseEarlierRun(
                kSigns, format.screenPlay ? ScriptFormat::StagePlay : ScriptFormat::ScreenPlay,
                CharacterSet::Ascii, stopped);
            const bool last = stop == kSignSteps.size();
            EXPECT_EQ(run.verdict, last ? Verdict::Finished : Verdict::Unfinished);
            EXPECT_EQ(run.steps, WalkStepsOf(done));
            EXPECT_EQ(run.lines, stop >= 2 ? 1 : 0);
            EXPECT_EQ(run.keptLength, static_cast<std::int64_t>(stopped.size()));
            if (last) {
                continue;
            }
            test::ControllerRun again(dir);
            again.OpenAgain();
            for (std::size_t step = stop; step < kSignSteps.size(); ++step) {
                Perform(again.view, again.controller, kSignSteps[step]);
            }
            EXPECT_EQ(again.Script(), uninterrupted);
        }
    }
}

TEST(NotDialogue, read_back_drops_it_when_cut_short_and_parts_where_the_text_changed) {
    const std::string afterOpen = FreshRun({}, kSigns);
    const std::string afterOne = FreshRun({kSignSteps[0]}, kSigns);
    std::string changedText(kSigns);
    changedText.replace(changedText.find("Bell"), 4, "Bull");
    struct Case {
        const char* label;
        std::string script;
        std::string_view text;
        Verdict verdict;
        std::size_t steps;
        std::int64_t keptLength;
    };
    const auto size = [](const std::string& bytes) {
        return static_cast<std::int64_t>(bytes.size());
    };
    const Case cases[] = {
        {"cut inside the narration", afterOne.substr(0, afterOpen.size() + 20), kSigns,
         Verdict::Unfinished, 0, size(afterOpen)},
        {"cut before its closing line break", afterOne.substr(0, afterOne.size() - 1), kSigns,
         Verdict::Unfinished, 0, size(afterOpen)},
        {"whole, an editor's line break after it", afterOne + "\r\n", kSigns, Verdict::Unfinished,
         1, size(afterOne)},
        {"of the paragraph as it was before a change", afterOne, changedText, Verdict::ChangedText,
         0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const EarlierRun run =
            RecogniseEarlierRun(c.text, ScriptFormat::ScreenPlay, CharacterSet::Ascii, c.script);
        EXPECT_EQ(run.verdict, c.verdict);
        EXPECT_EQ(run.steps.size(), c.steps);
        if (run.IsOfThisText()) {
            EXPECT_EQ(run.keptLength, c.keptLength);
        }
    }
}

// Narration holding exactly the pending paragraph is Not Dialogue; a note there stays a
// note. A paragraph that itself starts with "NOTE: " is read as Not Dialogue, the one
// reading of bytes a note could also have written.
TEST(NotDialogue, read_back_tells_it_from_a_note) {
    constexpr std::string_view kNoticeText =
        "NOTE: \"Closed on Sundays\"\r\n\r\n\"Is it Sunday?\" asked Tom.\r\n\r\nEnd.";
    struct Run {
        std::vector<Step> steps;
        Verdict verdict;
    };
    const Run runs[] = {
        {{{Step::Note, "\"Closed"}, {Step::NotDialogue, ""}}, Verdict::Unfinished},
        // The first paragraph is Tom's line here; its note leaves out the closing quote.
        {{{Step::Note, "\"Closed on Sundays"}, {Step::Line, "TOM"}}, Verdict::Unfinished},
        {{{Step::NotDialogue, ""}, {Step::Line, "TOM"}}, Verdict::Finished},
    };
    for (const Run& r : runs) {
        // Read with the screen play preferred: a stage play script is told by its markup.
        for (const bool screenPlay : {true, false}) {
            const std::string script = FreshRun(r.steps, kNoticeText, screenPlay);
            SCOPED_TRACE(script);
            const EarlierRun run = RecogniseEarlierRun(kNoticeText, ScriptFormat::ScreenPlay,
                                                       CharacterSet::Ascii, script);
            EXPECT_EQ(run.verdict, r.verdict);
            EXPECT_EQ(run.format, screenPlay ? ScriptFormat::ScreenPlay : ScriptFormat::StagePlay);
            EXPECT_EQ(run.steps, WalkStepsOf(r.steps));
        }
    }
}

// The hint guesses Not Dialogue for a word quoted in a sentence when no slot holds NARRATOR,
// and the NARRATOR slot where one does.
TEST(NotDialogue, is_hinted_for_a_word_quoted_in_a_sentence) {
    constexpr std::string_view kText =
        "Their house was a \"cottage\" of eight rooms.\r\n\r\n\"Come in,\" said Tom.";
    for (const bool narratorSlot : {false, true}) {
        SCOPED_TRACE(narratorSlot ? "a NARRATOR slot" : "no NARRATOR slot");
        test::ControllerRun run;
        run.view.names[0] = "TOM";
        if (narratorSlot) {
            run.view.names[2] = "NARRATOR";
        }
        run.Open(kText);
        EXPECT_EQ(run.view.hintedSlot, narratorSlot ? 3 : test::RecordingView::kNotDialogueHinted);
        // Written as narration, the next line's hint is a slot again.
        run.controller.NotDialogue();
        EXPECT_EQ(run.view.hintedSlot, 1);
        run.controller.Undo();
        EXPECT_EQ(run.view.hintedSlot, narratorSlot ? 3 : test::RecordingView::kNotDialogueHinted);
    }
}

}  // namespace
}  // namespace velmora
