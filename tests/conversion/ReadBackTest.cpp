// The script read back from its file as it stands, which the window's "Export Script..."
// replays: its names, notes, format and whether it is finished, against the text as the run
// read it; and the run writes on as if nothing had read it.
#include "conversion/ConversionController.h"

#include "platform/FileError.h"
#include "tests/conversion/ControllerFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace velmora {
namespace {

using test::kScene;
using test::Perform;
using test::Step;
using Verdict = EarlierRun::Verdict;

std::vector<EarlierRun::Step> StepsOf(std::size_t count) {
    std::vector<EarlierRun::Step> read;
    std::transform(test::kSceneSteps.begin(),
                   test::kSceneSteps.begin() + static_cast<std::ptrdiff_t>(count),
                   std::back_inserter(read), test::WalkStepOf);
    return read;
}

bool Protects(const ScriptReadBack& script, const std::filesystem::path& file) {
    const auto identity = IdentityOf(file.string());
    return identity && std::count(script.protect.begin(), script.protect.end(), *identity) == 1;
}

TEST(ReadBackScript, gives_the_lines_so_far_then_the_finished_script_and_writing_goes_on) {
    const test::TempDir dir;
    {
        test::ControllerRun run(dir);
        run.Open(kScene);
        EXPECT_FALSE(run.controller.HoldsScriptLine()) << "only narration so far";
        Perform(run.view, run.controller, {Step::Note, "first"});
        EXPECT_TRUE(run.controller.HoldsScriptLine()) << "a note is a line of the script";
        run.controller.Undo();
        EXPECT_FALSE(run.controller.HoldsScriptLine());
        for (std::size_t i = 0; i < 3; ++i) {
            Perform(run.view, run.controller, test::kSceneSteps[i]);
        }
        const ScriptReadBack held = run.controller.ReadBackScript();
        EXPECT_EQ(held.run.verdict, Verdict::Unfinished);
        EXPECT_EQ(held.run.format, ScriptFormat::ScreenPlay);
        EXPECT_EQ(held.run.steps, StepsOf(3));
        EXPECT_EQ(held.text, kScene);
        EXPECT_EQ(held.textName, "novel.txt");
        EXPECT_TRUE(std::filesystem::equivalent(held.scriptPath, dir / "Script.htm"));
        EXPECT_TRUE(Protects(held, dir / "novel.txt") && Protects(held, dir / "Script.htm"));

        for (std::size_t i = 3; i < test::kSceneSteps.size(); ++i) {
            Perform(run.view, run.controller, test::kSceneSteps[i]);
        }
        const ScriptReadBack finished = run.controller.ReadBackScript();
        EXPECT_EQ(finished.run.verdict, Verdict::Finished);
        EXPECT_EQ(finished.run.steps, StepsOf(test::kSceneSteps.size()));
    }
    EXPECT_EQ(test::ReadAll(dir / "Script.htm"), test::FreshRun(test::kSceneSteps))
        << "reading back moved nothing that was written after it";
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

TEST(ReadBackScript, a_finished_script_is_read_as_it_stands_now) {
    test::ControllerRun run;
    run.Open("No one speaks.\r\n\r\nNot once.");
    ASSERT_TRUE(run.controller.HoldsScriptLine()) << "finished at once";
    EXPECT_EQ(run.controller.ReadBackScript().run.verdict, Verdict::Finished);
    run.Write("Script.htm", "<HTML><BR>Another story.<BR></HTML>");
    EXPECT_EQ(run.controller.ReadBackScript().run.verdict, Verdict::OtherText);
    std::filesystem::remove(run / "Script.htm");
    try {
        (void)run.controller.ReadBackScript();
        FAIL() << "a script that is gone cannot be read back";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Cause(), FileErrorCause::FileNotFound);
    }
}

}  // namespace
}  // namespace velmora
