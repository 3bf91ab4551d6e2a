#include "document/DocxReader.h"

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

constexpr std::string_view kKind = "DOCX";
constexpr std::array<std::string_view, 2> kWordNamespaces = {
    "http://schemas.openxmlformats.org/wordprocessingml/2006/main",
    "http://purl.oclc.org/ooxml/wordprocessingml/main",  // strict
};
constexpr std::string_view kDefaultPart = "word/document.xml";

// What a paragraph holds besides its text: properties, and runs a reader does not see.
constexpr std::array<std::string_view, 22> kPassedOver = {
    "pPr",
    "rPr",
    "sectPr",
    "tblPr",
    "tblGrid",
    "trPr",
    "tcPr",
    "sdtPr",
    "sdtEndPr",
    "del",
    "moveFrom",
    "instrText",
    "delText",
    "delInstrText",
    "drawing",
    "pict",
    "object",
    "fldData",
    "rt",
    "footnoteReference",
    "endnoteReference",
    "commentReference",
};

template <std::size_t N>
bool Holds(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

class DocxVisitor : public XmlVisitor {
public:
    DocxVisitor(ParagraphText& text, std::string_view partName)
        : text_(text), partName_(partName) {}

    [[nodiscard]] bool IsWrapper(std::string_view name) const override {
        const std::string_view local = LocalName(name);
        return local == "document" || local == "body";
    }

    bool Enter(const pugi::xml_node& element) override {
        if (!prefix_) {
            for (const std::string_view uri : kWordNamespaces) {
                prefix_ = PrefixOf(element, uri);
                if (prefix_) {
                    return true;
                }
            }
            throw ImportRefusal("This DOCX document's " + std::string(partName_) +
                                " is not a Word document.");
        }
        const std::string_view name = element.name();
        if (!name.starts_with(*prefix_)) {
            return false;  // other vocabularies: drawings, shapes, maths, alternatives
        }
        const std::string_view local = name.substr(prefix_->size());
        if (local == "p") {
            text_.EndParagraph();
        } else if (local == "t") {
            ++inText_;
        } else if (local == "tab") {
            text_.Tab();
        } else if (local == "br" || local == "cr") {
            text_.LineBreak();
        } else if (local == "noBreakHyphen") {
            text_.Text("-", false);
        } else if (Holds(kPassedOver, local)) {
            return false;
        }
        return true;
    }

    void Leave(const pugi::xml_node& element) override {
        const std::string_view name = element.name();
        const std::string_view local =
            prefix_ && name.starts_with(*prefix_) ? name.substr(prefix_->size()) : name;
        if (local == "p" || local == "tc") {
            text_.EndParagraph();
        } else if (local == "t" && inText_ > 0) {
            --inText_;
        }
    }

    void Text(std::string_view text) override {
        if (inText_ > 0) {
            text_.Text(text, false);
        }
    }

private:
    ParagraphText& text_;
    std::string_view partName_;
    std::optional<std::string> prefix_;  // Word's, with its colon
    int inText_ = 0;
};

// The main document part named by the package's relationships.
std::string MainPart(ZipArchive& archive) {
    constexpr std::string_view kRelationships = "_rels/.rels";
    if (!archive.Has(kRelationships)) {
        return std::string(kDefaultPart);
    }
    const auto relationships = LoadXml(archive.ReadAll(kRelationships), kKind, kRelationships);
    for (const pugi::xml_node relationship : relationships->document_element().children()) {
        const std::string_view type = relationship.attribute("Type").value();
        std::string_view target = relationship.attribute("Target").value();
        if (type.ends_with("/officeDocument") && !target.empty()) {
            while (target.starts_with('/')) {
                target.remove_prefix(1);
            }
            return std::string(target);
        }
    }
    return std::string(kDefaultPart);
}

}  // namespace

void ReadDocxPart(const XmlSource& part, std::string_view partName, ParagraphText& text) {
    DocxVisitor visitor(text, partName);
    WalkXml(part, visitor, kKind, partName);
    text.EndParagraph();
}

void ReadDocx(ZipArchive& archive, ParagraphText& text) {
    const std::string part = MainPart(archive);
    ZipArchive::Member member(archive, part);
    ReadDocxPart([&member](char* buffer, std::size_t count) { return member.Read(buffer, count); },
                 part, text);
}

}  // namespace velmora
