#pragma once

#include "document/XmlWalk.h"

#include <string_view>

namespace velmora {

class ParagraphText;
class ZipArchive;

// The paragraphs of an OpenDocument text's content.xml: each text:p and text:h of the
// body one paragraph, in lists, sections and table cells too; spaces (text:s), tabs and
// line breaks as written. Notes, annotations, tracked deletions and drawings are left out.
void ReadOdtPart(const XmlSource& part, std::string_view partName, ParagraphText& text);

// The text of an ODT archive. Refuses one whose content is encrypted (a password), or that
// is another kind of OpenDocument file.
// @throws ImportRefusal
void ReadOdt(ZipArchive& archive, ParagraphText& text);

}  // namespace velmora
