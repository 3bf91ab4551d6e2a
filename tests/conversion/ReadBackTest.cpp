// The script read back from its file as it stands, which the window's "Export Script..."
// replays: its names, notes, format and whether it is finished, against the text as the run
// read it; and the run writes on as if nothing had read it.
#include "conversion/ConversionController.h"

#include "conversion/EarlierRun.h"
#include "platform/File.h"
#include "platform/FileError.h"
#include "tests/conversion/ControllerFixture.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace velmora {
namespace {

using test::FreshRun;
using test::kScene;
using test::Perform;
using test::Step;
using Verdict = EarlierRun::Verdict;

const std::vector<Step> kAll = {{Step::Line, "TOM"}, {Step::Line, "ANN"}, {Step::Note, "later"},
                                {Step::Line, "TOM"}, {Step::Line, "EVE"}, {Step::Line, "TOM"}};

std::vector<EarlierRun::Step> StepsOf(const std::vector<Step>& steps) {
    std::vector<EarlierRun::Step> read;
    for (const Step& step : steps) {
        read.push_back({step.kind == Step::Note, step.text});
    }
    return read;
}

bool Protects(const ScriptReadBack& script, const std::filesystem::path& file) {
    const auto identity = IdentityOf(file.string());
    return identity && std::find(script.protect.begin(), script.protect.end(), *identity) !=
                           script.protect.end();
}

TEST(ReadBackScript, gives_the_lines_so_far_then_the_finished_script_and_writing_goes_on) {
    const test::TempDir dir;
    {
        test::ControllerRun run(dir);
        run.Open(kScene);
        EXPECT_FALSE(run.controller.HoldsScriptLine()) << "only narration so far";
        for (std::size_t i = 0; i < 3; ++i) {
            Perform(run.view, run.controller, kAll[i]);
        }
        ASSERT_TRUE(run.controller.HoldsScriptLine());

        const ScriptReadBack held = run.controller.ReadBackScript();
        EXPECT_EQ(held.run.verdict, Verdict::Unfinished);
        EXPECT_EQ(held.run.format, ScriptFormat::ScreenPlay);
        EXPECT_EQ(held.run.steps, StepsOf({kAll.begin(), kAll.begin() + 3}));
        EXPECT_EQ(held.text, kScene);
        EXPECT_EQ(held.set, CharacterSet::Ascii);
        EXPECT_EQ(held.textName, "novel.txt");
        EXPECT_TRUE(std::filesystem::equivalent(held.scriptPath, dir / "Script.htm"));
        EXPECT_TRUE(Protects(held, dir / "novel.txt"));
        EXPECT_TRUE(Protects(held, dir / "Script.htm"));

        for (std::size_t i = 3; i < kAll.size(); ++i) {
            Perform(run.view, run.controller, kAll[i]);
        }
        ASSERT_TRUE(run.controller.IsScriptFinished());
        const ScriptReadBack finished = run.controller.ReadBackScript();
        EXPECT_EQ(finished.run.verdict, Verdict::Finished);
        EXPECT_EQ(finished.run.steps, StepsOf(kAll));
    }
    EXPECT_EQ(test::ReadAll(dir / "Script.htm"), FreshRun(kAll))
        << "reading back moved nothing that was written after it";
}

TEST(ReadBackScript, holds_a_line_only_while_a_line_or_note_is_there_or_it_is_finished) {
    test::ControllerRun run;
    run.Open(kScene);
    Perform(run.view, run.controller, {Step::Note, "first"});
    EXPECT_TRUE(run.controller.HoldsScriptLine()) << "a note is a line of the script";
    run.controller.Undo();
    EXPECT_FALSE(run.controller.HoldsScriptLine());

    test::ControllerRun narrationOnly;
    narrationOnly.Open("No one speaks.\r\n\r\nNot once.");
    EXPECT_TRUE(narrationOnly.controller.HoldsScriptLine()) << "finished at once";
    EXPECT_EQ(narrationOnly.controller.ReadBackScript().run.verdict, Verdict::Finished);
}

TEST(ReadBackScript, reads_the_text_as_the_run_read_it_in_the_script_format) {
    test::ControllerRun run;
    run.view.screenPlay = false;
    run.view.answer = true;  // read the typographic quotes as double quotes
    run.Open(
        "\xE2\x80\x9CHi,\xE2\x80\x9D said Tom.\r\n\r\n\xE2\x80\x9C"
        "Bye.\xE2\x80\x9D");
    Perform(run.view, run.controller, {Step::Line, "TOM"});
    const ScriptReadBack script = run.controller.ReadBackScript();
    EXPECT_EQ(script.run.verdict, Verdict::Unfinished);
    EXPECT_EQ(script.run.format, ScriptFormat::StagePlay);
    EXPECT_EQ(script.text, "\"Hi,\" said Tom.\r\n\r\n\"Bye.\"");
    EXPECT_EQ(script.set, CharacterSet::Utf8);
}

TEST(ReadBackScript, a_finished_script_replaced_since_is_read_as_it_stands) {
    test::ControllerRun run;
    run.Open(kScene);
    Perform(run.view, run.controller, {Step::Rest, ""});
    ASSERT_TRUE(run.controller.IsScriptFinished());
    run.Write("Script.htm", "<HTML><BR>Another story.<BR></HTML>");
    const ScriptReadBack script = run.controller.ReadBackScript();
    EXPECT_EQ(script.run.verdict, Verdict::OtherText);

    std::filesystem::remove(run / "Script.htm");
    try {
        (void)run.controller.ReadBackScript();
        FAIL() << "a script that is gone cannot be read back";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Cause(), FileErrorCause::FileNotFound);
        EXPECT_EQ(std::filesystem::path(error.FileName()).filename(), "Script.htm");
    }
}

}  // namespace
}  // namespace velmora
