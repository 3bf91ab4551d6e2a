// Taking commands back with Undo, and going on with an unfinished script after the window
// was closed.
#include "conversion/ConversionController.h"

#include "tests/conversion/ControllerFixture.h"
#include "tests/conversion/RecordingView.h"
#include "tests/support/FileLock.h"
#include "tests/support/FullDisk.h"
#include "tests/support/TempDir.h"

#include "platform/FileError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

using test::FreshRun;
using test::kScene;
using test::Perform;
using test::Step;
using test::StoppedRun;

// Everything the user sees of a run, to compare before and after Undo.
struct Seen {
    std::string script;
    Lines log;
    std::string dialogue;
    std::string status;
    bool accepting = false;

    friend bool operator==(const Seen&, const Seen&) = default;
};

void PrintTo(const Seen& seen, std::ostream* out) {
    *out << "script " << ::testing::PrintToString(seen.script) << ", " << seen.log.size()
         << " log lines, dialogue " << ::testing::PrintToString(seen.dialogue) << ", status "
         << seen.status;
}

// The script in dir with its first `from` changed to `to`, as by hand in an editor.
void EditScript(const test::TempDir& dir, std::string_view from, std::string_view to) {
    std::string script = test::ReadAll(dir / "Script.htm");
    script.replace(script.find(from), from.size(), to);
    dir.Write("Script.htm", script);
}

class UndoTest : public test::ControllerFixture {
protected:
    [[nodiscard]] Seen Now() const {
        return {Script(), view_.log, view_.dialogue, view_.status,
                controller_.IsAcceptingCommands()};
    }
    // The last hint shown.
    [[nodiscard]] std::string LastHint() const {
        const auto hint = std::find_if(
            view_.calls.rbegin(), view_.calls.rend(),
            [](const std::string& call) { return call.starts_with("ShowSpeakerHint:"); });
        return hint == view_.calls.rend() ? std::string() : *hint;
    }
};

TEST_F(UndoTest, takes_back_each_kind_of_command_exactly) {
    const std::vector<std::pair<const char*, Step>> commands = {
        {"a line", {Step::Line, "ANN"}},  // as slot 1 holds: the hint sees the same names
        {"a note", {Step::Note, "call back"}},
        {"the rest without names", {Step::Rest, ""}},
    };
    Open(kScene);
    Perform(view_, controller_, {Step::Line, "TOM"});
    Perform(view_, controller_, {Step::Line, "ANN"});
    for (const auto& [label, step] : commands) {
        SCOPED_TRACE(label);
        const Seen before = Now();
        const std::string hint = LastHint();
        Perform(view_, controller_, step);
        ASSERT_NE(Now(), before);
        ASSERT_TRUE(controller_.CanUndo());
        controller_.Undo();
        EXPECT_EQ(Now(), before);
        EXPECT_EQ(LastHint(), hint) << "the hint is shown as it was, from the same slot history";
    }
    Perform(view_, controller_, {Step::Line, "EVE"});
    controller_.Undo();
    EXPECT_EQ(view_.names[0], "EVE") << "the name fields keep what was typed";
}

TEST_F(UndoTest, goes_back_line_by_line_to_the_start_and_no_further) {
    Open(kScene);
    std::vector<Seen> states = {Now()};
    for (const char* name : {"TOM", "ANN", "TOM", "ANN"}) {
        Perform(view_, controller_, {Step::Line, name});
        states.push_back(Now());
    }
    Perform(view_, controller_, {Step::Note, "a pause"});
    states.push_back(Now());
    states.pop_back();
    for (; !states.empty(); states.pop_back()) {
        ASSERT_TRUE(controller_.CanUndo());
        controller_.Undo();
        EXPECT_EQ(Now(), states.back());
    }
    EXPECT_FALSE(controller_.CanUndo());
    const Seen start = Now();
    controller_.Undo();
    EXPECT_EQ(Now(), start) << "nothing before the first command to take back";
    EXPECT_EQ(start.script, "<HTML><BR>It was late.<BR>");
}

TEST_F(UndoTest, takes_back_the_line_that_finished_the_script) {
    Open(kScene);
    for (const char* name : {"TOM", "ANN", "TOM", "ANN"}) {
        Perform(view_, controller_, {Step::Line, name});
    }
    const Seen before = Now();
    Perform(view_, controller_, {Step::Line, "TOM"});
    ASSERT_TRUE(controller_.IsScriptFinished());
    EXPECT_FALSE(test::IsLockedElsewhere(dir_ / "Script.htm"));

    controller_.Undo();
    EXPECT_FALSE(controller_.IsScriptFinished());
    EXPECT_EQ(Now(), before);
    EXPECT_TRUE(test::IsLockedElsewhere(dir_ / "Script.htm")) << "held again while it is written";
    Perform(view_, controller_, {Step::Line, "ANN"});
    EXPECT_TRUE(controller_.IsScriptFinished());
    EXPECT_EQ(Script(), FreshRun({{Step::Line, "TOM"},
                                  {Step::Line, "ANN"},
                                  {Step::Line, "TOM"},
                                  {Step::Line, "ANN"},
                                  {Step::Line, "ANN"}}));

    controller_.Undo();
    controller_.Undo();
    Perform(view_, controller_, {Step::Rest, ""});
    EXPECT_EQ(
        Script(),
        FreshRun(
            {{Step::Line, "TOM"}, {Step::Line, "ANN"}, {Step::Line, "TOM"}, {Step::Rest, ""}}));
}

TEST_F(UndoTest, undo_then_other_names_gives_the_script_of_a_run_with_those_names) {
    Open(kScene);
    for (const Step& step : std::vector<Step>{{Step::Line, "TOM"},
                                              {Step::Note, "wrong"},
                                              {Step::Line, "TOM"},
                                              {Step::Line, "TOM"}}) {
        Perform(view_, controller_, step);
    }
    controller_.Undo();
    controller_.Undo();
    controller_.Undo();
    const std::vector<Step> rest = {{Step::Line, "ANN"},
                                    {Step::Note, "right"},
                                    {Step::Line, "TOM"},
                                    {Step::Line, "EVE"},
                                    {Step::Line, "ANN"}};
    for (const auto& step : rest) {
        Perform(view_, controller_, step);
    }
    std::vector<Step> whole = {{Step::Line, "TOM"}};
    whole.insert(whole.end(), rest.begin(), rest.end());
    EXPECT_EQ(Script(), FreshRun(whole));
    EXPECT_EQ(view_.status, "Script.html successfully generated");
}

TEST_F(UndoTest, a_failed_command_is_not_an_undo_step) {
    VELMORA_NEEDS_A_FULL_DISK();
    Open(kScene);
    Perform(view_, controller_, {Step::Line, "TOM"});
    const Seen afterFirst = Now();
    {
        const test::FileSizeLimit full(afterFirst.script.size() + 5);
        EXPECT_THROW(Perform(view_, controller_, {Step::Line, "ANN"}), FileError);
    }
    EXPECT_EQ(Now(), afterFirst);
    controller_.Undo();
    EXPECT_EQ(Script(), "<HTML><BR>It was late.<BR>") << "Undo took back the line before";
    EXPECT_FALSE(controller_.CanUndo());
}

// Undo opens the finished script again only when its name still leads to the file finished
// and it holds the bytes it was finished with: a hand edit that keeps the length counts too.
TEST(UndoAfterFinishing, a_finished_script_changed_or_replaced_since_is_left_alone) {
    struct Case {
        const char* label;
        void (*change)(const test::ControllerRun& run, const std::string& finished);
        const char* explanation;
    };
    const Case cases[] = {
        {"edited in a word processor",
         [](const test::ControllerRun& run, const std::string& finished) {
             run.Write("Script.htm", finished + "<P>edited in a word processor</P>");
         },
         "Script.htm was changed after it was finished, so nothing was undone."},
        {"one letter edited, the length kept",
         [](const test::ControllerRun& run, const std::string& finished) {
             std::string edited = finished;
             edited[edited.find("late")] = 'L';
             run.Write("Script.htm", edited);
         },
         "Script.htm was changed after it was finished, so nothing was undone."},
        {"replaced by a copy of itself",
         [](const test::ControllerRun& run, const std::string& finished) {
             fs::rename(run / "Script.htm", run / "moved.htm");
             run.Write("Script.htm", finished);
         },
         "Script.htm is no longer the file Velmora finished, so nothing was undone."},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        test::ControllerRun run;
        run.Open(kScene);
        Perform(run.view, run.controller, {Step::Rest, ""});
        ASSERT_TRUE(run.controller.IsScriptFinished());
        row.change(run, run.Script());
        const std::string changed = run.Script();
        run.controller.Undo();
        EXPECT_EQ(run.Script(), changed);
        EXPECT_TRUE(run.controller.IsScriptFinished());
        EXPECT_EQ(run.view.explanations, Lines{row.explanation});
    }
}

// --- going on with an unfinished script ----------------------------------------------------

TEST(Resume, goes_on_where_a_closed_window_stopped) {
    const std::vector<Step> all = {{Step::Line, "TOM"}, {Step::Line, "ANN"}, {Step::Note, "later"},
                                   {Step::Line, "TOM"}, {Step::Line, "EVE"}, {Step::Line, "TOM"}};
    const std::string uninterrupted = FreshRun(all);
    struct Case {
        const char* label;
        std::size_t stopAfter;
        int lines;
        Lines slots;  // the name slots filled, most recent first
    };
    const Case cases[] = {
        {"right after loading", 0, 0, {}},
        {"after two lines", 2, 2, {"ANN", "TOM"}},
        {"after a note", 3, 2, {"ANN", "TOM"}},
        {"after four lines", 5, 4, {"EVE", "TOM", "ANN"}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        const test::TempDir dir;
        StoppedRun(dir, {all.begin(), all.begin() + static_cast<std::ptrdiff_t>(row.stopAfter)});
        const std::string unfinished = test::ReadAll(dir / "Script.htm");

        test::ControllerRun again(dir);
        again.OpenAgain();
        const auto& view = again.view;
        const std::string question = "AskToContinue:Script.htm already holds " +
                                     std::to_string(row.lines) +
                                     " lines of this text. Continue where it stopped?";
        EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), question), 1);
        EXPECT_EQ(test::ReadAll(dir / "Script.htm"), unfinished) << "kept as it was";
        EXPECT_FALSE(fs::exists(dir / "Script.htm.bak"));
        EXPECT_EQ(view.explanations, Lines{"Going on with Script.htm after its " +
                                           std::to_string(row.lines) + " lines."});
        for (std::size_t slot = 0; slot < view.names.size(); ++slot) {
            EXPECT_EQ(view.names[slot], slot < row.slots.size() ? row.slots[slot] : "") << slot;
        }
        EXPECT_TRUE(again.controller.IsAcceptingCommands());
        EXPECT_EQ(view.status, "Text file loaded successfully");
        for (auto step = all.begin() + static_cast<std::ptrdiff_t>(row.stopAfter);
             step != all.end(); ++step) {
            Perform(again.view, again.controller, *step);
        }
        EXPECT_EQ(again.Script(), uninterrupted);
        EXPECT_TRUE(again.controller.IsScriptFinished());
    }
}

TEST(Resume, a_last_command_cut_short_is_dropped) {
    const test::TempDir dir;
    StoppedRun(dir, {{Step::Line, "TOM"}, {Step::Line, "ANN"}});
    const std::string whole = test::ReadAll(dir / "Script.htm");
    const std::string afterOne = FreshRun({{Step::Line, "TOM"}});
    // The power went while the second line was written: it stops inside its name.
    dir.Write("Script.htm", whole.substr(0, afterOne.size()) + "<BR><CENTER>AN");

    test::ControllerRun again(dir);
    again.OpenAgain();
    EXPECT_EQ(again.view.explanations, Lines{"Going on with Script.htm after its 1 lines."});
    Perform(again.view, again.controller, {Step::Line, "ANN"});
    Perform(again.view, again.controller, {Step::Rest, ""});
    EXPECT_EQ(again.Script(),
              FreshRun({{Step::Line, "TOM"}, {Step::Line, "ANN"}, {Step::Rest, ""}}));
}

TEST(Resume, only_an_unfinished_script_of_this_text_is_offered) {
    struct Case {
        const char* label;
        std::function<void(const test::TempDir&)> make;
    };
    const std::vector<Step> twoLines = {{Step::Line, "TOM"}, {Step::Line, "ANN"}};
    const Case cases[] = {
        {"a finished script",
         [&](const test::TempDir& dir) {
             StoppedRun(dir, {{Step::Line, "TOM"}, {Step::Rest, ""}});
         }},
        {"a script of another text",
         [&](const test::TempDir& dir) {
             StoppedRun(dir, twoLines, "It was early.\r\n\r\n\"Who?\" asked Tom.\r\n\r\n\"Me.\"");
             dir.Write("novel.txt", kScene);
         }},
        {"a script edited by hand",
         [&](const test::TempDir& dir) {
             StoppedRun(dir, twoLines);
             EditScript(dir, "It was late", "It was LATE");
         }},
        {"a script whose dialogue was changed by hand",
         [&](const test::TempDir& dir) {
             StoppedRun(dir, twoLines);
             EditScript(dir, "Only me", "Only I");
         }},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        const test::TempDir dir;
        row.make(dir);
        const std::string earlier = test::ReadAll(dir / "Script.htm");
        test::ControllerRun again(dir);
        again.OpenAgain();
        for (const auto& call : again.view.calls) {
            EXPECT_FALSE(call.starts_with("AskToContinue")) << call;
        }
        EXPECT_EQ(test::ReadAll(dir / "Script.htm.bak"), earlier) << "set aside, not emptied";
        EXPECT_EQ(again.Script(), "<HTML><BR>It was late.<BR>");
    }
}

TEST(Resume, declining_starts_afresh_and_keeps_the_unfinished_script) {
    const test::TempDir dir;
    StoppedRun(dir, {{Step::Line, "TOM"}, {Step::Line, "ANN"}});
    const std::string unfinished = test::ReadAll(dir / "Script.htm");
    test::ControllerRun again(dir);
    again.view.continueAnswer = false;
    again.OpenAgain();
    EXPECT_EQ(test::ReadAll(dir / "Script.htm.bak"), unfinished);
    EXPECT_EQ(again.Script(), "<HTML><BR>It was late.<BR>");
    EXPECT_EQ(again.view.explanations, Lines{"The earlier Script.htm was kept as Script.htm.bak."});
    EXPECT_FALSE(again.controller.CanUndo());
}

TEST(Resume, the_lines_gone_on_with_can_be_undone_too) {
    const test::TempDir dir;
    StoppedRun(dir, {{Step::Line, "TOM"}, {Step::Line, "ANN"}});
    test::ControllerRun again(dir);
    again.OpenAgain();
    ASSERT_TRUE(again.controller.CanUndo());
    again.controller.Undo();
    again.controller.Undo();
    EXPECT_FALSE(again.controller.CanUndo());
    EXPECT_EQ(again.Script(), "<HTML><BR>It was late.<BR>");
    EXPECT_EQ(again.view.dialogue, "Who is there?");
}

}  // namespace
}  // namespace velmora
