// The cast: every name used so far in the script, as the name fields offer it.
#include "conversion/Cast.h"
#include "conversion/ConversionController.h"

#include "tests/conversion/ControllerFixture.h"
#include "tests/conversion/RecordingView.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using Names = std::vector<std::string>;
using test::Perform;
using test::Step;

Cast CastOf(const Names& uses) {
    Cast cast;
    for (const std::string& name : uses) {
        cast.Add(name);
    }
    return cast;
}

TEST(Cast, holds_each_spelling_once_most_recently_used_first) {
    struct Case {
        const char* label;
        Names uses;
        Names names;
    };
    const Case cases[] = {
        {"none yet", {}, {}},
        {"in the order last used", {"TOM", "ANN", "TOM", "EVE"}, {"EVE", "TOM", "ANN"}},
        {"a line named with nothing names nobody", {"TOM", "", "   ", "ANN"}, {"ANN", "TOM"}},
        // Names are kept as typed: two spellings are two names, both offered.
        {"every spelling as typed", {"Tom", "TOM", " TOM "}, {" TOM ", "TOM", "Tom"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const Cast cast = CastOf(c.uses);
        EXPECT_EQ(cast.Names(), c.names);
    }
}

TEST(Cast, completes_a_prefix_whatever_its_letter_case) {
    const Cast cast = CastOf({"ELINOR", "EDWARD FERRARS", "Zo\xC3\xAB", "MRS. JENNINGS", "Ellen"});
    struct Case {
        const char* prefix;
        Names completions;
    };
    const Case cases[] = {
        {"", {}},
        {"E", {"Ellen", "EDWARD FERRARS", "ELINOR"}},
        {"el", {"Ellen", "ELINOR"}},
        {"ELINOR", {"ELINOR"}},
        {"elinors", {}},
        {"mrs. j", {"MRS. JENNINGS"}},
        {"ZO\xC3\x8B", {"Zo\xC3\xAB"}},  // the accented capital too
        {"x", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cast.Completions(c.prefix), c.completions) << c.prefix;
    }
}

TEST(Cast, takes_back_lines_in_step_with_undo) {
    Cast cast = CastOf({"TOM", "ANN"});
    const std::size_t twoLines = cast.Uses();
    cast.Add("EVE");
    cast.Add("TOM");
    EXPECT_EQ(cast.Names(), (Names{"TOM", "EVE", "ANN"}));
    cast.TakeBackTo(3);
    EXPECT_EQ(cast.Names(), (Names{"EVE", "ANN", "TOM"})) << "TOM as last used before";
    cast.TakeBackTo(twoLines);
    EXPECT_EQ(cast.Names(), (Names{"ANN", "TOM"}));
    cast.TakeBackTo(10);  // more than there are: nothing changes
    EXPECT_EQ(cast.Names(), (Names{"ANN", "TOM"}));
}

// Fifteen lines of dialogue: more speakers than the window has fields.
std::string FifteenLines() {
    std::string text;
    for (int n = 1; n <= 15; ++n) {
        text += "\"Line " + std::to_string(n) + ",\" said someone.\r\n\r\n";
    }
    return text + "End.";
}

std::string Speaker(int n) { return "SPEAKER " + std::to_string(n); }

TEST(Cast, the_controller_casts_named_lines_takes_them_back_and_rebuilds_them_on_going_on) {
    const test::TempDir dir;
    const std::string text = FifteenLines();
    Names expected;
    {
        test::ControllerRun run(dir);
        run.Open(text);
        EXPECT_TRUE(run.controller.ScriptCast().Names().empty());
        Perform(run.view, run.controller, {Step::Note, "only a note"});
        Perform(run.view, run.controller, {Step::NotDialogue, ""});
        EXPECT_TRUE(run.controller.ScriptCast().Names().empty()) << "nobody named yet";
        for (int n = 2; n <= 14; ++n) {
            Perform(run.view, run.controller, {Step::Line, Speaker(n)});
            expected.insert(expected.begin(), Speaker(n));
        }
        Perform(run.view, run.controller, {Step::Line, "Speaker 2"});
        EXPECT_EQ(run.controller.ScriptCast().Names().front(), "Speaker 2");
        run.controller.Undo();
        EXPECT_EQ(run.controller.ScriptCast().Names(), expected) << "the spelling undone is gone";
    }
    // Going on, the replayed lines are the cast again, also the names no slot holds now.
    test::ControllerRun again(dir);
    again.OpenAgain();
    ASSERT_EQ(expected.size(), 13U);
    EXPECT_EQ(again.controller.ScriptCast().Names(), expected);
    Perform(again.view, again.controller, {Step::Line, Speaker(2)});
    expected.insert(expected.begin(), Speaker(2));
    expected.pop_back();
    EXPECT_EQ(again.controller.ScriptCast().Names(), expected);
    while (again.controller.CanUndo()) {
        again.controller.Undo();
    }
    EXPECT_TRUE(again.controller.ScriptCast().Names().empty()) << "back to the first line";
}

}  // namespace
}  // namespace velmora
