#include "fuzz/support/DocumentFuzz.h"

#include "document/DocxReader.h"
#include "document/ImportRefusal.h"
#include "document/OdtReader.h"
#include "document/ParagraphText.h"
#include "document/XhtmlReader.h"
#include "fuzz/support/Check.h"
#include "text/CharacterSet.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace velmora::fuzz {
namespace {

// Small enough that an input unpacking to more is refused quickly.
constexpr std::size_t kMaxText = std::size_t{1} << 20;

DocumentText ReadPart(std::string_view xml, DocumentKind kind) {
    std::size_t at = 0;
    // Odd chunks, so that the streaming parse meets its boundaries everywhere.
    const XmlSource source = [&](char* buffer, std::size_t count) {
        const std::size_t size = std::min({count, std::size_t{97}, xml.size() - at});
        std::copy_n(xml.data() + at, size, buffer);
        at += size;
        return size;
    };
    ParagraphText text(kMaxText, "too long");
    DocumentText result;
    try {
        switch (kind) {
        case DocumentKind::Epub:
            ReadXhtmlPart(source, "EPUB", "part.xhtml", text);
            break;
        case DocumentKind::Docx:
            ReadDocxPart(source, "word/document.xml", text);
            break;
        case DocumentKind::Odt:
            ReadOdtPart(source, "content.xml", text);
            break;
        }
        result.text = text.Take();
    } catch (const ImportRefusal& refusal) {
        result.refusal = refusal.what();
    }
    return result;
}

DocumentText Read(std::string_view input, DocumentKind kind) {
    if (!input.starts_with("PK")) {
        return ReadPart(input, kind);
    }
    DocumentLimits limits;
    limits.minUnpackedBytes = kMaxText;
    limits.maxUnpackedBytes = kMaxText;
    return ReadDocument(std::string(input), kind, limits);
}

}  // namespace

int FuzzDocument(const std::uint8_t* data, std::size_t size, DocumentKind kind) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const DocumentText first = Read(input, kind);
    VELMORA_FUZZ_CHECK(IsValidUtf8(first.text));
    VELMORA_FUZZ_CHECK(first.text.size() <= kMaxText);
    VELMORA_FUZZ_CHECK(first.refusal.empty() || first.text.empty());
    // Every paragraph ends without trailing spaces or line breaks, the last one too.
    VELMORA_FUZZ_CHECK(first.text.empty() ||
                       std::string_view(" \r\n").find(first.text.back()) == std::string_view::npos);
    const DocumentText second = Read(input, kind);
    VELMORA_FUZZ_CHECK(second.text == first.text && second.refusal == first.refusal);
    return 0;
}

}  // namespace velmora::fuzz
