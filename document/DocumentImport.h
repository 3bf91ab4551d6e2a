#pragma once

#include "document/DocumentLimits.h"
#include "platform/File.h"

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The documents Velmora opens besides plain text.
enum class DocumentKind { Epub, Docx, Odt };

// The kind a file's name gives it by its extension, in any case; nothing for any other
// name, which is read as plain text.
[[nodiscard]] std::optional<DocumentKind> DocumentKindOf(std::string_view fileName) noexcept;

// "EPUB", "DOCX" or "ODT".
[[nodiscard]] std::string_view DocumentKindName(DocumentKind kind) noexcept;

// A document's text as the reader expects it: UTF-8, paragraphs separated by CR LF CR LF,
// a line break inside a paragraph as CR LF. The same bytes give the same text every time.
struct DocumentText {
    std::string text;
    std::string refusal;  // when not empty: why the document cannot be read, one sentence
};

// Reads a document held in memory. Never throws for what the bytes hold; std::bad_alloc
// only when memory runs out within the limits.
[[nodiscard]] DocumentText ReadDocument(std::string bytes, DocumentKind kind,
                                        const DocumentLimits& limits = {});

// What importing a document file came to.
struct DocumentImport {
    enum class Outcome {
        Imported,   // text holds the document's text
        NotOpened,  // the file could not be opened: openRefusal says why
        Refused,    // the file was read, but reason says why it cannot be used
    };
    Outcome outcome = Outcome::NotOpened;
    OpenRefusal openRefusal;
    std::string reason;
    std::string text;
    // The document's identity once it was opened, so that nothing is written over it.
    std::optional<FileIdentity> identity;
};

// Opens the document (resolved against the current directory) read-only, holding it while
// it is read whole, and reads its text. The file is never written.
// @throws FileError when the opened file cannot be measured or read.
[[nodiscard]] DocumentImport ImportDocument(const std::string& name, DocumentKind kind,
                                            const DocumentLimits& limits = {});

}  // namespace velmora
