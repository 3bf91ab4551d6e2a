#include "text/TextReader.h"

#include "platform/File.h"
#include "tests/support/FileLock.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace velmora {
namespace {

using namespace std::string_literals;
using test::IsLockedElsewhere;
using test::TempDir;

// Every paragraph the reader hands out for a file holding text, in order.
std::vector<std::string> Paragraphs(const TempDir& dir, const std::string& text) {
    const auto path = dir.Write("novel.txt", text);
    TextReader reader;
    reader.Load(path.string());
    EXPECT_TRUE(reader.IsLoaded());
    EXPECT_EQ(reader.Text(), text) << "held exactly as in the file";
    std::vector<std::string> paragraphs;
    std::string paragraph = "untouched";
    while (reader.ReadParagraph(paragraph)) {
        paragraphs.push_back(paragraph);
    }
    EXPECT_EQ(paragraph, paragraphs.empty() ? "untouched" : paragraphs.back())
        << "the last call leaves its out-parameter alone";
    EXPECT_FALSE(reader.IsLoaded()) << "exhausted";
    EXPECT_FALSE(reader.ReadParagraph(paragraph)) << "stays exhausted";
    return paragraphs;
}

TEST(TextReader, cuts_paragraphs_at_empty_lines) {
    struct Case {
        const char* label;
        std::string text;
        std::vector<std::string> paragraphs;
    };
    const Case cases[] = {
        {"line break stays inside", "One\r\ntwo\r\n\r\nThree", {"One\r\ntwo", "Three"}},
        {"leading separators skipped", "\r\n\r\n   Hello\r\n\r\n", {"Hello"}},
        {"trailing line break kept", "Last line\r\n", {"Last line\r\n"}},
        {"LF-only text is one paragraph", "one\n\ntwo\n\nthree", {"one\n\ntwo\n\nthree"}},
        {"CR-only text is one paragraph", "\r\rone\r\rtwo\r\r", {"one\r\rtwo\r\r"}},
        {"blank line of spaces", "a\r\n \r\nb", {"a\r\n \r\nb"}},
        {"leading tab stays", "\tIndented", {"\tIndented"}},
        {"tab after a break stays", "A\r\n\r\n\tB", {"A", "\tB"}},
        {"spaces before the break stay", "A  \r\n\r\nB", {"A  ", "B"}},
        {"long run of separators", "A\r\n\r\n\r\n \r\n\n\r  B", {"A", "B"}},
        {"short last paragraph", "Text.\r\n\r\nOK", {"Text.", "OK"}},
        {"short last paragraph ends the file",
         "The story ends here.\r\n\r\nEND.",
         {"The story ends here.", "END."}},
        {"one-byte paragraphs", "A\r\n\r\nB\r\n\r\nC", {"A", "B", "C"}},
        {"one-byte text", "x", {"x"}},
        {"bytes pass through", "\0\xFF\x93\r\n\r\n\xE9t\xE9"s, {"\0\xFF\x93"s, "\xE9t\xE9"}},
        {"separators only", "\r\n \r\n\n\r   \r\n", {}},
        {"empty file", "", {}},
    };
    const TempDir dir;
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(Paragraphs(dir, row.text), row.paragraphs);
    }
}

TEST(TextReader, rewinding_reads_the_same_paragraphs_again_even_after_the_end) {
    TempDir dir;
    const std::string text = "\r\n One\r\n\r\nTwo\r\n\r\n  Three";
    TextReader reader;
    reader.Load(dir.Write("novel.txt", text).string());
    std::string paragraph;
    ASSERT_TRUE(reader.ReadParagraph(paragraph));
    EXPECT_EQ(text.substr(reader.ParagraphBegin(), paragraph.size()), "One");
    const auto position = reader.Position();
    const auto begin = reader.ParagraphBegin();
    std::vector<std::string> rest;
    while (reader.ReadParagraph(paragraph)) {
        rest.push_back(paragraph);
        EXPECT_EQ(text.substr(reader.ParagraphBegin(), paragraph.size()), paragraph);
    }
    ASSERT_FALSE(reader.IsLoaded());

    reader.Rewind(position, begin);
    EXPECT_TRUE(reader.IsLoaded()) << "a rewound reader has paragraphs to give again";
    EXPECT_EQ(reader.ParagraphBegin(), begin);
    std::vector<std::string> again;
    while (reader.ReadParagraph(paragraph)) {
        again.push_back(paragraph);
    }
    EXPECT_EQ(again, rest);
    EXPECT_EQ(rest, (std::vector<std::string>{"Two", "Three"}));
}

TEST(TextReader, reading_before_load_gives_nothing) {
    TextReader reader;
    std::string paragraph = "untouched";
    EXPECT_FALSE(reader.IsLoaded());
    EXPECT_FALSE(reader.ReadParagraph(paragraph));
    EXPECT_EQ(paragraph, "untouched");
}

TEST(TextReader, loads_a_name_from_the_current_directory_and_releases_the_file) {
    const TempDir dir;
    const auto path = dir.Write("novel.txt", "Once.");
    const test::CurrentDirectory here(dir.Path());
    TextReader reader;
    reader.Load("novel.txt");
    EXPECT_TRUE(reader.IsLoaded());
    EXPECT_FALSE(IsLockedElsewhere(path)) << "the file is closed once loaded";
}

TEST(TextReader, load_fails_for_files_it_cannot_open) {
    const TempDir dir;
    const auto locked = dir.Write("locked.txt", "text");
    std::filesystem::create_directory(dir / "folder.txt");
    File holder;
    ASSERT_TRUE(holder.OpenForReading(locked.string()));

    for (const char* name : {"missing.txt", "folder.txt", "locked.txt"}) {
        SCOPED_TRACE(name);
        TextReader reader;
        reader.Load((dir / name).string());
        EXPECT_FALSE(reader.IsLoaded());
        std::string paragraph;
        EXPECT_FALSE(reader.ReadParagraph(paragraph));
    }

    holder.Close();
    TextReader reader;
    reader.Load(locked.string());
    EXPECT_TRUE(reader.IsLoaded()) << "loads once the other open has gone";
}

TEST(TextReader, failed_load_forgets_the_earlier_text) {
    const TempDir dir;
    TextReader reader;
    reader.Load(dir.Write("novel.txt", "Earlier.").string());
    ASSERT_TRUE(reader.IsLoaded());
    reader.Load((dir / "missing.txt").string());
    EXPECT_FALSE(reader.IsLoaded());
    std::string paragraph;
    EXPECT_FALSE(reader.ReadParagraph(paragraph));
}

TEST(TextReader, refuses_a_text_too_large_for_its_sizes_and_releases_it) {
    const TempDir dir;
    const auto path = dir.Write("huge.txt", "");
    // Sparse: takes no disk space, and a reader that tried to hold it would need 2 GiB.
    std::filesystem::resize_file(path, TextReader::kMaxLength + 1);
    TextReader reader;
    reader.Load(path.string());
    EXPECT_FALSE(reader.IsLoaded());
    EXPECT_TRUE(reader.Text().empty());
    EXPECT_FALSE(IsLockedElsewhere(path)) << "the file is closed after a failed load";
}

}  // namespace
}  // namespace velmora
