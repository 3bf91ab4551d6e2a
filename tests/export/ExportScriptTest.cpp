#include "export/ExportScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using Kind = ElementKind;

// A stand-in for the speaker hint's test: these and nothing else are speech tags.
bool IsTag(std::string_view narration) {
    return narration == "said John" || narration == "she replied";
}

TEST(PrepareForExport, speech_tags_are_left_out_and_long_narration_goes_before_the_name) {
    const std::string longNarration(kLongestParenthetical + 1, 'x');
    const std::string longest(kLongestParenthetical, 'y');
    std::vector<ScriptElement> elements = {
        {Kind::CharacterName, "JOHN"},
        {Kind::Parenthetical, "said John"},
        {Kind::Dialogue, "Hello."},
        {Kind::CharacterName, "MARY"},
        {Kind::Parenthetical, longest},
        {Kind::Dialogue, "Hi."},
        {Kind::Narration, "Later."},
        {Kind::CharacterName, ""},
        {Kind::Parenthetical, longNarration},
        {Kind::Dialogue, "Bye."},
        {Kind::CharacterName, "ANN"},
        {Kind::Parenthetical, "she replied, smiling"},
        {Kind::Dialogue, "No."},
    };
    const std::vector<ScriptElement> expected = {
        {Kind::CharacterName, "JOHN"},
        {Kind::Dialogue, "Hello."},
        {Kind::CharacterName, "MARY"},
        {Kind::Parenthetical, longest},
        {Kind::Dialogue, "Hi."},
        {Kind::Narration, "Later."},
        {Kind::Narration, longNarration},
        {Kind::CharacterName, "CHARACTERNAME"},
        {Kind::Dialogue, "Bye."},
        {Kind::CharacterName, "ANN"},
        {Kind::Parenthetical, "she replied, smiling"},
        {Kind::Dialogue, "No."},
    };
    const ExportScript script = PrepareForExport(elements, ScriptFormat::ScreenPlay, IsTag);
    EXPECT_EQ(script.elements, expected);
    EXPECT_EQ(script.format, ScriptFormat::ScreenPlay);
}

TEST(PrepareForExport, without_a_test_every_parenthetical_stays) {
    const std::vector<ScriptElement> elements = {{Kind::CharacterName, "JOHN"},
                                                 {Kind::Parenthetical, "said John"},
                                                 {Kind::Dialogue, "Hello."}};
    EXPECT_EQ(PrepareForExport(elements, ScriptFormat::StagePlay, {}).elements, elements);
}

TEST(PrepareForExport, chapter_headings_become_headings) {
    const std::vector<ScriptElement> elements = {{Kind::Narration, "CHAPTER IV"},
                                                 {Kind::Note, "CHAPTER V"}};
    const auto prepared = PrepareForExport(elements, ScriptFormat::ScreenPlay, {}).elements;
    EXPECT_EQ(prepared[0].kind, Kind::Heading);
    EXPECT_EQ(prepared[1].kind, Kind::Note) << "only narration is a heading";
}

TEST(IsChapterHeading, knows_the_headings_of_novels_and_nothing_else) {
    struct Case {
        std::string_view text;
        bool heading;
    };
    const Case cases[] = {
        {"CHAPTER I", true},
        {"Chapter 1", true},
        {"CHAPTER XLII.", true},
        {"Chapter 12. The Ball", true},
        {"CHAPTER ONE: A BEGINNING", true},
        {"BOOK ONE: 1805", true},
        {"FIRST EPILOGUE: 1813 - 20", true},
        {"EPILOGUE", true},
        {"Prologue", true},
        {"BOOK THE FIRST", true},
        {"Part the crowd", false},
        {"Part 2 - Winter", true},
        {"VOLUME III", true},
        {"chapter 1", false},
        {"CHAPTER", false},
        {"Chapter and verse were quoted.", false},
        {"Chapter 1 was long and dull.", false},
        {"Book 3 of them lay open.", false},
        {"CHAPTER I. A heading that runs on far longer than any heading in a novel does", false},
        {"THE END", false},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(IsChapterHeading(test.text), test.heading) << test.text;
    }
}

}  // namespace
}  // namespace velmora
