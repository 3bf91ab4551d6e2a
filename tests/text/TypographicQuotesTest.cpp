#include "text/TypographicQuotes.h"

#include "tests/support/TempDir.h"
#include "text/CharacterSet.h"
#include "text/QuoteSplitter.h"
#include "text/TextReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {
namespace {

// UTF-8 spellings of the characters the cases use.
#define OPEN "\xE2\x80\x9C"        // left double quotation mark
#define CLOSE "\xE2\x80\x9D"       // right double quotation mark
#define APOSTROPHE "\xE2\x80\x99"  // right single quotation mark
#define DASH "\xE2\x80\x94"        // em dash

struct QuestionCase {
    const char* label;
    std::string_view text;
    CharacterSet set;  // what DetectCharacterSet must say, so the case tests what it claims
    bool expected;
};

TEST(TypographicQuotes, asks_only_when_typographic_quotes_are_the_only_double_quotes) {
    const QuestionCase cases[] = {
        {"utf-8 pair", OPEN "Hi," CLOSE " she said.", CharacterSet::Utf8, true},
        {"utf-8 opening only", OPEN "Hi, she said.", CharacterSet::Utf8, true},
        {"utf-8 closing only, used both ways", CLOSE "Hi" CLOSE, CharacterSet::Utf8, true},
        {"utf-8 with an ascii quote too", OPEN "Hi" CLOSE " and \"bye\"", CharacterSet::Utf8,
         false},
        {"utf-8 single quotes only", "\xE2\x80\x98Hi" APOSTROPHE, CharacterSet::Utf8, false},
        {"utf-8 dash is not a quote", "Wait" DASH "no.", CharacterSet::Utf8, false},
        {"0x93 and 0x94 inside utf-8 characters", "\xC4\x93 and \xC4\x94", CharacterSet::Utf8,
         false},
        {"cp1252 pair", "\x93Hi,\x94 she said at the caf\xE9.", CharacterSet::Windows1252, true},
        {"cp1252 closing only", "\x94Hi\x94", CharacterSet::Windows1252, true},
        {"cp1252 with an ascii quote too", "\x93Hi\x94 \"bye\"", CharacterSet::Windows1252, false},
        {"cp1252 single quotes only", "\x91Hi\x92", CharacterSet::Windows1252, false},
        {"utf-8 quote bytes in a cp1252 text", OPEN "Hi" CLOSE " caf\xE9",
         CharacterSet::Windows1252, false},
        {"ascii with quotes", "\"Hi,\" he said.", CharacterSet::Ascii, false},
        {"ascii without quotes", "No dialogue here.", CharacterSet::Ascii, false},
        {"empty", "", CharacterSet::Ascii, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_EQ(DetectCharacterSet(c.text), c.set);
        EXPECT_EQ(HasOnlyTypographicQuotes(c.text, c.set), c.expected);
    }
}

struct RewriteCase {
    const char* label;
    std::string_view text;
    std::string_view expected;
    std::size_t count;
};

TEST(TypographicQuotes, rewrites_each_typographic_quote_as_one_ascii_quote) {
    const RewriteCase cases[] = {
        {"utf-8 speech with tag", OPEN "Hi," CLOSE " she said, " OPEN "bye." CLOSE,
         "\"Hi,\" she said, \"bye.\"", 4},
        {"utf-8 other characters kept", OPEN "r\xC3\xA9sum\xC3\xA9" DASH "it" APOSTROPHE "s" CLOSE,
         "\"r\xC3\xA9sum\xC3\xA9" DASH "it" APOSTROPHE "s\"", 2},
        {"utf-8 adjacent at both ends", OPEN CLOSE "x" OPEN CLOSE, "\"\"x\"\"", 4},
        {"utf-8 0x93 inside a character", "\xC4\x93" OPEN "a" CLOSE, "\xC4\x93\"a\"", 2},
        {"utf-8 without quotes", "caf\xC3\xA9", "caf\xC3\xA9", 0},
        {"cp1252 pair", "\x93Hi,\x94 caf\xE9", "\"Hi,\" caf\xE9", 2},
        {"cp1252 single quotes kept", "\x91Hi\x92 \x93x\x94", "\x91Hi\x92 \"x\"", 2},
        {"utf-8 quote bytes in a cp1252 text", OPEN "Hi" CLOSE " caf\xE9",
         OPEN "Hi" CLOSE " caf\xE9", 0},
        {"ascii", "\"Hi\"", "\"Hi\"", 0},
        {"empty", "", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::string text(c.text);
        EXPECT_EQ(StraightenTypographicQuotes(text, DetectCharacterSet(c.text)), c.count);
        EXPECT_EQ(text, c.expected);
    }
}

// A quote cut off at the end of the text is not a quote; nothing may be read past the end.
TEST(TypographicQuotes, leaves_a_truncated_utf8_quote_alone) {
    std::string text = "a\xE2\x80";
    EXPECT_EQ(StraightenTypographicQuotes(text, CharacterSet::Utf8), 0U);
    EXPECT_EQ(text, "a\xE2\x80");
    EXPECT_FALSE(HasOnlyTypographicQuotes(text, CharacterSet::Utf8));
}

#undef OPEN
#undef CLOSE
#undef APOSTROPHE
#undef DASH

struct Split {
    std::string dialogue;
    std::string narration;
    bool operator==(const Split&) const = default;
};

std::vector<Split> SplitAll(const std::filesystem::path& file) {
    TextReader reader;
    reader.Load(file.string());
    EXPECT_TRUE(reader.IsLoaded()) << file;
    std::vector<Split> splits;
    std::string paragraph;
    while (reader.ReadParagraph(paragraph)) {
        splits.push_back({ExtractDialogue(paragraph), ExtractNarration(paragraph)});
    }
    return splits;
}

// The straight quotes of a text as a modern ebook prints them: in each paragraph the first
// quote opens, the next closes, and so on.
std::string WithTypographicQuotes(std::string_view text) {
    std::string result;
    bool open = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 4) == "\r\n\r\n") {
            open = true;
        }
        if (text[i] == '"') {
            result += open ? "\xE2\x80\x9C" : "\xE2\x80\x9D";
            open = !open;
        } else {
            result += text[i];
        }
    }
    return result;
}

// End to end on a novel: once its typographic quotes are rewritten, the paragraphs split
// into the same dialogue and narration as the novel printed with straight quotes.
TEST(TypographicQuotes, novel_with_typographic_quotes_splits_like_the_straight_original) {
    const std::filesystem::path corpus =
        std::filesystem::path(VELMORA_CORPUS_DIR) / "pride-and-prejudice-crlf.txt";
    const std::string whole = test::ReadAll(corpus);
    if (whole.empty()) {
        GTEST_SKIP() << "corpus not found: " << corpus;
    }
    const std::string straight = whole.substr(0, 200'000);
    const std::string typographic = WithTypographicQuotes(straight);

    test::TempDir folder;
    const auto straightFile = folder.Write("straight.txt", straight);
    const auto typographicFile = folder.Write("typographic.txt", typographic);

    TextReader reader;
    reader.Load(typographicFile.string());
    ASSERT_TRUE(reader.IsLoaded());
    std::string text(reader.Text());
    const CharacterSet set = DetectCharacterSet(text);
    ASSERT_EQ(set, CharacterSet::Utf8);
    ASSERT_TRUE(HasOnlyTypographicQuotes(text, set));
    EXPECT_EQ(StraightenTypographicQuotes(text, set),
              static_cast<std::size_t>(std::count(straight.begin(), straight.end(), '"')));
    EXPECT_EQ(text, straight);
    const auto straightenedFile = folder.Write("straightened.txt", text);

    const std::vector<Split> expected = SplitAll(straightFile);
    const auto withDialogue = std::count_if(expected.begin(), expected.end(),
                                            [](const Split& s) { return !s.dialogue.empty(); });
    ASSERT_GT(withDialogue, 400) << "the sample should be rich in dialogue";

    // Unrewritten, the whole novel would be narration.
    for (const Split& split : SplitAll(typographicFile)) {
        ASSERT_EQ(split.dialogue, "");
    }
    const std::vector<Split> actual = SplitAll(straightenedFile);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(actual[i], expected[i]) << "paragraph " << i + 1;
    }
}

}  // namespace
}  // namespace velmora
