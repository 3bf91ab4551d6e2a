#include "export/FdxWriter.h"

#include "export/ExportScript.h"
#include "export/TitlePage.h"

#include <pugixml.hpp>

#include <string_view>

namespace velmora {
namespace {

const char* ParagraphType(ElementKind kind) {
    switch (kind) {
    case ElementKind::CharacterName:
        return "Character";
    case ElementKind::Parenthetical:
        return "Parenthetical";
    case ElementKind::Dialogue:
        return "Dialogue";
    case ElementKind::Note:
        return "General";
    case ElementKind::Heading:
        return "Scene Heading";
    case ElementKind::Narration:
        break;
    }
    return "Action";
}

void AddParagraph(pugi::xml_node content, const char* type, std::string_view text,
                  const char* alignment = nullptr) {
    pugi::xml_node paragraph = content.append_child("Paragraph");
    if (alignment != nullptr) {
        paragraph.append_attribute("Alignment") = alignment;
    }
    paragraph.append_attribute("Type") = type;
    paragraph.append_child("Text").text().set(std::string(text).c_str());
}

class StringWriter final : public pugi::xml_writer {
public:
    explicit StringWriter(std::string& out) : out_(out) {}
    void write(const void* data, size_t size) override {
        out_.append(static_cast<const char*>(data), size);
    }

private:
    std::string& out_;
};

}  // namespace

std::string WriteFdx(const ExportScript& script, const TitlePage& title) {
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    declaration.append_attribute("standalone") = "no";
    pugi::xml_node root = document.append_child("FinalDraft");
    root.append_attribute("DocumentType") = "Script";
    root.append_attribute("Template") = "No";
    root.append_attribute("Version") = "1";

    pugi::xml_node content = root.append_child("Content");
    for (const ScriptElement& element : script.elements) {
        const std::string_view text = element.text;
        if (element.kind == ElementKind::Parenthetical) {
            std::string inParentheses("(");
            inParentheses += element.text;
            inParentheses += ')';
            AddParagraph(content, ParagraphType(element.kind), inParentheses);
        } else {
            AddParagraph(content, ParagraphType(element.kind), text);
        }
    }

    pugi::xml_node titleContent = root.append_child("TitlePage").append_child("Content");
    AddParagraph(titleContent, "Action", title.title, "Center");
    AddParagraph(titleContent, "Action", "", "Center");
    AddParagraph(titleContent, "Action", title.source, "Center");

    std::string out;
    StringWriter writer(out);
    document.save(writer, "  ", pugi::format_indent, pugi::encoding_utf8);
    return out;
}

}  // namespace velmora
