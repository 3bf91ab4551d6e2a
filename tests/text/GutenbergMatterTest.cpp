#include "text/GutenbergMatter.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {
namespace {

std::optional<std::string> Body(std::string_view text) {
    const auto body = FindGutenbergBody(text);
    if (!body) {
        return std::nullopt;
    }
    EXPECT_LE(body->begin, body->end);
    EXPECT_LE(body->end, text.size());
    return std::string(text.substr(body->begin, body->end - body->begin));
}

struct MarkerCase {
    const char* label;
    std::string text;
    std::optional<std::string> body;
};

// The marker lines as the corpus novels and other Project Gutenberg releases write them.
TEST(GutenbergMatter, finds_the_book_between_the_markers) {
    const MarkerCase cases[] = {
        {"current release",
         "The Project Gutenberg eBook of X\r\n\r\n"
         "*** START OF THE PROJECT GUTENBERG EBOOK PRIDE AND PREJUDICE ***\r\n"
         "Chapter 1\r\n\r\nText.\r\n\r\n"
         "*** END OF THE PROJECT GUTENBERG EBOOK PRIDE AND PREJUDICE ***\r\n"
         "Updated editions will replace the previous one.\r\n",
         "Chapter 1\r\n\r\nText.\r\n\r\n"},
        {"'THIS', with the closing line of the book before the end marker (corpus, LF)",
         "Title: War and Peace\n\n*** START OF THIS PROJECT GUTENBERG EBOOK WAR AND PEACE ***\n"
         "\"Well, Prince...\"\n\n\n"
         "End of the Project Gutenberg EBook of War and Peace, by Leo Tolstoy\n\n"
         "*** END OF THIS PROJECT GUTENBERG EBOOK WAR AND PEACE ***\n",
         "\"Well, Prince...\"\n\n\n"},
        {"comma after EBOOK, the old small print after the end (corpus, wrnpc12)",
         "*** START OF THE PROJECT GUTENBERG EBOOK, WAR AND PEACE ***\r\n\r\nBook.\r\n"
         "*** END OF THE PROJECT GUTENBERG EBOOK, WAR AND PEACE ***\r\n"
         "***START**THE SMALL PRINT!**FOR PUBLIC DOMAIN EBOOKS**START***\r\n"
         "*END THE SMALL PRINT! FOR PUBLIC DOMAIN EBOOKS*Ver.02/11/02*END*\r\n",
         "\r\nBook.\r\n"},
        {"no space after the asterisks",
         "***START OF THE PROJECT GUTENBERG EBOOK DRACULA***\nBook.\n"
         "***END OF THE PROJECT GUTENBERG EBOOK DRACULA***\n",
         "Book.\n"},
        {"copyrighted release",
         "*** START OF THE COPYRIGHTED PROJECT GUTENBERG EBOOK X ***\nBook.\n"
         "*** END OF THE COPYRIGHTED PROJECT GUTENBERG EBOOK X ***\n",
         "Book.\n"},
        {"early release: small print at the top, indented, and an 'End of' line",
         "Project Gutenberg's Etext of Alice\n   licence...\n"
         "   *END*THE SMALL PRINT! FOR PUBLIC DOMAIN ETEXTS*Ver.04.29.93*END*\n\n"
         "   ALICE\n\nTHE END\n"
         "End of Project Gutenberg's Alice's Adventures in Wonderland, by Lewis Carroll\n",
         "\n   ALICE\n\nTHE END\n"},
        {"mixed case, CR line ends",
         "Header\r*** Start of the Project Gutenberg EBook Emma ***\rBook.\r"
         "End of The Project Gutenberg Etext of Emma\rLicence\r",
         "Book.\r"},
        {"no end marker", "*** START OF THE PROJECT GUTENBERG EBOOK X ***\nBook.\n", std::nullopt},
        {"end marker only", "Book.\n*** END OF THE PROJECT GUTENBERG EBOOK X ***\n", std::nullopt},
        {"end before start",
         "*** END OF THE PROJECT GUTENBERG EBOOK X ***\n"
         "*** START OF THE PROJECT GUTENBERG EBOOK X ***\nBook.\n",
         std::nullopt},
        {"markers inside lines are prose",
         "He read: *** START OF THE PROJECT GUTENBERG EBOOK ***\n"
         "and the end of the Project Gutenberg edition.\n",
         std::nullopt},
        {"a start line without asterisks is prose",
         "START OF THE PROJECT GUTENBERG EBOOK X\nBook.\n"
         "*** END OF THE PROJECT GUTENBERG EBOOK X ***\n",
         std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const MarkerCase& test : cases) {
        SCOPED_TRACE(test.label);
        EXPECT_EQ(Body(test.text), test.body);
    }
}

TEST(GutenbergMatter, leaves_out_header_and_licence_of_the_corpus_novels) {
    struct Novel {
        const char* file;
        const char* firstWords;  // the book's first words, right after the start marker
        const char* lastWords;   // the book's last words
    };
    const Novel novels[] = {
        {"pride-and-prejudice-crlf.txt", "Produced by Anonymous Volunteers",
         "the means of uniting them."},
        {"war-and-peace-crlf.txt", "War and Peace", "not conscious."},
        {"war-and-peace-lf.txt", "An Anonymous Volunteer", "are not\nconscious."},
    };
    for (const Novel& novel : novels) {
        SCOPED_TRACE(novel.file);
        const std::string text =
            test::ReadAll(std::filesystem::path(VELMORA_CORPUS_DIR) / novel.file);
        if (text.empty()) {
            GTEST_SKIP() << "no corpus at " << VELMORA_CORPUS_DIR;
        }
        const auto body = Body(text);
        ASSERT_TRUE(body);
        const auto first = body->find_first_not_of("\r\n ");
        ASSERT_NE(first, std::string::npos);
        EXPECT_EQ(body->substr(first, std::string_view(novel.firstWords).size()), novel.firstWords);
        const auto last = body->find_last_not_of("\r\n ");
        EXPECT_EQ(body->substr(0, last + 1).ends_with(novel.lastWords), true);
        EXPECT_EQ(body->find("Gutenberg-tm"), std::string::npos) << "no licence";
        EXPECT_EQ(body->find("START OF TH"), std::string::npos) << "no header";
    }
}

}  // namespace
}  // namespace velmora
