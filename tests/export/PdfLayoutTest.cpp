#include "export/DisplayText.h"
#include "export/ExportScript.h"
#include "export/PdfLayout.h"
#include "export/TitlePage.h"
#include "export/WordWrap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using Kind = ElementKind;

constexpr double kInch = 72;
const TitlePage kTitle{"Emma", "based on the novel"};

// Words enough for lines lines of dialogue.
std::string Speech(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += "Every word of this line is said. ";
    }
    text.pop_back();
    return text;
}

ExportScript Script(ScriptFormat format, std::vector<ScriptElement> elements) {
    return {format, std::move(elements)};
}

TEST(LayOutScript, sets_a_screen_play_in_its_columns_on_letter_or_a4) {
    const auto script =
        Script(ScriptFormat::ScreenPlay, {{Kind::Narration, std::string(70, 'a')},
                                          {Kind::CharacterName, "Emma"},
                                          {Kind::Parenthetical, "softly, to herself as she went"},
                                          {Kind::Dialogue, Speech(3)}});
    const ScriptLayout letter = LayOutScript(script, kTitle, PaperSize::Letter);
    EXPECT_EQ(letter.width, 612);
    EXPECT_EQ(letter.height, 792);
    ASSERT_EQ(letter.pages.size(), 2U) << "the title page and one page of script";
    const std::vector<PlacedLine>& lines = letter.pages[1].lines;
    ASSERT_EQ(lines.size(), 2U + 1U + 2U + 3U);
    EXPECT_EQ(lines[0].x, 1.5 * kInch);
    EXPECT_EQ(CharacterCount(lines[0].text), 60U) << "action is 60 characters wide";
    EXPECT_EQ(lines[0].y, kInch + 9) << "the first line stands 1\" from the top";
    EXPECT_EQ(lines[2].y - lines[1].y, 24) << "a blank line before the name, 6 lines an inch";
    EXPECT_EQ(lines[2].x, 3.7 * kInch);
    EXPECT_EQ(lines[2].text, "EMMA") << "names in capitals";
    EXPECT_EQ(lines[3].x, 3.1 * kInch);
    EXPECT_EQ(lines[3].text, "(softly, to herself as");
    EXPECT_EQ(lines[4].x, 3.1 * kInch + 7.2)
        << "the parenthetical's next line stands under its text";
    EXPECT_EQ(lines[4].text, "she went)");
    for (std::size_t i = 5; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].x, 2.5 * kInch);
        EXPECT_LE(CharacterCount(lines[i].text), 35U) << "dialogue ends by 6.0\"";
    }
    const ScriptLayout a4 = LayOutScript(script, kTitle, PaperSize::A4);
    EXPECT_NEAR(a4.width, 595.28, 0.01);
    EXPECT_NEAR(a4.height, 841.89, 0.01);
    EXPECT_EQ(a4.pages[1].lines[2].x, 3.7 * kInch);
}

TEST(LayOutScript, numbers_the_pages_top_right_from_the_second) {
    std::vector<ScriptElement> elements(60, {Kind::Narration, "A line."});
    const ScriptLayout layout =
        LayOutScript(Script(ScriptFormat::ScreenPlay, elements), kTitle, PaperSize::Letter);
    ASSERT_EQ(layout.pages.size(), 4U);  // 55 lines a page: 28 paragraphs, then 28, then 4
    EXPECT_EQ(layout.pages[1].lines.size(), 28U) << "no number on the first page";
    const PlacedLine& number = layout.pages[2].lines.front();
    EXPECT_EQ(number.text, "2.");
    EXPECT_EQ(number.x + 2 * 7.2, 612 - kInch) << "flush with the right margin";
    EXPECT_LT(number.y, kInch);
    EXPECT_EQ(layout.pages[3].lines.front().text, "3.");
}

TEST(LayOutScript, keeps_a_title_page_of_any_length_on_its_page) {
    const TitlePage endless{Speech(300), "based on the novel by " + Speech(300)};
    for (const PaperSize paper : {PaperSize::Letter, PaperSize::A4}) {
        const ScriptLayout layout =
            LayOutScript(Script(ScriptFormat::ScreenPlay, {}), endless, paper);
        const std::vector<PlacedLine>& lines = layout.pages.front().lines;
        ASSERT_FALSE(lines.empty());
        for (const PlacedLine& line : lines) {
            EXPECT_LT(line.y, layout.height - 0.8 * kInch) << "within the rows of a page";
        }
        EXPECT_EQ(lines.front().text, "EVERY WORD OF THIS LINE IS SAID. EVERY WORD OF");
        EXPECT_TRUE(lines.back().text.ends_with("...")) << "the author cut short";
        EXPECT_EQ(layout.pages.size(), 2U);
    }
    const ScriptLayout plain =
        LayOutScript(Script(ScriptFormat::ScreenPlay, {}), kTitle, PaperSize::Letter);
    ASSERT_EQ(plain.pages.front().lines.size(), 2U);
    EXPECT_EQ(plain.pages.front().lines[0].text, "EMMA");
    EXPECT_EQ(plain.pages.front().lines[1].text, "based on the novel");
}

TEST(LayOutScript, never_leaves_a_name_at_the_foot_of_a_page) {
    // 27 paragraphs of one line fill 53 of the 55 lines: the name would be the 55th.
    std::vector<ScriptElement> elements(27, {Kind::Narration, "A line."});
    elements.push_back({Kind::CharacterName, "JOHN"});
    elements.push_back({Kind::Dialogue, "Hi."});
    const ScriptLayout layout =
        LayOutScript(Script(ScriptFormat::ScreenPlay, elements), kTitle, PaperSize::Letter);
    ASSERT_EQ(layout.pages.size(), 3U);
    EXPECT_EQ(layout.pages[1].lines.back().text, "A line.");
    EXPECT_EQ(layout.pages[2].lines[1].text, "JOHN") << "the name starts the next page";
    EXPECT_EQ(layout.pages[2].lines[1].y, kInch + 9);
}

TEST(LayOutScript, breaks_a_long_speech_with_more_and_the_name_continued) {
    const std::vector<ScriptElement> elements = {{Kind::Narration, "Before."},
                                                 {Kind::CharacterName, "John"},
                                                 {Kind::Parenthetical, "slowly"},
                                                 {Kind::Dialogue, Speech(130)}};
    const ScriptLayout layout =
        LayOutScript(Script(ScriptFormat::ScreenPlay, elements), kTitle, PaperSize::Letter);
    ASSERT_GE(layout.pages.size(), 4U);
    std::size_t dialogueLines = 0;
    for (std::size_t page = 1; page < layout.pages.size(); ++page) {
        const std::vector<PlacedLine>& lines = layout.pages[page].lines;
        const bool last = page + 1 == layout.pages.size();
        EXPECT_EQ(lines.back().text == "(MORE)", !last) << "page " << page;
        if (!last) {
            EXPECT_EQ(lines.back().x, 3.7 * kInch);
            EXPECT_EQ(lines.back().y, kInch + 54 * 12 + 9) << "(MORE) on the last line";
        }
        if (page > 1) {
            EXPECT_EQ(lines[1].text, "JOHN (CONT'D)") << "page " << page;
            EXPECT_EQ(lines[1].x, 3.7 * kInch);
        }
        for (const PlacedLine& line : lines) {
            dialogueLines += line.x == 2.5 * kInch ? 1 : 0;
        }
    }
    EXPECT_EQ(dialogueLines, WrapWords(Speech(130), 35).size()) << "no line lost or doubled";
}

TEST(LayOutScript, sets_a_stage_play_with_centred_names_and_italic_directions) {
    const auto script = Script(ScriptFormat::StagePlay, {{Kind::Narration, "The room is dark"},
                                                         {Kind::CharacterName, "Zo\xC3\xAB"},
                                                         {Kind::Parenthetical, "aside"},
                                                         {Kind::Dialogue, Speech(3)},
                                                         {Kind::Heading, "Chapter 2"}});
    const ScriptLayout layout = LayOutScript(script, kTitle, PaperSize::Letter);
    ASSERT_EQ(layout.pages.size(), 3U) << "a heading starts a page";
    const std::vector<PlacedLine>& lines = layout.pages[1].lines;
    EXPECT_EQ(lines[0].text, "(The room is dark)");
    EXPECT_EQ(lines[0].x, 3.0 * kInch);
    EXPECT_EQ(lines[0].style, TextStyle::Italic);
    EXPECT_EQ(lines[1].text, "ZO\xC3\x8B");
    EXPECT_DOUBLE_EQ(lines[1].x, 4.25 * kInch - 1.5 * 7.2)
        << "centred on the text between the margins";
    EXPECT_EQ(lines[2].text, "(aside)");
    EXPECT_EQ(lines[2].style, TextStyle::Italic);
    EXPECT_EQ(lines[3].x, 1.0 * kInch) << "speeches across the page";
    EXPECT_LE(CharacterCount(lines[3].text), 65U);
    EXPECT_EQ(layout.pages[2].lines[1].text, "CHAPTER 2");
    EXPECT_EQ(layout.pages[2].lines[1].style, TextStyle::Bold);
}

TEST(WrapWords, cuts_at_spaces_and_cuts_a_word_longer_than_a_line) {
    EXPECT_EQ(WrapWords("one two three", 7), (std::vector<std::string>{"one two", "three"}));
    EXPECT_EQ(WrapWords("abcdefghij", 4), (std::vector<std::string>{"abcd", "efgh", "ij"}));
    EXPECT_EQ(WrapWords("\xCE\xB1\xCE\xB2\xCE\xB3 \xCE\xB4", 3),
              (std::vector<std::string>{"\xCE\xB1\xCE\xB2\xCE\xB3", "\xCE\xB4"}))
        << "characters, not bytes";
    EXPECT_EQ(WrapWords("", 5), (std::vector<std::string>{""}));
    EXPECT_EQ(UpperCase("zo\xC3\xAB \xCF\x82\xCE\xB1\xCF\x8D \xD0\xBF\xD1\x8C"),
              "ZO\xC3\x8B \xCE\xA3\xCE\x91\xCE\x8E \xD0\x9F\xD0\xAC");
}

}  // namespace
}  // namespace velmora
