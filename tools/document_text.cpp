// Prints the text the reader holds for a novel, to standard output: a document (EPUB, DOCX,
// ODT) as imported, a plain text rewritten for the paragraph layout it is found to have (the
// layout goes to standard error). A refusal's reason goes to standard error, exit status 1.
// For checking by hand, and for measuring time and peak memory:
//   /usr/bin/time -v build/plain/tools/document_text novel.docx >/dev/null
#include "document/DocumentImport.h"
#include "platform/FileError.h"
#include "text/ParagraphLayout.h"
#include "text/TextReader.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr std::array<const char*, 4> kLayoutNames = {"reader breaks", "blank lines",
                                                     "line per paragraph", "unbroken"};

void Print(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

int PlainText(const std::string& name) {
    velmora::TextReader reader;
    reader.Load(name);
    if (!reader.IsLoaded()) {
        std::fputs("document_text: cannot open the text\n", stderr);
        return 1;
    }
    const velmora::ParagraphLayout layout = velmora::DetectParagraphLayout(reader.Text());
    std::fprintf(stderr, "layout: %s\n", kLayoutNames.at(static_cast<std::size_t>(layout)));
    reader.RewriteParagraphs(layout);
    Print(reader.Text());
    return 0;
}

int Document(const std::string& name, velmora::DocumentKind kind) {
    const velmora::DocumentImport import = velmora::ImportDocument(name, kind);
    switch (import.outcome) {
    case velmora::DocumentImport::Outcome::Imported:
        Print(import.text);
        return 0;
    case velmora::DocumentImport::Outcome::NotOpened:
        std::fputs("document_text: cannot open the document\n", stderr);
        return 1;
    case velmora::DocumentImport::Outcome::Refused:
        std::fprintf(stderr, "%s\n", import.reason.c_str());
        return 1;
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: document_text NOVEL\n", stderr);
        return 2;
    }
    const std::string name = argv[1];
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // the text's bytes as they are, CR LF included
#endif
    try {
        const auto kind = velmora::DocumentKindOf(name);
        return kind ? Document(name, *kind) : PlainText(name);
    } catch (const velmora::FileError& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    return 1;
}
