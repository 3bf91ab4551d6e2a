// What opening a text does with a script already beside it: no script that holds a named
// line or a note is ever deleted, cut or written over, whatever the answers, other programs
// or failures; and going on is only ever with the script recognised.
#include "conversion/ConversionController.h"

#include "tests/conversion/ControllerFixture.h"
#include "tests/conversion/RecordingView.h"
#include "tests/support/FileLock.h"
#include "tests/support/FullDisk.h"
#include "tests/support/TempDir.h"

#include "platform/File.h"
#include "platform/FileError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <new>
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

constexpr const char* kScriptOpenFailed = "*** Error - Script file failed to open ***";

void PerformFrom(test::ControllerRun& run, std::size_t first, const std::vector<Step>& steps) {
    for (auto step = steps.begin() + static_cast<std::ptrdiff_t>(first); step != steps.end();
         ++step) {
        Perform(run.view, run.controller, *step);
    }
}

// The calls of one view operation, by their arguments.
Lines ArgumentsOf(const test::RecordingView& view, std::string_view operation) {
    const std::string prefix = std::string(operation) + ":";
    Lines arguments;
    for (const auto& call : view.calls) {
        if (call.starts_with(prefix)) {
            arguments.push_back(call.substr(prefix.size()));
        }
    }
    return arguments;
}

// While the window asks whether to go on, another conversion in the same folder is refused:
// the script recognised is held from then on, and is the one gone on with.
TEST(HeldScript, another_conversion_while_the_question_is_open_is_refused) {
    const test::TempDir dir;
    StoppedRun(dir, {test::kSceneSteps.begin(), test::kSceneSteps.begin() + 2});
    dir.Write("small.txt", "\"Hi,\" she said.");
    test::ControllerRun again(dir);
    test::RecordingView other;
    again.view.onAskToContinue = [&](std::string_view) {
        ConversionController competitor(other);
        other.choice = "small.txt";
        competitor.OpenTextFile();
        return true;
    };
    again.OpenAgain();
    EXPECT_EQ(other.status, kScriptOpenFailed);
    EXPECT_EQ(other.explanations, Lines{"Script.htm is in use by another program."});
    PerformFrom(again, 2, test::kSceneSteps);
    EXPECT_EQ(again.Script(), FreshRun(test::kSceneSteps));
    EXPECT_FALSE(fs::exists(dir / "Script.htm.bak"));
}

// Declining twice to go on, as a user might, keeps both earlier scripts.
TEST(KeptScripts, declining_twice_keeps_every_earlier_script) {
    const test::TempDir dir;
    StoppedRun(dir, {test::kSceneSteps.begin(), test::kSceneSteps.begin() + 4});
    const std::string named = test::ReadAll(dir / "Script.htm");
    for (const char* kept : {"Script.htm.bak", "Script.htm.bak2"}) {
        SCOPED_TRACE(kept);
        const std::string earlier = test::ReadAll(dir / "Script.htm");
        test::ControllerRun again(dir);
        again.view.continueAnswer = false;
        again.OpenAgain();
        EXPECT_EQ(again.view.explanations,
                  Lines{"The earlier Script.htm was kept as " + std::string(kept) + "."});
        EXPECT_EQ(test::ReadAll(dir / kept), earlier);
    }
    EXPECT_EQ(test::ReadAll(dir / "Script.htm.bak"), named);
    EXPECT_EQ(test::ReadAll(dir / "Script.htm"), "<HTML><BR>It was late.<BR>");
}

// A finished script of the text is asked about before a new one starts; the answer no
// leaves it, and everything else, as it is.
TEST(KeptScripts, a_finished_script_of_the_text_is_asked_about_first) {
    for (const bool startAnew : {true, false}) {
        SCOPED_TRACE(startAnew ? "yes" : "no");
        const test::TempDir dir;
        dir.Write("Script.htm.bak", "an older script");
        StoppedRun(dir, {{Step::Line, "TOM"}, {Step::Rest, ""}});
        const std::string finished = test::ReadAll(dir / "Script.htm");
        test::ControllerRun again(dir);
        again.view.startAnewAnswer = startAnew;
        again.OpenAgain();
        EXPECT_EQ(ArgumentsOf(again.view, "AskToStartAnew"),
                  Lines{"Script.htm already holds a finished script of this text. Start a new "
                        "one? The finished one is kept as Script.htm.bak2."});
        EXPECT_TRUE(ArgumentsOf(again.view, "AskToContinue").empty());
        EXPECT_EQ(test::ReadAll(dir / "Script.htm.bak"), "an older script");
        if (startAnew) {
            EXPECT_EQ(again.view.explanations,
                      Lines{"The earlier Script.htm was kept as Script.htm.bak2."});
            EXPECT_EQ(test::ReadAll(dir / "Script.htm.bak2"), finished);
            EXPECT_TRUE(again.controller.IsAcceptingCommands());
        } else {
            EXPECT_EQ(again.view.explanations,
                      Lines{"Script.htm keeps its finished script; nothing was written."});
            EXPECT_EQ(test::ReadAll(dir / "Script.htm"), finished);
            EXPECT_FALSE(fs::exists(dir / "Script.htm.bak2"));
            EXPECT_EQ(again.view.status, "Text file loaded successfully");
            EXPECT_FALSE(again.controller.IsAcceptingCommands());
        }
    }
}

// Where the walk to the first line of dialogue fills the log, the line that says where the
// earlier script went comes after it, and the log is scrolled to show it.
TEST(KeptScripts, the_kept_line_is_in_view_when_the_first_line_of_dialogue_waits) {
    std::string text;
    for (int paragraph = 1; paragraph <= 60; ++paragraph) {
        text += "Paragraph " + std::to_string(paragraph) + ".\r\n\r\n";
    }
    text += "\"At last,\" said Tom.";
    test::ControllerRun run;
    run.Write("Script.htm", "an earlier script");
    run.Open(text);
    const std::string kept = "The earlier Script.htm was kept as Script.htm.bak.";
    ASSERT_EQ(run.view.log.back(), kept);
    const auto explained =
        std::find(run.view.calls.begin(), run.view.calls.end(), "Explain:" + kept);
    ASSERT_NE(explained, run.view.calls.end());
    const Lines after(explained + 1, run.view.calls.end());
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.front(), "ScrollLogTo:" + std::to_string(run.view.log.size() - 1));
    EXPECT_EQ(run.view.dialogue, "At last.");
    EXPECT_EQ(run.view.topLogLine, static_cast<int>(run.view.log.size()) - 1);
}

// A view that runs out of memory once the walk has logged a few lines.
class MemoryShortView : public test::RecordingView {
public:
    void AppendLogLine(std::string_view text) override {
        if (++appended_ > 3) {
            throw std::bad_alloc();
        }
        RecordingView::AppendLogLine(text);
    }

private:
    int appended_ = 0;
};

// A new script that fails while it starts (a full disk, or no memory) is removed, the
// earlier script goes back in its place, and older kept scripts are left alone.
TEST(KeptScripts, a_failed_start_gives_the_earlier_script_back_and_keeps_the_older) {
    for (const bool outOfMemory : {false, true}) {
        SCOPED_TRACE(outOfMemory ? "out of memory" : "disk full");
#ifdef _WIN32
        if (!outOfMemory) {
            continue;  // no file size limit to fill the disk with
        }
#endif
        const test::TempDir dir;
        const test::CurrentDirectory here(dir.Path());
        dir.Write("Script.htm.bak", "an older script");
        dir.Write("Script.htm", "the earlier script");
        std::string text;
        for (int paragraph = 1; paragraph <= 50; ++paragraph) {
            text += "Paragraph " + std::to_string(paragraph) + ".\r\n\r\n";
        }
        dir.Write("novel.txt", text + "\"Hi.\"");
        MemoryShortView shortView;
        test::RecordingView plainView;
        test::RecordingView& view = outOfMemory ? shortView : plainView;
        ConversionController controller(view);
        view.choice = "novel.txt";
        if (outOfMemory) {
            EXPECT_THROW(controller.OpenTextFile(), std::bad_alloc);
        } else {
            const test::FileSizeLimit full(100);
            EXPECT_THROW(controller.OpenTextFile(), FileError);
        }
        EXPECT_EQ(view.status, kScriptOpenFailed);
        EXPECT_TRUE(view.explanations.empty()) << "nothing kept to speak of";
        EXPECT_EQ(test::ReadAll(dir / "Script.htm"), "the earlier script");
        EXPECT_EQ(test::ReadAll(dir / "Script.htm.bak"), "an older script");
        EXPECT_FALSE(fs::exists(dir / "Script.htm.bak2"));
        EXPECT_FALSE(controller.IsAcceptingCommands());
    }
}

// Going on is only ever asked for; what is not an unfinished script of the text is refused
// with its reason, and every file stays as it was.
TEST(ContinueOnly, refuses_what_it_cannot_go_on_with_and_changes_nothing) {
    std::string changedText(kScene);
    changedText.replace(changedText.find("Come in"), 7, "Go away");
    struct Case {
        const char* label;
        std::function<void(const test::TempDir&)> make;
        std::string reason;
    };
    const Case cases[] = {
        {"no script", [](const test::TempDir&) {},
         "There is no Script.htm beside the text to go on with."},
        {"not a script", [](const test::TempDir& dir) { dir.Write("Script.htm", "Dear Ann,"); },
         "Script.htm was left as it is: it is not a script."},
        {"a script of another text",
         [](const test::TempDir& dir) {
             dir.Write("Script.htm", FreshRun({{Step::Line, "TOM"}}, "Other.\r\n\r\n\"Hi.\""));
         },
         "Script.htm was left as it is: it is a script of another text."},
        {"a script of the text before a change",
         [&changedText](const test::TempDir& dir) {
             StoppedRun(dir, {test::kSceneSteps.begin(), test::kSceneSteps.begin() + 4},
                        changedText);
             dir.Write("novel.txt", kScene);
         },
         "Script.htm was left as it is: it is a script of this text as it was before a change "
         "(they part at line 9 of the text)."},
        {"a finished script",
         [](const test::TempDir& dir) {
             StoppedRun(dir, {{Step::Rest, ""}});
         },
         "Script.htm was left as it is: it holds a finished script of this text."},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        const test::TempDir dir;
        dir.Write("novel.txt", kScene);
        row.make(dir);
        const std::string earlier = test::ReadAll(dir / "Script.htm");
        test::ControllerRun again(dir);
        again.controller.ContinueOnly();
        again.OpenAgain();
        EXPECT_EQ(again.view.status, kScriptOpenFailed);
        EXPECT_EQ(again.view.explanations, Lines{row.reason});
        EXPECT_FALSE(again.controller.IsAcceptingCommands());
        EXPECT_TRUE(ArgumentsOf(again.view, "AskToContinue").empty());
        EXPECT_EQ(test::ReadAll(dir / "Script.htm"), earlier);
        EXPECT_EQ(fs::exists(dir / "Script.htm"), !earlier.empty());
        EXPECT_FALSE(fs::exists(dir / "Script.htm.bak"));
    }
}

// The format is the script's own, whatever was chosen, and an editor's line break after the
// last command does not stop it being recognised.
TEST(ContinueOnly, goes_on_in_the_script_format_after_an_editors_line_break) {
    for (const std::string_view added : {"", "\n", " \r\n"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(added)));
        const test::TempDir dir;
        StoppedRun(dir, {test::kSceneSteps.begin(), test::kSceneSteps.begin() + 3}, kScene, false);
        dir.Write("Script.htm", test::ReadAll(dir / "Script.htm") + std::string(added));
        test::ControllerRun again(dir);
        again.view.screenPlay = true;
        again.OpenAgain();
        EXPECT_EQ(ArgumentsOf(again.view, "AskToContinue"),
                  Lines{"Script.htm already holds 2 lines of this text as a stage play. "
                        "Continue where it stopped?"});
        EXPECT_EQ(again.view.explanations,
                  Lines{"Going on with Script.htm after its 2 lines, as a stage play."});
        PerformFrom(again, 3, test::kSceneSteps);
        EXPECT_EQ(again.Script(), FreshRun(test::kSceneSteps, kScene, false));
    }
}

// A run stopped before its first line of dialogue left nothing whole to keep: going on
// writes the script again from its start, through the same file, and gives the script of an
// unbroken run. An empty script is simply written.
TEST(ContinueOnly, a_script_stopped_before_its_first_line_is_written_again) {
    const std::string start = FreshRun({});
    struct Case {
        const char* label;
        std::string script;
        Lines explanations;
    };
    const Case cases[] = {
        {"cut inside the first narration",
         start.substr(0, 12),
         {"Going on with Script.htm after its 0 lines."}},
        {"empty", "", {}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        const test::TempDir dir;
        dir.Write("novel.txt", kScene);
        dir.Write("Script.htm", row.script);
        test::ControllerRun again(dir);
        again.controller.ContinueOnly();
        again.OpenAgain();
        EXPECT_EQ(again.view.explanations, row.explanations);
        EXPECT_TRUE(again.controller.IsAcceptingCommands());
        PerformFrom(again, 0, test::kSceneSteps);
        EXPECT_EQ(again.Script(), FreshRun(test::kSceneSteps));
        EXPECT_FALSE(fs::exists(dir / "Script.htm.bak"));
    }
}

}  // namespace
}  // namespace velmora
