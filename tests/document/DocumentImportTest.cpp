// Whole documents: how each format finds its text in its archive, and every way a document
// is refused, each with the one sentence the user sees.
#include "document/DocumentImport.h"

#include "document/EpubReader.h"
#include "tests/document/ZipBuilder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace velmora {
namespace {

using test::MakeZip;
using test::ZipMember;

const std::string kContainer =
    "<?xml version=\"1.0\"?><container version=\"1.0\" "
    "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\"><rootfiles>"
    "<rootfile full-path=\"OEBPS/content.opf\" media-type=\"application/oebps-package+xml\"/>"
    "</rootfiles></container>";

std::string Package(const std::string& manifest, const std::string& spine) {
    return "<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" "
           "version=\"3.0\"><metadata/><manifest>" +
           manifest + "</manifest><spine>" + spine + "</spine></package>";
}

std::string Page(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><html xmlns=\"http://www.w3.org/1999/xhtml\">"
           "<head><title>t</title></head><body>" +
           body + "</body></html>";
}

// An EPUB of three chapters, the manifest listing them out of reading order.
std::vector<ZipMember> Epub() {
    return {
        {"mimetype", "application/epub+zip"},
        {"META-INF/container.xml", kContainer},
        {"OEBPS/content.opf",
         Package("<item id=\"c2\" href=\"text/chapter%202.xhtml\" "
                 "media-type=\"application/xhtml+xml\"/>"
                 "<item id=\"c1\" href=\"text/ch1.xhtml\" media-type=\"application/xhtml+xml\"/>"
                 "<item id=\"notes\" href=\"../notes.xhtml\" media-type=\"application/xhtml+xml\"/>"
                 "<item id=\"cover\" href=\"cover.svg\" media-type=\"image/svg+xml\"/>"
                 "<item id=\"font\" href=\"fonts/a.otf\" media-type=\"font/otf\"/>",
                 "<itemref idref=\"cover\"/><itemref idref=\"c1\"/>"
                 "<itemref idref=\"notes\" linear=\"no\"/><itemref idref=\"c2\"/>")},
        {"OEBPS/text/ch1.xhtml", Page("<h1>Chapter 1</h1><p>\"Hello,\" she said.</p>")},
        {"OEBPS/text/chapter 2.xhtml", Page("<p>Chapter 2</p>")},
        {"notes.xhtml", Page("<p>A note.</p>")},
        {"OEBPS/cover.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><text>Cover</text></svg>"},
        {"OEBPS/fonts/a.otf", "font"},
    };
}

std::vector<ZipMember> With(std::vector<ZipMember> members, const ZipMember& member) {
    for (ZipMember& existing : members) {
        if (existing.name == member.name) {
            existing.bytes = member.bytes;
            return members;
        }
    }
    members.push_back(member);
    return members;
}

std::vector<ZipMember> Without(std::vector<ZipMember> members, const std::string& name) {
    std::erase_if(members, [&name](const ZipMember& member) { return member.name == name; });
    return members;
}

std::string Encryption(const std::string& uri) {
    return "<encryption xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\" "
           "xmlns:enc=\"http://www.w3.org/2001/04/xmlenc#\"><enc:EncryptedData>"
           "<enc:EncryptionMethod Algorithm=\"http://www.idpf.org/2008/embedding\"/>"
           "<enc:CipherData><enc:CipherReference URI=\"" +
           uri + "\"/></enc:CipherData></enc:EncryptedData></encryption>";
}

std::vector<ZipMember> Docx(const std::string& mainPart = "word/document.xml") {
    return {
        {"[Content_Types].xml",
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
        {"_rels/.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId2\" "
         "Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/"
         "core-properties\" Target=\"docProps/core.xml\"/>"
         "<Relationship Id=\"rId1\" "
         "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
         "officeDocument\" Target=\"/" +
             mainPart + "\"/></Relationships>"},
        {mainPart,
         "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
         "<w:body><w:p><w:r><w:t>Word text.</w:t></w:r></w:p></w:body></w:document>"},
    };
}

const std::string kOdtContent =
    "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:text>"
    "<text:p>Writer text.</text:p></office:text></office:body></office:document-content>";

std::string OdtManifest(const std::string& contentEntry) {
    return "<manifest:manifest "
           "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
           "<manifest:file-entry manifest:full-path=\"/\" "
           "manifest:media-type=\"application/vnd.oasis.opendocument.text\"/>" +
           contentEntry + "</manifest:manifest>";
}

std::vector<ZipMember> Odt() {
    return {
        {"mimetype", "application/vnd.oasis.opendocument.text"},
        {"META-INF/manifest.xml",
         OdtManifest("<manifest:file-entry manifest:full-path=\"content.xml\" "
                     "manifest:media-type=\"text/xml\"/>")},
        {"content.xml", kOdtContent},
    };
}

// An OLE compound file as Word writes one protected with a password.
std::string CompoundFile(bool encrypted) {
    std::string bytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    bytes.resize(512, '\0');
    const std::string name = encrypted ? "EncryptedPackage" : "WordDocument";
    for (const char byte : name) {
        bytes.push_back(byte);
        bytes.push_back('\0');
    }
    return bytes;
}

struct DocumentCase {
    const char* label;
    DocumentKind kind;
    std::string bytes;
    std::string text;     // expected, when read
    std::string refusal;  // expected, when refused
};

TEST(DocumentImport, reads_each_format_or_says_why_not) {
    const std::string epub = MakeZip(Epub());
    std::string corrupt = epub;
    corrupt.replace(corrupt.size() / 2, 64, std::string(64, 'x'));
    const std::string damagedEpub =
        "This EPUB document is damaged or cut short, so Velmora cannot unpack it.";
    const DocumentCase cases[] = {
        {"EPUB in its spine's order, non-linear items and pictures left out", DocumentKind::Epub,
         epub, "Chapter 1\r\n\r\n\"Hello,\" she said.\r\n\r\nChapter 2", ""},
        {"EPUB with fonts obfuscated by its publisher", DocumentKind::Epub,
         MakeZip(With(Epub(), {"META-INF/encryption.xml", Encryption("OEBPS/fonts/a.otf")})),
         "Chapter 1\r\n\r\n\"Hello,\" she said.\r\n\r\nChapter 2", ""},
        {"EPUB with DRM", DocumentKind::Epub,
         MakeZip(With(Epub(), {"META-INF/encryption.xml", Encryption("OEBPS/text/ch1.xhtml")})), "",
         "This EPUB document is protected by DRM: its text is encrypted, so Velmora cannot read "
         "it."},
        {"EPUB whose spine names a missing file", DocumentKind::Epub,
         MakeZip(Without(Epub(), "OEBPS/text/chapter 2.xhtml")), "",
         "This EPUB document's reading order names OEBPS/text/chapter 2.xhtml, which the "
         "document does not hold."},
        {"EPUB whose spine names an unlisted item", DocumentKind::Epub,
         MakeZip(With(Epub(), {"OEBPS/content.opf", Package("", "<itemref idref=\"c9\"/>")})), "",
         "This EPUB document's reading order names an item its package does not list."},
        {"EPUB without its container", DocumentKind::Epub,
         MakeZip(Without(Epub(), "META-INF/container.xml")), "",
         "This EPUB document has no META-INF/container.xml, so Velmora cannot find its book."},
        {"EPUB whose package declares entities", DocumentKind::Epub,
         MakeZip(With(Epub(), {"OEBPS/content.opf",
                               "<!DOCTYPE package [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" +
                                   Package("", "")})),
         "",
         "This EPUB document declares XML entities of its own in OEBPS/content.opf, which "
         "Velmora does not expand."},
        {"EPUB without text", DocumentKind::Epub,
         MakeZip(With(Epub(), {"OEBPS/content.opf", Package("", "")})), "",
         "This EPUB document holds no text."},
        {"EPUB cut short", DocumentKind::Epub, epub.substr(0, epub.size() / 2), "", damagedEpub},
        {"EPUB with damaged data", DocumentKind::Epub, corrupt, "", damagedEpub},
        {"not a ZIP archive", DocumentKind::Epub, "Just some text, not an archive.", "",
         "This file is not a ZIP archive, as every EPUB document is, so Velmora cannot read it "
         "as one."},
        {"DOCX through its relationships", DocumentKind::Docx, MakeZip(Docx("word/document2.xml")),
         "Word text.", ""},
        {"DOCX protected with a password", DocumentKind::Docx, CompoundFile(true), "",
         "This document is protected with a password: Velmora can open it once it is saved "
         "without one."},
        {"Word 97-2003 document named .docx", DocumentKind::Docx, CompoundFile(false), "",
         "This is a Word 97-2003 document (.doc) with another name: save it as a .docx document "
         "and open that."},
        {"DOCX without its main part", DocumentKind::Docx,
         MakeZip(Without(Docx(), "word/document.xml")), "",
         "This DOCX document has no word/document.xml, which it needs."},
        {"ODT", DocumentKind::Odt, MakeZip(Odt()), "Writer text.", ""},
        {"ODT protected with a password", DocumentKind::Odt,
         MakeZip(With(Odt(), {"META-INF/manifest.xml",
                              OdtManifest("<manifest:file-entry manifest:full-path=\"content.xml\">"
                                          "<manifest:encryption-data/></manifest:file-entry>")})),
         "", "This ODT document is protected with a password."},
        {"spreadsheet named .odt", DocumentKind::Odt,
         MakeZip(With(Odt(), {"mimetype", "application/vnd.oasis.opendocument.spreadsheet"})), "",
         "This file is an OpenDocument file of another kind (a spreadsheet, a drawing or the "
         "like), not a text."},
    };
    for (const DocumentCase& test : cases) {
        SCOPED_TRACE(test.label);
        const DocumentText read = ReadDocument(test.bytes, test.kind);
        EXPECT_EQ(read.text, test.text);
        EXPECT_EQ(read.refusal, test.refusal);
        const DocumentText again = ReadDocument(test.bytes, test.kind);
        EXPECT_EQ(again.text, read.text) << "the same document, the same text";
    }
}

TEST(DocumentImport, refuses_an_archive_that_unpacks_far_beyond_its_size) {
    DocumentLimits limits;
    limits.minUnpackedBytes = 1 << 20;
    const std::string zeros(4 << 20, ' ');
    const std::string body =
        "<w:document xmlns:w=\"http://schemas.openxmlformats.org/"
        "wordprocessingml/2006/main\"><w:body><w:p><w:r><w:t>" +
        zeros + "</w:t></w:r></w:p></w:body></w:document>";
    const std::string bomb = MakeZip({{"word/document.xml", body}});
    ASSERT_LT(bomb.size() * limits.unpackedPerPackedByte, zeros.size());
    const DocumentText read = ReadDocument(bomb, DocumentKind::Docx, limits);
    EXPECT_EQ(read.text, "");
    EXPECT_EQ(read.refusal,
              "This DOCX document unpacks to far more than its own size, as a ZIP bomb does, so "
              "Velmora stopped reading it.");

    // Within the budget, the same part reads.
    limits.minUnpackedBytes = 8 << 20;
    EXPECT_EQ(ReadDocument(bomb, DocumentKind::Docx, limits).refusal,
              "This DOCX document holds no text.");
}

TEST(DocumentImport, resolves_references_as_the_package_names_them) {
    EXPECT_EQ(ResolveHref("OEBPS/content.opf", "text/ch1.xhtml#start"), "OEBPS/text/ch1.xhtml");
    EXPECT_EQ(ResolveHref("OEBPS/content.opf", "../a%20b.xhtml"), "a b.xhtml");
    EXPECT_EQ(ResolveHref("content.opf", "./x/../y.xhtml"), "y.xhtml");
    EXPECT_EQ(ResolveHref("OEBPS/content.opf", "/root.xhtml"), "root.xhtml");
    EXPECT_EQ(ResolveHref("a/b/c.opf", "../../../../up.xhtml"), "up.xhtml");
}

TEST(DocumentImport, tells_the_kind_by_the_name) {
    EXPECT_EQ(DocumentKindOf("War and Peace.EPUB"), DocumentKind::Epub);
    EXPECT_EQ(DocumentKindOf("novel.docx"), DocumentKind::Docx);
    EXPECT_EQ(DocumentKindOf("novel.Odt"), DocumentKind::Odt);
    EXPECT_EQ(DocumentKindOf("novel.txt"), std::nullopt);
    EXPECT_EQ(DocumentKindOf("docx"), std::nullopt);
}

TEST(DocumentImport, holds_the_file_it_reads_and_never_writes_it) {
    const test::TempDir dir;
    const std::string bytes = MakeZip(Odt());
    const auto path = dir.Write("novel.odt", bytes);
    const auto modified = std::filesystem::last_write_time(path);

    const DocumentImport import = ImportDocument(path.string(), DocumentKind::Odt);
    EXPECT_EQ(import.outcome, DocumentImport::Outcome::Imported);
    EXPECT_EQ(import.text, "Writer text.");
    EXPECT_EQ(import.identity, IdentityOf(path.string()));
    EXPECT_EQ(test::ReadAll(path), bytes);
    EXPECT_EQ(std::filesystem::last_write_time(path), modified);

    const DocumentImport missing = ImportDocument((dir / "none.odt").string(), DocumentKind::Odt);
    EXPECT_EQ(missing.outcome, DocumentImport::Outcome::NotOpened);
    EXPECT_NE(missing.openRefusal.failure, OpenFailure::None);

    const auto text = dir.Write("text.docx", "not a document");
    const DocumentImport refused = ImportDocument(text.string(), DocumentKind::Docx);
    EXPECT_EQ(refused.outcome, DocumentImport::Outcome::Refused);
    EXPECT_EQ(refused.identity, IdentityOf(text.string()));
    EXPECT_EQ(test::ReadAll(text), "not a document");
}

}  // namespace
}  // namespace velmora
