#include "document/DocumentImport.h"

#include "document/DocxReader.h"
#include "document/EpubReader.h"
#include "document/ImportRefusal.h"
#include "document/OdtReader.h"
#include "document/ParagraphText.h"
#include "document/ZipArchive.h"
#include "platform/WholeFile.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

// An OLE compound file: what Word writes for a document protected with a password (an
// encrypted package inside), and for the Word 97-2003 format.
constexpr std::string_view kCompoundFile = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
// The stream name of an encrypted package, in UTF-16LE as the compound file holds it.
constexpr std::string_view kEncryptedPackage =
    std::string_view("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32);

bool EndsWithNoCase(std::string_view name, std::string_view ending) {
    return name.size() >= ending.size() &&
           std::equal(ending.begin(), ending.end(),
                      name.end() - static_cast<std::ptrdiff_t>(ending.size()), [](char a, char b) {
                          return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b);
                      });
}

void RefuseCompoundFile(std::string_view bytes, DocumentKind kind) {
    if (!bytes.starts_with(kCompoundFile)) {
        return;
    }
    if (bytes.find(kEncryptedPackage) != std::string_view::npos) {
        throw ImportRefusal(
            "This document is protected with a password: Velmora can open it "
            "once it is saved without one.");
    }
    if (kind == DocumentKind::Docx) {
        throw ImportRefusal(
            "This is a Word 97-2003 document (.doc) with another name: save it "
            "as a .docx document and open that.");
    }
}

std::string TooLong(DocumentKind kind) {
    return "This " + std::string(DocumentKindName(kind)) +
           " document holds more text than Velmora reads.";
}

}  // namespace

std::optional<DocumentKind> DocumentKindOf(std::string_view fileName) noexcept {
    if (EndsWithNoCase(fileName, ".epub")) {
        return DocumentKind::Epub;
    }
    if (EndsWithNoCase(fileName, ".docx")) {
        return DocumentKind::Docx;
    }
    if (EndsWithNoCase(fileName, ".odt")) {
        return DocumentKind::Odt;
    }
    return std::nullopt;
}

std::string_view DocumentKindName(DocumentKind kind) noexcept {
    switch (kind) {
    case DocumentKind::Epub:
        return "EPUB";
    case DocumentKind::Docx:
        return "DOCX";
    case DocumentKind::Odt:
        break;
    }
    return "ODT";
}

DocumentText ReadDocument(std::string bytes, DocumentKind kind, const DocumentLimits& limits) {
    DocumentText result;
    try {
        RefuseCompoundFile(bytes, kind);
        const std::uint64_t budget = limits.UnpackBudget(bytes.size());
        ZipArchive archive(std::move(bytes), std::string(DocumentKindName(kind)), budget);
        ParagraphText text(static_cast<std::size_t>(budget), TooLong(kind));
        switch (kind) {
        case DocumentKind::Epub:
            ReadEpub(archive, text);
            break;
        case DocumentKind::Docx:
            ReadDocx(archive, text);
            break;
        case DocumentKind::Odt:
            ReadOdt(archive, text);
            break;
        }
        result.text = text.Take();
        if (result.text.empty()) {
            result.refusal =
                "This " + std::string(DocumentKindName(kind)) + " document holds no text.";
        }
    } catch (const ImportRefusal& refusal) {
        result.text.clear();
        result.refusal = refusal.what();
    }
    return result;
}

DocumentImport ImportDocument(const std::string& name, DocumentKind kind,
                              const DocumentLimits& limits) {
    DocumentImport result;
    WholeFile file = ReadWholeFile(name, limits.maxFileBytes);
    result.identity = file.identity;
    if (!file.identity) {
        result.openRefusal = file.refusal;
        return result;
    }
    if (file.tooLarge) {
        result.outcome = DocumentImport::Outcome::Refused;
        result.reason = "This " + std::string(DocumentKindName(kind)) +
                        " document is larger than Velmora reads.";
        return result;
    }

    DocumentText read = ReadDocument(std::move(file.bytes), kind, limits);
    if (!read.refusal.empty()) {
        result.outcome = DocumentImport::Outcome::Refused;
        result.reason = std::move(read.refusal);
        return result;
    }
    result.outcome = DocumentImport::Outcome::Imported;
    result.text = std::move(read.text);
    return result;
}

}  // namespace velmora
