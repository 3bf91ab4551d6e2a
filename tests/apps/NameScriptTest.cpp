#include "apps/convert/NameScript.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

void PrintTo(const NameScriptStep& step, std::ostream* out) {
    constexpr const char* kKinds[] = {"Name(", "Note(", "NotDialogue("};
    *out << kKinds[static_cast<int>(step.kind)] << ::testing::PrintToString(step.text) << ")";
}

namespace {

using Steps = std::vector<NameScriptStep>;

NameScriptStep Name(std::string text) { return NameScriptStep::Line(std::move(text)); }
NameScriptStep Note(std::string text) { return NameScriptStep::Note(std::move(text)); }
NameScriptStep NotDialogue() { return NameScriptStep::NotDialogue(); }

TEST(NameScript, cuts_a_names_file_into_names_and_notes) {
    const std::vector<std::pair<std::string, Steps>> cases = {
        {"", {}},
        {"TOM", {Name("TOM")}},
        {"TOM\n", {Name("TOM")}},
        {"TOM\r\nANN\r\n", {Name("TOM"), Name("ANN")}},
        {"TOM\nANN", {Name("TOM"), Name("ANN")}},
        {"TOM\n\nANN\n", {Name("TOM"), Name(""), Name("ANN")}},
        {"\n", {Name("")}},
        {" Tom Jones \r\n", {Name(" Tom Jones ")}},
        {"\xEF\xBB\xBFJOS\xC3\x89\n", {Name("JOS\xC3\x89")}},
        {"NOTE: call back.\r\nTOM\n", {Note("call back."), Name("TOM")}},
        {"NOTE:\nNOTE: \nNOTE:x\nNOTE:  two", {Note(""), Note(""), Note("x"), Note(" two")}},
        {"note: lower case\nA NOTE: inside", {Name("note: lower case"), Name("A NOTE: inside")}},
        {"NOT DIALOGUE:\r\nTOM\nNOT DIALOGUE:  \n", {NotDialogue(), Name("TOM"), NotDialogue()}},
        // Only the whole mark in capitals: a name may start with the words.
        {"Not dialogue:\nNOT DIALOGUE\nNOT DIALOGUES:\n NOT DIALOGUE:",
         {Name("Not dialogue:"), Name("NOT DIALOGUE"), Name("NOT DIALOGUES:"),
          Name(" NOT DIALOGUE:")}},
        {"NOTE: NOT DIALOGUE:", {Note("NOT DIALOGUE:")}},
        // CR, LF and CR LF all end a line, as each kind of editor saves them.
        {"a\rb\n", {Name("a"), Name("b")}},
        {"TOM\rANN\r", {Name("TOM"), Name("ANN")}},
        {"TOM\r\rANN", {Name("TOM"), Name(""), Name("ANN")}},
    };
    for (const auto& [content, steps] : cases) {
        EXPECT_EQ(ParseNameScript(content), steps) << ::testing::PrintToString(content);
    }
}

TEST(NameScript, finds_the_first_line_that_is_not_utf8) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"TOM\nANN\n", 0},     {"JOS\xC3\x89\n", 0},    {"\xEF\xBB\xBFTOM\n", 0},
        {"TOM\nJOS\xC9\n", 2}, {"TOM\rANN\r\xFF\r", 3}, {"TOM\r\nANN\r\nJOS\xC3", 3},
        {"\xC3\x28", 1},
    };
    for (const auto& [content, line] : cases) {
        EXPECT_EQ(FirstLineNotUtf8(content), line) << ::testing::PrintToString(content);
    }
}

// A "NOT DIALOGUE:" line with more after it would lose what follows; it is named.
TEST(NameScript, finds_the_first_not_dialogue_line_with_more_after_it) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"TOM\nNOT DIALOGUE:\n", 0},
        {"NOT DIALOGUE: \t \r\n", 0},
        {"NOTE: NOT DIALOGUE: aside\nNOT DIALOGUES: x", 0},
        {"TOM\r\nNOT DIALOGUE: TOM\r\nNOT DIALOGUE:ANN", 2},
        {"A\rB\rNOT DIALOGUE:x", 3},
    };
    for (const auto& [content, line] : cases) {
        EXPECT_EQ(FirstMisusedLine(content), line) << ::testing::PrintToString(content);
    }
}

}  // namespace
}  // namespace velmora
