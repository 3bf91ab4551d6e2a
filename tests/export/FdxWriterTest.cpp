#include "export/ExportScript.h"
#include "export/FdxWriter.h"
#include "export/TitlePage.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>
#include <vector>

namespace velmora {
namespace {

TEST(WriteFdx, is_well_formed_xml_holding_one_paragraph_per_element) {
    ExportScript script;
    script.elements = {
        {ElementKind::Heading, "CHAPTER I"},
        {ElementKind::Narration, "Fish & chips <hot> \"served\" ]]> 'here'"},
        {ElementKind::CharacterName,
         "\xE1\xBC\x88\xCF\x87\xCE\xB9\xCE\xBB\xCE\xBB\xCE\xB5\xCF\x8D\xCF\x82"},
        {ElementKind::Parenthetical, "softly"},
        {ElementKind::Dialogue, "Hello </Text>."},
        {ElementKind::Note, "check"},
    };
    const std::string fdx = WriteFdx(script, {"A & B", "based on the novel"});
    ASSERT_TRUE(fdx.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>"));

    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(fdx.c_str())) << fdx;
    const pugi::xml_node root = document.child("FinalDraft");
    EXPECT_STREQ(root.attribute("DocumentType").value(), "Script");
    EXPECT_STREQ(root.attribute("Template").value(), "No");
    EXPECT_STRNE(root.attribute("Version").value(), "");
    std::vector<std::pair<std::string, std::string>> paragraphs;
    for (const pugi::xml_node paragraph : root.child("Content").children("Paragraph")) {
        paragraphs.emplace_back(paragraph.attribute("Type").value(),
                                paragraph.child("Text").text().get());
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Scene Heading", "CHAPTER I"},
        {"Action", "Fish & chips <hot> \"served\" ]]> 'here'"},
        {"Character", script.elements[2].text},
        {"Parenthetical", "(softly)"},
        {"Dialogue", "Hello </Text>."},
        {"General", "check"},
    };
    EXPECT_EQ(paragraphs, expected);
    EXPECT_STREQ(
        root.child("TitlePage").child("Content").child("Paragraph").child("Text").text().get(),
        "A & B");
}

}  // namespace
}  // namespace velmora
