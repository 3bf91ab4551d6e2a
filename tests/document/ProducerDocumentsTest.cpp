// Documents made by real producers (pandoc and LibreOffice, tests/data/documents and the
// make-documents.sh that made them) from Pride and Prejudice: each reads as the plain text
// they were made from, line of dialogue for line of dialogue.
//
// The one difference the formats force: a document has no line wraps of its own (a
// paragraph's lines are joined, and HTML collapses white space), so dialogue is compared with
// each run of white space as one space. The smart-typography EPUB also holds typographic
// quotes (straightened as Velmora offers to), apostrophes, dashes and ellipses.
#include "document/DocumentImport.h"

#include "tests/support/TempDir.h"
#include "text/CharacterSet.h"
#include "text/GutenbergMatter.h"
#include "text/QuoteSplitter.h"
#include "text/TextReader.h"
#include "text/TypographicQuotes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace velmora {
namespace {

namespace fs = std::filesystem;

fs::path Documents() {
    const char* data = std::getenv("VELMORA_TEST_DATA");
    return fs::path(data != nullptr ? data : "tests/data") / "documents";
}

std::string OneSpaced(std::string_view text) {
    std::string out;
    bool space = false;
    for (const char byte : text) {
        if (byte == ' ' || byte == '\r' || byte == '\n' || byte == '\t') {
            space = !out.empty();
            continue;
        }
        if (space) {
            out.push_back(' ');
            space = false;
        }
        out.push_back(byte);
    }
    return out;
}

std::vector<std::string> DialogueLines(std::string text) {
    TextReader reader;
    reader.Assign(std::move(text));
    std::vector<std::string> lines;
    std::string paragraph;
    while (reader.ReadParagraph(paragraph)) {
        const std::string dialogue = ExtractDialogue(paragraph);
        if (!dialogue.empty()) {
            lines.push_back(OneSpaced(dialogue));
        }
    }
    return lines;
}

// The novel's book, without Project Gutenberg's matter, up to the line that starts with
// stop (all of it when stop is empty).
std::string Twin(const std::string& stop) {
    const std::string novel =
        test::ReadAll(fs::path(VELMORA_CORPUS_DIR) / "pride-and-prejudice-crlf.txt");
    const auto body = FindGutenbergBody(novel);
    if (!body) {
        return {};
    }
    std::string book = novel.substr(body->begin, body->end - body->begin);
    if (!stop.empty()) {
        book.resize(book.find("\r\n" + stop + "\r\n"));
    }
    return book;
}

std::string Imported(const std::string& file) {
    const fs::path path = Documents() / file;
    const auto kind = DocumentKindOf(file);
    const DocumentImport import = ImportDocument(path.string(), *kind);
    EXPECT_EQ(import.outcome, DocumentImport::Outcome::Imported) << file << ": " << import.reason;
    return import.text;
}

void Replace(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
}

TEST(ProducerDocuments, a_whole_novel_has_the_dialogue_of_its_plain_text) {
    const std::string twin = Twin("");
    if (twin.empty()) {
        GTEST_SKIP() << "no corpus at " << VELMORA_CORPUS_DIR;
    }
    const std::vector<std::string> expected = DialogueLines(twin);
    std::cout << "text: " << expected.size() << " lines of dialogue\n";
    for (const char* file :
         {"pride-and-prejudice.pandoc.epub", "pride-and-prejudice.libreoffice.docx",
          "pride-and-prejudice.libreoffice.odt"}) {
        SCOPED_TRACE(file);
        const std::string text = Imported(file);
        EXPECT_TRUE(IsValidUtf8(text));
        const std::vector<std::string> lines = DialogueLines(text);
        std::cout << file << ": " << lines.size() << " lines of dialogue\n";
        EXPECT_EQ(lines, expected);
    }
}

TEST(ProducerDocuments, chapters_from_each_producer_have_the_dialogue_of_their_text) {
    const std::string twin = Twin("Chapter 4");
    if (twin.empty()) {
        GTEST_SKIP() << "no corpus at " << VELMORA_CORPUS_DIR;
    }
    const std::vector<std::string> expected = DialogueLines(twin);
    ASSERT_GT(expected.size(), 50U);
    for (const char* file : {"chapters.pandoc-epub2.epub", "chapters.pandoc.docx",
                             "chapters.pandoc.odt", "chapters.libreoffice.epub"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(DialogueLines(Imported(file)), expected);
    }

    std::string smart = Imported("chapters.pandoc-smart.epub");
    EXPECT_TRUE(DialogueLines(smart).empty()) << "typographic quotes only";
    ASSERT_TRUE(HasOnlyTypographicQuotes(smart, CharacterSet::Utf8));
    StraightenTypographicQuotes(smart, CharacterSet::Utf8);
    Replace(smart, "\xE2\x80\x99", "'");    // apostrophe
    Replace(smart, "\xE2\x80\x98", "'");    // opening single quote
    Replace(smart, "\xE2\x80\x94", "---");  // em dash
    Replace(smart, "\xE2\x80\x93", "--");   // en dash
    Replace(smart, "\xE2\x80\xA6", "...");  // ellipsis
    EXPECT_EQ(DialogueLines(smart), expected);
}

}  // namespace
}  // namespace velmora
