#include "script/Parenthetical.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(Parenthetical, trims_in_its_fixed_order) {
    struct Case {
        const char* label;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"narration around a tag", "  said John, ", "said John"},
        {"punctuation and breaks only", "  ,.\r\n", ""},
        {"blank line of spaces keeps one space", " \r\n \r\n", " "},
        {"each trailing class at most twice", ".,.,", "."},
        {"spaces after a leading break stay", " \r\n  he said", "  he said"},
        {"full stop and line break", "It was dark.\r\n", "It was dark"},
        {"space before the break survives", "x. \r\n", "x. "},
        {"only the first leading CR LF goes", "\r\n\r\nx", "\r\nx"},
        {"leading LF before CR stays", "\n\rx", "\rx"},
        {"a whole run goes at once", "The end...", "The end"},
        {"classes in order", "said:;,.", "said:"},
        {"inner text untouched", "  a , b . c  ", "a , b . c"},
        {"empty", "", ""},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(NormaliseParenthetical(row.text), row.expected);
    }
}

}  // namespace
}  // namespace velmora
