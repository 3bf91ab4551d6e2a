#pragma once

#include <string>
#include <string_view>

namespace velmora {

// How a text marks its paragraphs, as far as the reader is concerned: the reader ends a
// paragraph only at CR LF CR LF, so a text that marks them any other way reads as one.
enum class ParagraphLayout {
    ReaderBreaks,      // holds CR LF CR LF already: read as it is, nothing to offer
    BlankLines,        // blank lines of another form (LF LF, CR CR, spaces or tabs between)
    LinePerParagraph,  // each paragraph one long line, with no blank line between them
    Unbroken,          // nothing to offer: hard-wrapped without blank lines, one line, empty
};

// Tells the layout from the text's lines. Lines end at LF, CR LF (any CRs before an LF
// belong to it) or a lone CR; a blank line holds only spaces, tabs, form or line feeds.
// A text is taken as one line per paragraph when most of it sits in lines far longer than
// any text is wrapped at and some lines follow each other without a blank line between;
// hard-wrapped text, whose lines all stay short, never is.
[[nodiscard]] ParagraphLayout DetectParagraphLayout(std::string_view text) noexcept;

// Rewrites the text in place into the form the reader expects for the layout: BlankLines
// makes every line end CR LF and every blank line empty; LinePerParagraph ends every line
// with CR LF CR LF and drops blank lines. The other layouts leave the text as it is.
// Deterministic and linear; it works inside the string's own room when that suffices (see
// kRewriteRoom), and otherwise needs one copy of the text beside it.
void RewriteParagraphs(std::string& text, ParagraphLayout layout);

// Spare room, as a fraction of the text, that lets a rewrite work without a second copy:
// enough for CR LF in place of LF when lines average 16 bytes or more.
inline constexpr std::size_t kRewriteRoomDivisor = 16;

}  // namespace velmora
