// Prints the text Velmora reads from a document (EPUB, DOCX, ODT) to standard output, as the
// reader will hold it, or the reason it is refused to standard error (exit status 1). For
// checking an import by hand and for measuring its time and peak memory:
//   /usr/bin/time -v build/plain/tools/document_text novel.docx >/dev/null
#include "document/DocumentImport.h"
#include "platform/FileError.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: document_text DOCUMENT\n", stderr);
        return 2;
    }
    const std::string name = argv[1];
    const auto kind = velmora::DocumentKindOf(name);
    if (!kind) {
        std::fputs("document_text: not an .epub, .docx or .odt name\n", stderr);
        return 2;
    }
    try {
        const velmora::DocumentImport import = velmora::ImportDocument(name, *kind);
        switch (import.outcome) {
        case velmora::DocumentImport::Outcome::Imported:
            std::fwrite(import.text.data(), 1, import.text.size(), stdout);
            return 0;
        case velmora::DocumentImport::Outcome::NotOpened:
            std::fputs("document_text: cannot open the document\n", stderr);
            return 1;
        case velmora::DocumentImport::Outcome::Refused:
            std::fprintf(stderr, "%s\n", import.reason.c_str());
            return 1;
        }
    } catch (const velmora::FileError& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    return 1;
}
