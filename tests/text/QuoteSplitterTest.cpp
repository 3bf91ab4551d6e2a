#include "text/QuoteSplitter.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(QuoteSplitter, splits_dialogue_from_narration) {
    struct Case {
        const char* label;
        std::string paragraph;
        std::string dialogue;
        std::string narration;
    };
    const Case cases[] = {
        {"two passages around a tag", "\"Hello,\" said John, \"how are you?\"",
         "Hello, how are you?", "  said John, "},
        {"no quotes", "No quotes here.", "", "No quotes here."},
        {"passage inside narration", "He said \"Yes\" and left.", "Yes", "He said   and left."},
        {"final comma becomes a full stop", "\"Wait,\" she said.", "Wait.", "  she said."},
        {"never closed", "\"Hello", "Hello", ""},
        {"no gap between passages", "\"a\"\"b\"", "a", " \"b"},
        {"empty-looking passage", "\"\",", "\".", ""},
        {"quote as last byte", "x\"", "", "x"},
        {"line break after the quote", "\"Hi!\"\r\n", "Hi!", " \r\n"},
        {"only the last comma changes", "\"Wait,\" she said, \"I'm coming,\"", "Wait, I'm coming.",
         "  she said, "},
        {"empty paragraph", "", "", ""},
        {"one-byte comma stays", "\",\"", ",", ""},
        {"comma left alone after its space goes", "\", \"", ",", ""},
        {"typographic quotes are text", "\xE2\x80\x9CHi\xE2\x80\x9D 'yes'", "",
         "\xE2\x80\x9CHi\xE2\x80\x9D 'yes'"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(ExtractDialogue(row.paragraph), row.dialogue);
        EXPECT_EQ(ExtractNarration(row.paragraph), row.narration);
    }
}

TEST(QuoteSplitter, open_quote_does_not_carry_into_the_next_paragraph) {
    EXPECT_EQ(ExtractDialogue("He began, \"and then"), "and then");
    EXPECT_EQ(ExtractDialogue("Plain narration."), "");
    EXPECT_EQ(ExtractNarration("He began, \"and then"), "He began, ");
    EXPECT_EQ(ExtractNarration("Plain narration."), "Plain narration.");
}

}  // namespace
}  // namespace velmora
