#pragma once

#include "document/XmlWalk.h"

#include <string_view>

namespace velmora {

class ParagraphText;

// The paragraphs of an XHTML content document as a reading system shows them: each block
// element (p, div, h1, li, blockquote, td...) a paragraph of its own, white space collapsed
// as HTML does, br a line break, pre kept line for line. The head, scripts, styles, ruby
// annotations, SVG and MathML are left out. XHTML's named entities (&nbsp;, &mdash;...) are
// read as their characters; no other entity is expanded.
void ReadXhtmlPart(const XmlSource& part, std::string_view kind, std::string_view partName,
                   ParagraphText& text);

}  // namespace velmora
