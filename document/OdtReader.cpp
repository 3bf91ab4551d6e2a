#include "document/OdtReader.h"

#include "document/ImportRefusal.h"
#include "document/ParagraphText.h"
#include "document/ZipArchive.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace velmora {
namespace {

constexpr std::string_view kKind = "ODT";
constexpr std::string_view kContent = "content.xml";
constexpr std::string_view kOfficeNamespace = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view kTextNamespace = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view kTableNamespace = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view kTextMediaType = "application/vnd.oasis.opendocument.text";

// Longest run of spaces one text:s may stand for: enough for any layout, too little to
// blow a document up.
constexpr std::size_t kMaxSpaces = 64;

// Text elements that hold what a reader of the book does not see in its run.
constexpr std::array<std::string_view, 8> kPassedOver = {
    "note",           "tracked-changes",      "sequence-decls",
    "variable-decls", "user-field-decls",     "dde-connection-decls",
    "ruby-text",      "index-title-template",
};

class OdtVisitor : public XmlVisitor {
public:
    OdtVisitor(ParagraphText& text, std::string_view partName) : text_(text), partName_(partName) {}

    [[nodiscard]] bool IsWrapper(std::string_view name) const override {
        const std::string_view local = LocalName(name);
        return local == "document-content" || local == "body" || local == "text" ||
               local == "section";
    }

    bool Enter(const pugi::xml_node& element) override {
        const std::string_view name = element.name();
        if (depth_ == 0) {
            office_ = PrefixOf(element, kOfficeNamespace);
            text_prefix_ = PrefixOf(element, kTextNamespace);
            table_ = PrefixOf(element, kTableNamespace).value_or("table:");
            if (!office_ || !text_prefix_) {
                throw ImportRefusal("This ODT document's " + std::string(partName_) +
                                    " is not an OpenDocument text.");
            }
            ++depth_;
            return true;
        }
        bool enter = false;
        if (depth_ == 1) {
            enter = name == *office_ + "body";  // not the styles, fonts and scripts before it
        } else if (depth_ == 2) {
            enter = name == *office_ + "text";  // not a drawing's or a spreadsheet's body
        } else if (name.starts_with(*text_prefix_)) {
            enter = TextElement(element, name.substr(text_prefix_->size()));
        } else {
            enter = name.starts_with(table_);  // tables; not drawings, frames, annotations
        }
        depth_ += enter ? 1 : 0;
        return enter;
    }

    void Leave(const pugi::xml_node& element) override {
        --depth_;
        const std::string_view name = element.name();
        if (name.starts_with(*text_prefix_)) {
            const std::string_view local = name.substr(text_prefix_->size());
            if (local == "p" || local == "h") {
                text_.EndParagraph();
                --inParagraph_;
            }
        } else if (name == table_ + "table-cell") {
            text_.EndParagraph();
        }
    }

    void Text(std::string_view text) override {
        if (inParagraph_ > 0) {
            text_.Text(text, true);
        }
    }

private:
    // A text element: whether to go into it.
    bool TextElement(const pugi::xml_node& element, std::string_view local) {
        if (local == "p" || local == "h") {
            text_.EndParagraph();
            ++inParagraph_;
        } else if (local == "s") {
            const unsigned count = element.attribute((*text_prefix_ + "c").c_str()).as_uint(1);
            text_.Spaces(std::clamp<std::size_t>(count, 1, kMaxSpaces));
        } else if (local == "tab") {
            text_.Tab();
        } else if (local == "line-break") {
            text_.LineBreak();
        }
        return std::find(kPassedOver.begin(), kPassedOver.end(), local) == kPassedOver.end();
    }

    ParagraphText& text_;
    std::string_view partName_;
    std::optional<std::string> office_;
    std::optional<std::string> text_prefix_;
    std::string table_;
    int depth_ = 0;
    int inParagraph_ = 0;
};

void RefuseEncrypted(ZipArchive& archive) {
    constexpr std::string_view kManifest = "META-INF/manifest.xml";
    if (!archive.Has(kManifest)) {
        return;
    }
    const auto manifest = LoadXml(archive.ReadAll(kManifest), kKind, kManifest);
    for (const pugi::xml_node entry : manifest->document_element().children()) {
        for (const pugi::xml_attribute attribute : entry.attributes()) {
            if (LocalName(attribute.name()) == "full-path" && attribute.value() == kContent) {
                for (const pugi::xml_node data : entry.children()) {
                    if (LocalName(data.name()) == "encryption-data") {
                        throw ImportRefusal("This ODT document is protected with a password.");
                    }
                }
            }
        }
    }
}

}  // namespace

void ReadOdtPart(const XmlSource& part, std::string_view partName, ParagraphText& text) {
    OdtVisitor visitor(text, partName);
    WalkXml(part, visitor, kKind, partName);
    text.EndParagraph();
}

void ReadOdt(ZipArchive& archive, ParagraphText& text) {
    constexpr std::string_view kMimeType = "mimetype";
    if (archive.Has(kMimeType)) {
        const std::string type = archive.ReadAll(kMimeType);
        if (!type.starts_with(kTextMediaType)) {
            throw ImportRefusal(
                "This file is an OpenDocument file of another kind (a spreadsheet, a drawing "
                "or the like), not a text.");
        }
    }
    RefuseEncrypted(archive);
    ZipArchive::Member member(archive, kContent);
    ReadOdtPart([&member](char* buffer, std::size_t count) { return member.Read(buffer, count); },
                kContent, text);
}

}  // namespace velmora
