#pragma once

#include <string>

namespace velmora {

struct PdfFonts;
struct ScriptLayout;

// The laid-out script as PDF bytes: Courier 12 pt, the PDF's own, for every character it
// has (those of Windows-1252), and the fallback fonts, embedded, for every other one.
// title goes into the document's information.
// @throws ExportProblem when a fallback font is needed but missing or unreadable, or the
// PDF library fails; std::bad_alloc.
[[nodiscard]] std::string WritePdf(const ScriptLayout& layout, const PdfFonts& fonts,
                                   const std::string& title);

}  // namespace velmora
