#pragma once

#include <string>
#include <vector>

namespace velmora {

struct ExportScript;
struct TitlePage;

enum class PaperSize { Letter, A4 };
enum class TextStyle { Regular, Italic, Bold };

// One line of text where it stands on its page: x from the left edge and the baseline y
// from the top edge, in points; the text in UTF-8.
struct PlacedLine {
    double x = 0;
    double y = 0;
    TextStyle style = TextStyle::Regular;
    std::string text;
};

struct LaidOutPage {
    std::vector<PlacedLine> lines;
};

// A script laid out on pages: the title page first, then the script's own pages.
struct ScriptLayout {
    double width = 0;  // of a page, in points
    double height = 0;
    std::vector<LaidOutPage> pages;
};

// What a script's page looks like, in points and characters of Courier 12 pt (10 to the
// inch, 6 lines to the inch).
inline constexpr double kPointsPerInch = 72;
inline constexpr double kCharacterWidth = 7.2;
inline constexpr double kLineHeight = 12;
inline constexpr double kFontSize = 12;

// Lays the script out as its format is printed. A screen play: action from 1.5", the name
// at 3.7", the parenthetical at 3.1", dialogue from 2.5" to 6.0"; a name never last on a
// page, and a speech broken by a page ends with "(MORE)" and goes on under the name with
// "(CONT'D)". A stage play: names centred in capitals, speeches across the page,
// directions indented, in parentheses and italic, each heading on a new page. Pages of 55
// lines (57 on A4) from 1" below the top, numbered top right from the second.
[[nodiscard]] ScriptLayout LayOutScript(const ExportScript& script, const TitlePage& title,
                                        PaperSize paper);

}  // namespace velmora
