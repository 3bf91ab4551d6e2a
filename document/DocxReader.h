#pragma once

#include "document/XmlWalk.h"

#include <string>
#include <string_view>

namespace velmora {

class ParagraphText;
class ZipArchive;

// The paragraphs of a Word main document part (word/document.xml): each w:p one paragraph,
// in table cells too; the text of its runs (w:t), tabs, and breaks (w:br, w:cr) as line
// breaks. Deleted text, field codes, drawings and text boxes are left out.
void ReadDocxPart(const XmlSource& part, std::string_view partName, ParagraphText& text);

// The text of a DOCX archive: its main document part, found through its relationships.
// @throws ImportRefusal
void ReadDocx(ZipArchive& archive, ParagraphText& text);

}  // namespace velmora
