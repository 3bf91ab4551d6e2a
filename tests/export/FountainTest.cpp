#include "export/ExportScript.h"
#include "export/FountainMarkup.h"
#include "export/FountainWriter.h"
#include "export/TitlePage.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora {
namespace {

// The line a kind of element is written as.
std::string Markup(std::string_view kind, std::string_view text) {
    if (kind == "narration") {
        return FountainAction(text);
    }
    if (kind == "character") {
        return FountainCue(text);
    }
    if (kind == "parenthetical") {
        return FountainParenthetical(text);
    }
    if (kind == "dialogue") {
        return FountainDialogue(text);
    }
    if (kind == "note") {
        return FountainNote(text);
    }
    return FountainHeading(text);
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', at);
        fields.push_back(line.substr(at, tab - at));
        if (tab == std::string::npos) {
            return fields;
        }
        at = tab + 1;
    }
}

// tests/data/fountain-lines.tsv: each line a reader would misread, and the form written;
// the test run also has fountain-js read every form back (tests/export/CMakeLists.txt).
TEST(FountainMarkup, writes_each_line_a_reader_would_misread_in_its_forced_form) {
    const char* data = std::getenv("VELMORA_TEST_DATA");
    ASSERT_NE(data, nullptr);
    const std::string table = test::ReadAll(std::filesystem::path(data) / "fountain-lines.tsv");
    ASSERT_FALSE(table.empty());
    int cases = 0;
    std::size_t at = 0;
    while (at < table.size()) {
        const std::size_t end = table.find('\n', at);
        const std::string line = table.substr(at, end - at);
        at = end == std::string::npos ? table.size() : end + 1;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::vector<std::string> fields = Fields(line);
        ASSERT_GE(fields.size(), 3U) << line;
        // "\n" in the table is a line break.
        std::string forced;
        for (std::size_t i = 0; i < fields[2].size(); ++i) {
            if (fields[2].compare(i, 2, "\\n") == 0) {
                forced += '\n';
                ++i;
            } else {
                forced += fields[2][i];
            }
        }
        EXPECT_EQ(Markup(fields[0], fields[1]), forced) << fields[0] << ": " << fields[1];
        ++cases;
    }
    EXPECT_GT(cases, 50);
}

TEST(WriteFountain, puts_the_title_page_first_and_each_element_in_its_own_block) {
    ExportScript script;
    script.elements = {
        {ElementKind::Heading, "CHAPTER I"},  {ElementKind::Narration, "It was dark."},
        {ElementKind::CharacterName, "John"}, {ElementKind::Parenthetical, "softly"},
        {ElementKind::Dialogue, "Hello."},    {ElementKind::Note, "check"},
        {ElementKind::CharacterName, "MARY"}, {ElementKind::Dialogue, "Hi."},
    };
    const TitlePage title{"Emma", "based on the novel by Jane Austen"};
    EXPECT_EQ(WriteFountain(script, title),
              "Title: Emma\n"
              "Source: based on the novel by Jane Austen\n"
              "\n.CHAPTER I\n"
              "\nIt was dark.\n"
              "\n@John\n(softly)\nHello.\n"
              "\n[[check]]\n"
              "\nMARY\nHi.\n");
}

TEST(TitlePageOf, takes_the_title_and_author_a_text_gives_or_its_file_name) {
    const std::string header =
        "The Project Gutenberg EBook of Emma\r\n\r\nTitle: Emma\r\n\r\nAuthor: Jane Austen\r\n";
    const TitlePage page = TitlePageOf(header, CharacterSet::Ascii, "/books/emma.txt");
    EXPECT_EQ(page.title, "Emma");
    EXPECT_EQ(page.source, "based on the novel by Jane Austen");
    const TitlePage plain = TitlePageOf("\"Hi.\"", CharacterSet::Ascii, "/books/My Novel.txt");
    EXPECT_EQ(plain.title, "My Novel");
    EXPECT_EQ(plain.source, "based on the novel");
    const TitlePage latin =
        TitlePageOf("Title: Les Mis\xE9rables\n", CharacterSet::Windows1252, "x");
    EXPECT_EQ(latin.title, "Les Mis\xC3\xA9rables") << "decoded to UTF-8";
}

}  // namespace
}  // namespace velmora
