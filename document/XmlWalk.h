#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pugi {
class xml_document;
class xml_node;
}  // namespace pugi

namespace velmora {

// What a document format does with the elements and text of one of its XML parts.
class XmlVisitor {
public:
    XmlVisitor() = default;
    virtual ~XmlVisitor() = default;
    XmlVisitor(const XmlVisitor&) = delete;
    XmlVisitor& operator=(const XmlVisitor&) = delete;

    // An element that may hold a whole book (a body, a section): its children are parsed a
    // batch at a time, so that memory holds only a little of the part's tree. Its Enter
    // and Leave see the element without children; if Enter passes over it, it is parsed
    // whole like any other element and shown to Enter once more.
    [[nodiscard]] virtual bool IsWrapper(std::string_view name) const = 0;
    // False passes over what the element holds, and Leave is not called for it.
    virtual bool Enter(const pugi::xml_node& element) = 0;
    virtual void Leave(const pugi::xml_node& element) = 0;
    // Text, with entities and character references decoded (but no entity of a document's
    // own: those stay as written).
    virtual void Text(std::string_view text) = 0;
};

// Bytes of a part, a chunk at a time: up to count into buffer, 0 at the end.
using XmlSource = std::function<std::size_t(char* buffer, std::size_t count)>;

// Walks one XML part in document order. Parts in UTF-8 stream through in batches; a part in
// another encoding is read whole first. kind ("DOCX") and part ("word/document.xml") name
// it in refusals.
// @throws ImportRefusal for a part that is not well-formed or is cut short, or that declares
// entities of its own.
void WalkXml(const XmlSource& source, XmlVisitor& visitor, std::string_view kind,
             std::string_view part);

// A small part (a manifest, a package, relationships) parsed whole.
// @throws ImportRefusal as WalkXml does.
[[nodiscard]] std::unique_ptr<pugi::xml_document> LoadXml(std::string_view bytes,
                                                          std::string_view kind,
                                                          std::string_view part);

// The sentences of those refusals.
[[nodiscard]] std::string NotWellFormed(std::string_view kind, std::string_view part);
[[nodiscard]] std::string DeclaresEntities(std::string_view kind, std::string_view part);

// The part of a qualified name after its prefix.
[[nodiscard]] std::string_view LocalName(std::string_view name) noexcept;

// The prefix the element binds to namespace uri, followed by a colon; empty when uri is its
// default namespace; nothing when it binds uri to no prefix.
[[nodiscard]] std::optional<std::string> PrefixOf(const pugi::xml_node& element,
                                                  std::string_view uri);

}  // namespace velmora
