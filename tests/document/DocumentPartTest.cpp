// The text each format's part reads as, case by case, fed whole and a few bytes at a time
// (so that every boundary of the streaming parse is crossed).
#include "document/DocxReader.h"
#include "document/ImportRefusal.h"
#include "document/OdtReader.h"
#include "document/ParagraphText.h"
#include "document/XhtmlReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace velmora {
namespace {

using PartReader = std::function<void(const XmlSource&, ParagraphText&)>;

XmlSource Chunked(const std::string& xml, std::size_t chunk) {
    auto at = std::make_shared<std::size_t>(0);
    return [&xml, chunk, at](char* buffer, std::size_t count) {
        const std::size_t size = std::min({count, chunk, xml.size() - *at});
        std::copy_n(xml.data() + *at, size, buffer);
        *at += size;
        return size;
    };
}

// The text, or "refused: " and the reason.
std::string Read(const PartReader& reader, const std::string& xml, std::size_t chunk) {
    ParagraphText text(1 << 24, "too long");
    try {
        reader(Chunked(xml, chunk), text);
    } catch (const ImportRefusal& refusal) {
        return std::string("refused: ") + refusal.what();
    }
    return text.Take();
}

struct PartCase {
    const char* label;
    std::string xml;
    std::string text;
};

void Check(const PartReader& reader, const PartCase& test) {
    SCOPED_TRACE(test.label);
    for (const std::size_t chunk : {std::size_t{1 << 20}, std::size_t{3}}) {
        SCOPED_TRACE(chunk);
        EXPECT_EQ(Read(reader, test.xml, chunk), test.text);
    }
}

const PartReader kDocx = [](const XmlSource& part, ParagraphText& text) {
    ReadDocxPart(part, "word/document.xml", text);
};
const PartReader kOdt = [](const XmlSource& part, ParagraphText& text) {
    ReadOdtPart(part, "content.xml", text);
};
const PartReader kXhtml = [](const XmlSource& part, ParagraphText& text) {
    ReadXhtmlPart(part, "EPUB", "OEBPS/ch1.xhtml", text);
};

std::string Docx(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
           "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" "
           "xmlns:v=\"urn:schemas-microsoft-com:vml\"><w:body>" +
           body + "<w:sectPr><w:pgSz w:w=\"12240\"/></w:sectPr></w:body></w:document>";
}

std::string WordRun(const std::string& text) { return "<w:r><w:t>" + text + "</w:t></w:r>"; }

TEST(DocxPart, reads_paragraphs_runs_tabs_and_breaks) {
    const PartCase cases[] = {
        {"paragraphs of runs",
         Docx("<w:p><w:pPr><w:pStyle w:val=\"BodyText\"/></w:pPr>" + WordRun("Hello") +
              "<w:r><w:t xml:space=\"preserve\"> </w:t></w:r>" + WordRun("world.") + "</w:p><w:p>" +
              WordRun("Two") + "</w:p>"),
         "Hello world.\r\n\r\nTwo"},
        {"tabs and breaks",
         Docx("<w:p><w:r><w:t>a</w:t><w:tab/><w:t>b</w:t><w:br/><w:t>c</w:t><w:cr/><w:t>d</w:t>"
              "<w:noBreakHyphen/><w:t>e</w:t></w:r></w:p>"),
         "a\tb\r\nc\r\nd-e"},
        {"tab stops are not tabs",
         Docx("<w:p><w:pPr><w:tabs><w:tab w:val=\"left\" w:pos=\"720\"/></w:tabs></w:pPr>" +
              WordRun("x") + "</w:p>"),
         "x"},
        {"empty paragraphs left out",
         Docx("<w:p/><w:p>" + WordRun("x") + "</w:p><w:p>" + WordRun(" ") + "</w:p><w:p>" +
              WordRun("y") + "</w:p>"),
         "x\r\n\r\ny"},
        {"deletions and field codes left out, insertions and field results kept",
         Docx("<w:p>" + WordRun("Keep ") +
              "<w:del><w:r><w:delText>gone</w:delText></w:r></w:del><w:ins>" + WordRun("new ") +
              "</w:ins><w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText> PAGE "
              "</w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>" +
              WordRun("7") + "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r></w:p>"),
         "Keep new 7"},
        {"links, content controls and smart tags hold runs",
         Docx("<w:p><w:hyperlink r:id=\"x\">" + WordRun("a") + "</w:hyperlink><w:sdt><w:sdtPr/>" +
              "<w:sdtContent>" + WordRun("b") + "</w:sdtContent></w:sdt><w:smartTag>" +
              WordRun("c") + "</w:smartTag></w:p>"),
         "abc"},
        {"table cells one paragraph each",
         Docx("<w:tbl><w:tblPr/><w:tr><w:tc><w:tcPr/><w:p>" + WordRun("a") + "</w:p></w:tc><w:tc>" +
              "<w:p>" + WordRun("b") + "</w:p></w:tc></w:tr></w:tbl>"),
         "a\r\n\r\nb"},
        {"text boxes and drawings left out",
         Docx("<w:p>" + WordRun("x") +
              "<w:r><mc:AlternateContent><mc:Choice><w:drawing><w:txbxContent><w:p>" +
              WordRun("box") +
              "</w:p></w:txbxContent></w:drawing></mc:Choice><mc:Fallback><w:pict><v:textbox>"
              "<w:txbxContent><w:p>" +
              WordRun("box") +
              "</w:p></w:txbxContent></v:textbox></w:pict></mc:Fallback>"
              "</mc:AlternateContent></w:r></w:p>"),
         "x"},
        {"entities and character references",
         Docx("<w:p>" + WordRun("&quot;Hi,&quot; &#8220;she&#x201D; &amp; &lt;") + "</w:p>"),
         "\"Hi,\" \xE2\x80\x9Cshe\xE2\x80\x9D & <"},
        {"line ends inside a run are spaces, bytes that are not UTF-8 are ?",
         Docx("<w:p>" + WordRun("a&#13;&#10;b \xFF c") + "</w:p>"), "a  b ? c"},
        {"another prefix for Word's namespace",
         "<x:document xmlns:x=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
         "<x:body><x:p><x:r><x:t>ok</x:t></x:r></x:p></x:body></x:document>",
         "ok"},
        {"not Word's namespace", "<document><body><p>x</p></body></document>",
         "refused: This DOCX document's word/document.xml is not a Word document."},
        {"not well-formed", Docx("<w:p>" + WordRun("x") + "</w:q>"),
         "refused: This DOCX document is damaged: word/document.xml in it is not well-formed "
         "XML."},
        {"cut short", Docx("").substr(0, 300),
         "refused: This DOCX document is damaged: word/document.xml in it is not well-formed "
         "XML."},
        {"entity declarations",
         "<!DOCTYPE w:document [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>" +
             Docx("<w:p>" + WordRun("&b;") + "</w:p>").substr(56),
         "refused: This DOCX document declares XML entities of its own in word/document.xml, "
         "which Velmora does not expand."},
    };
    for (const PartCase& test : cases) {
        Check(kDocx, test);
    }
}

std::string Odt(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<office:document-content "
           "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
           "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
           "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
           "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
           "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
           "office:version=\"1.3\"><office:scripts><office:script>not text</office:script>"
           "</office:scripts><office:automatic-styles><style:style style:name=\"P1\"/>"
           "</office:automatic-styles><office:body><office:text>"
           "<text:sequence-decls><text:sequence-decl text:name=\"Table\"/></text:sequence-decls>" +
           body + "</office:text></office:body></office:document-content>";
}

TEST(OdtPart, reads_paragraphs_and_headings) {
    const PartCase cases[] = {
        {"headings and paragraphs",
         Odt("<text:h text:outline-level=\"1\">Chapter 1</text:h><text:p text:style-name=\"P1\">"
             "It is a truth.</text:p>"),
         "Chapter 1\r\n\r\nIt is a truth."},
        {"white space collapsed, text:s kept",
         Odt("<text:p>  a   b <text:s text:c=\"3\"/>c\n d</text:p>"), "a b    c d"},
        {"tabs, line breaks, spans and links",
         Odt("<text:p>a<text:tab/>b<text:line-break/><text:span "
             "text:style-name=\"T1\">c</text:span>"
             " <text:a>d</text:a><text:soft-page-break/>e</text:p>"),
         "a\tb\r\nc de"},
        {"lists, sections and tables",
         Odt("<text:list><text:list-item><text:p>one</text:p></text:list-item></text:list>"
             "<text:section text:name=\"S\"><text:p>two</text:p></text:section><table:table>"
             "<table:table-row><table:table-cell><text:p>three</text:p><text:p>four</text:p>"
             "</table:table-cell></table:table-row></table:table>"),
         "one\r\n\r\ntwo\r\n\r\nthree\r\n\r\nfour"},
        {"notes, annotations, frames and tracked deletions left out",
         Odt("<text:tracked-changes><text:changed-region><text:deletion><text:p>gone</text:p>"
             "</text:deletion></text:changed-region></text:tracked-changes><text:p>a<text:note>"
             "<text:note-citation>1</text:note-citation><text:note-body><text:p>note</text:p>"
             "</text:note-body></text:note><office:annotation><text:p>comment</text:p>"
             "</office:annotation><draw:frame><draw:text-box><text:p>box</text:p></draw:text-box>"
             "</draw:frame>b</text:p>"),
         "ab"},
        {"a run of spaces is capped", Odt("<text:p>a<text:s text:c=\"1000000\"/>b</text:p>"),
         "a" + std::string(64, ' ') + "b"},
        {"empty paragraphs left out", Odt("<text:p/><text:p> </text:p><text:p>x</text:p>"), "x"},
        {"a spreadsheet's body is not text",
         "<office:document-content "
         "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
         "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body>"
         "<office:spreadsheet><text:p>cell</text:p></office:spreadsheet></office:body>"
         "</office:document-content>",
         ""},
    };
    for (const PartCase& test : cases) {
        Check(kOdt, test);
    }
}

std::string Xhtml(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\" "
           "xmlns:epub=\"http://www.idpf.org/2007/ops\">"
           "<head><title>Title</title><style>p { margin: 0 }</style></head>\n"
           "<body epub:type=\"bodymatter\">\n" +
           body + "\n</body>\n</html>\n";
}

// ASCII text in UTF-16LE, after its byte order mark.
std::string Utf16(std::string_view ascii) {
    std::string out = "\xFF\xFE";
    for (const char byte : ascii) {
        out.push_back(byte);
        out.push_back('\0');
    }
    return out;
}

TEST(XhtmlPart, reads_block_elements_as_a_reading_system_shows_them) {
    const PartCase cases[] = {
        {"blocks and white space",
         Xhtml("<h1>Chapter\n 1</h1>\n<p>It is\n  a truth.</p><p>  \"Yes,\"  she said. </p>"),
         "Chapter 1\r\n\r\nIt is a truth.\r\n\r\n\"Yes,\" she said."},
        {"inline elements keep a paragraph together",
         Xhtml("<p>a <em>b</em> <span>c</span><a href=\"x\">d</a></p>"), "a b cd"},
        {"nested blocks and text beside them",
         Xhtml("<section><div><p>a</p>b <i>c</i><div>d</div></div></section>"
               "<blockquote><p>e</p></blockquote><ul><li>f</li><li><p>g</p></li></ul>"),
         "a\r\n\r\nb c\r\n\r\nd\r\n\r\ne\r\n\r\nf\r\n\r\ng"},
        {"br and pre", Xhtml("<p>a<br/>b</p><pre>x  y\n  z</pre>"), "a\r\nb\r\n\r\nx  y\r\n  z"},
        {"scripts, ruby annotations, SVG and MathML left out",
         Xhtml("<p><ruby>kan<rp>(</rp><rt>k</rt><rp>)</rp></ruby>ji</p><script>x()</script>"
               "<svg xmlns=\"http://www.w3.org/2000/svg\"><text>svg</text></svg>"),
         "kanji"},
        {"XHTML's named entities; no other",
         Xhtml("<p>&ldquo;Hi&rdquo;&nbsp;&mdash; &#8220;x&#x201D; &amp;amp; &unknown;</p>"),
         "\xE2\x80\x9CHi\xE2\x80\x9D\xC2\xA0\xE2\x80\x94 \xE2\x80\x9Cx\xE2\x80\x9D &amp; "
         "&unknown;"},
        {"a paragraph of no-break spaces is empty", Xhtml("<p>&nbsp;</p><p>x</p>"), "x"},
        {"element names in capitals", Xhtml("<P>a</P><DIV>b</DIV>"), "a\r\n\r\nb"},
        {"ISO-8859-1 declared",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><html><body><p>caf\xE9</p></body></html>",
         "caf\xC3\xA9"},
        {"UTF-16 with its byte order mark", Utf16("<html><p>x</p></html>"), "x"},
        {"entity declarations",
         "<!DOCTYPE html [<!ENTITY lol \"lollollollollol\"><!ENTITY lol2 \"&lol;&lol;&lol;\">]>"
         "<html><body><p>&lol2;</p></body></html>",
         "refused: This EPUB document declares XML entities of its own in OEBPS/ch1.xhtml, which "
         "Velmora does not expand."},
        {"two roots", "<html><body/></html><html/>",
         "refused: This EPUB document is damaged: OEBPS/ch1.xhtml in it is not well-formed XML."},
        {"an end tag of another element", Xhtml("<p>a</b>"),
         "refused: This EPUB document is damaged: OEBPS/ch1.xhtml in it is not well-formed XML."},
        {"cut short", "<html><body><p>a",
         "refused: This EPUB document is damaged: OEBPS/ch1.xhtml in it is not well-formed XML."},
    };
    for (const PartCase& test : cases) {
        Check(kXhtml, test);
    }
}

TEST(XmlWalk, parses_no_element_whole_past_a_bound) {
    std::string deep;
    for (int i = 0; i < 100; ++i) {
        deep += "<div>";
    }
    deep += "<p>x</p>";
    for (int i = 0; i < 100; ++i) {
        deep += "</div>";
    }
    Check(kXhtml, {"wrappers nested deeper than streamed", Xhtml(deep), "x"});

    const std::string huge =
        Xhtml("<table><tr><td>" + std::string(9 << 20, 'a') + "</td></tr></table>");
    EXPECT_EQ(Read(kXhtml, huge, 1 << 16),
              "refused: This EPUB document holds more in one piece of OEBPS/ch1.xhtml than "
              "Velmora reads at once.");
}

// A body far larger than one batch reads as it would whole, at every chunk size.
TEST(XmlWalk, a_long_body_reads_the_same_in_batches) {
    std::string docxBody;
    std::string xhtmlBody = "<section>";
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        const std::string number = std::to_string(i);
        docxBody += "<w:p>" + WordRun("Paragraph ") + WordRun(number + ", \"said\" &amp; done.") +
                    "</w:p>\n";
        xhtmlBody += "<p>Paragraph " + number + ", <em>\"said\"</em> &amp; done.</p>\n";
        expected += (i == 0 ? "" : "\r\n\r\n") + ("Paragraph " + number + ", \"said\" & done.");
    }
    for (const std::size_t chunk : {std::size_t{1 << 20}, std::size_t{4093}}) {
        EXPECT_EQ(Read(kDocx, Docx(docxBody), chunk), expected);
        EXPECT_EQ(Read(kXhtml, Xhtml(xhtmlBody + "</section>"), chunk), expected);
    }
}

}  // namespace
}  // namespace velmora
