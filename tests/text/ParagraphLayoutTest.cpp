#include "text/ParagraphLayout.h"

#include "tests/support/TempDir.h"
#include "text/GutenbergMatter.h"
#include "text/TextReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora {
namespace {

using Paragraphs = std::vector<std::string>;

// A line longer than any text is wrapped at, as one-line paragraphs are.
std::string Long(char letter) {
    std::string line;
    while (line.size() < 200) {
        line += std::string(6, letter) + ' ';
    }
    return line + "end.";
}

Paragraphs Read(std::string text, bool rewrite) {
    TextReader reader;
    reader.Assign(std::move(text));
    if (rewrite) {
        reader.RewriteParagraphs(DetectParagraphLayout(reader.Text()));
    }
    Paragraphs paragraphs;
    std::string paragraph;
    while (reader.ReadParagraph(paragraph)) {
        paragraphs.push_back(paragraph);
    }
    return paragraphs;
}

struct LayoutCase {
    const char* label;
    std::string text;
    ParagraphLayout layout;
    std::string rewritten;  // what the reader holds after Yes
    Paragraphs answeredYes;
};

TEST(ParagraphLayout, tells_the_layout_and_reads_it_once_answered) {
    const std::string a = Long('a');
    const std::string b = Long('b');
    const std::string c = Long('c');
    const std::string wrapped = std::string(70, 'w') + "\n";
    std::string manyWrapped;
    for (int i = 0; i < 20; ++i) {
        manyWrapped += wrapped;
    }
    const LayoutCase cases[] = {
        {"LF",
         "One\ntwo\n\nThree\n",
         ParagraphLayout::BlankLines,
         "One\r\ntwo\r\n\r\nThree\r\n",
         {"One\r\ntwo", "Three\r\n"}},
        {"CR",
         "One\rtwo\r\rThree",
         ParagraphLayout::BlankLines,
         "One\r\ntwo\r\n\r\nThree",
         {"One\r\ntwo", "Three"}},
        {"CR LF with blank lines of spaces and tabs",
         "One\r\ntwo\r\n  \r\nThree\r\n\t \r\nFour",
         ParagraphLayout::BlankLines,
         "One\r\ntwo\r\n\r\nThree\r\n\r\nFour",
         {"One\r\ntwo", "Three", "Four"}},
        {"mixed line ends and blank lines",
         "One\r\ntwo\n\nThree\r\rFour\r\n \nFive",
         ParagraphLayout::BlankLines,
         "One\r\ntwo\r\n\r\nThree\r\n\r\nFour\r\n\r\nFive",
         {"One\r\ntwo", "Three", "Four", "Five"}},
        {"CR CR LF is one line end",
         "One\r\r\ntwo\r\r\n\r\r\nThree",
         ParagraphLayout::BlankLines,
         "One\r\ntwo\r\n\r\nThree",
         {"One\r\ntwo", "Three"}},
        {"indentation and trailing spaces of lines stay",
         "  One  \n\n\tTwo\n",
         ParagraphLayout::BlankLines,
         "  One  \r\n\r\n\tTwo\r\n",
         {"One  ", "\tTwo\r\n"}},
        {"single-line paragraphs",
         a + "\n\"Yes,\" he said.\n" + b + "\n" + c + "\n",
         ParagraphLayout::LinePerParagraph,
         a + "\r\n\r\n\"Yes,\" he said.\r\n\r\n" + b + "\r\n\r\n" + c + "\r\n\r\n",
         {a, "\"Yes,\" he said.", b, c}},
        {"single-line paragraphs with a blank line between chapters",
         a + "\r\n" + b + "\r\n \r\n" + c,
         ParagraphLayout::LinePerParagraph,
         a + "\r\n\r\n" + b + "\r\n\r\n" + c,
         {a, b, c}},
        {"single-line paragraphs, each after a blank line",
         a + "\n\n" + b + "\n\n",
         ParagraphLayout::BlankLines,
         a + "\r\n\r\n" + b + "\r\n\r\n",
         {a, b}},
        {"CR LF CR LF already",
         "One\r\ntwo\r\n\r\nThree\n\nFour",
         ParagraphLayout::ReaderBreaks,
         "One\r\ntwo\r\n\r\nThree\n\nFour",
         {"One\r\ntwo", "Three\n\nFour"}},
        {"hard-wrapped without blank lines",
         manyWrapped,
         ParagraphLayout::Unbroken,
         manyWrapped,
         {manyWrapped}},
        {"one long line among wrapped ones",
         manyWrapped + a + "\n" + manyWrapped,
         ParagraphLayout::Unbroken,
         manyWrapped + a + "\n" + manyWrapped,
         {manyWrapped + a + "\n" + manyWrapped}},
        {"one long line", a, ParagraphLayout::Unbroken, a, {a}},
        {"blank lines only before and after",
         "\n \nOne\ntwo\n\n",
         ParagraphLayout::Unbroken,
         "\n \nOne\ntwo\n\n",
         {"One\ntwo\n\n"}},
        {"empty", "", ParagraphLayout::Unbroken, "", {}},
    };
    for (const LayoutCase& test : cases) {
        SCOPED_TRACE(test.label);
        EXPECT_EQ(DetectParagraphLayout(test.text), test.layout);
        std::string text = test.text;
        RewriteParagraphs(text, test.layout);
        EXPECT_EQ(text, test.rewritten);
        EXPECT_EQ(Read(test.text, true), test.answeredYes);
        const Paragraphs asItIs = Read(test.text, false);
        if (test.layout == ParagraphLayout::BlankLines ||
            test.layout == ParagraphLayout::LinePerParagraph) {
            EXPECT_EQ(asItIs.size(), 1U) << "answered No, it reads as one paragraph";
        } else {
            EXPECT_EQ(asItIs, test.answeredYes) << "nothing offered, nothing changed";
        }
    }
}

TEST(ParagraphLayout, counts_characters_not_bytes_in_a_line) {
    // Wrapped at 100 characters of two bytes each: long in bytes, short in characters.
    std::string line;
    for (int i = 0; i < 100; ++i) {
        line += "\xD0\x96";  // a Cyrillic letter
    }
    const std::string text = line + "\n" + line + "\n" + line + "\n";
    EXPECT_EQ(DetectParagraphLayout(text), ParagraphLayout::Unbroken);
}

TEST(ParagraphLayout, rewrites_within_the_room_it_has_and_grows_when_it_has_none) {
    std::string lines;
    for (int i = 0; i < 1000; ++i) {
        lines += "A line of text as a novel holds it, wrapped.\n";
        lines += i % 5 == 4 ? "\n" : "";
    }
    std::string expected = lines;
    for (std::size_t at = 0; (at = expected.find('\n', at)) != std::string::npos; at += 2) {
        expected.insert(at, 1, '\r');
    }

    std::string roomy;
    roomy.reserve(lines.size() + lines.size() / kRewriteRoomDivisor);
    roomy = lines;
    const char* before = roomy.data();
    RewriteParagraphs(roomy, ParagraphLayout::BlankLines);
    EXPECT_EQ(roomy, expected);
    EXPECT_EQ(roomy.data(), before) << "no second copy of the text";

    std::string tight = lines;
    tight.shrink_to_fit();
    RewriteParagraphs(tight, ParagraphLayout::BlankLines);
    EXPECT_EQ(tight, expected);
}

TEST(ParagraphLayout, rewrites_the_same_text_the_same_way) {
    const std::string text = Long('x') + "\n \n" + Long('y') + "\r" + Long('z');
    std::string first = text;
    std::string second = text;
    RewriteParagraphs(first, DetectParagraphLayout(text));
    RewriteParagraphs(second, DetectParagraphLayout(text));
    EXPECT_EQ(first, second);
    std::string again = first;
    RewriteParagraphs(again, DetectParagraphLayout(again));
    EXPECT_EQ(again, first) << "a rewritten text holds CR LF CR LF and is left alone";
}

// What the reader does with the answers at load: the book kept without Project Gutenberg's
// matter and its blank lines read as breaks, in memory only, within the room Load keeps.
TEST(ParagraphLayout, the_reader_keeps_the_book_and_rewrites_it_where_it_is) {
    const test::TempDir dir;
    const std::string file =
        "Header\n*** START OF THE PROJECT GUTENBERG EBOOK X ***\nOne\ntwo\n\n"
        "Three\n*** END OF THE PROJECT GUTENBERG EBOOK X ***\nLicence \"quoted\"\n";
    const auto path = dir.Write("novel.txt", file);
    TextReader reader;
    reader.Load(path.string());
    ASSERT_TRUE(reader.IsLoaded());
    const auto body = FindGutenbergBody(reader.Text());
    ASSERT_TRUE(body);
    reader.KeepOnly(body->begin, body->end);
    EXPECT_EQ(reader.Text(), "One\ntwo\n\nThree\n");
    const char* before = reader.Text().data();
    reader.RewriteParagraphs(DetectParagraphLayout(reader.Text()));
    EXPECT_EQ(reader.Text().data(), before) << "rewritten within the room Load keeps";
    std::string paragraph;
    Paragraphs paragraphs;
    while (reader.ReadParagraph(paragraph)) {
        paragraphs.push_back(paragraph);
    }
    EXPECT_EQ(paragraphs, (Paragraphs{"One\r\ntwo", "Three\r\n"}));
    EXPECT_EQ(test::ReadAll(path), file) << "the file is never written";

    const FileIdentity document{7, 42};
    reader.Assign("Imported.", document);
    EXPECT_EQ(reader.Identity(), document) << "an imported text keeps its document's identity";
    EXPECT_TRUE(reader.IsLoaded());
}

// A corpus novel with its line ends turned to LF, and with each paragraph joined into one
// line, reads as the CR LF original does.
TEST(ParagraphLayout, reads_a_novel_in_other_layouts_as_its_original) {
    const std::filesystem::path novel =
        std::filesystem::path(VELMORA_CORPUS_DIR) / "pride-and-prejudice-crlf.txt";
    const std::string original = test::ReadAll(novel);
    if (original.empty()) {
        GTEST_SKIP() << "no corpus at " << VELMORA_CORPUS_DIR;
    }
    const Paragraphs paragraphs = Read(original, false);

    std::string lf = original;
    lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
    EXPECT_EQ(DetectParagraphLayout(lf), ParagraphLayout::BlankLines);
    EXPECT_EQ(Read(lf, true), paragraphs);

    std::string oneLine;
    Paragraphs joined;
    for (const std::string& paragraph : paragraphs) {
        std::string line;  // the paragraph's line breaks as spaces
        for (std::size_t i = 0; i < paragraph.size(); ++i) {
            const bool lineBreak = paragraph.compare(i, 2, "\r\n") == 0;
            line.push_back(lineBreak ? ' ' : paragraph[i]);
            i += lineBreak ? 1 : 0;
        }
        oneLine += line + "\n";
        joined.push_back(line);
    }
    EXPECT_EQ(DetectParagraphLayout(oneLine), ParagraphLayout::LinePerParagraph);
    EXPECT_EQ(Read(oneLine, true), joined);
}

}  // namespace
}  // namespace velmora
