#include "export/PdfLayout.h"

#include "export/DisplayText.h"
#include "export/ExportScript.h"
#include "export/TitlePage.h"
#include "export/WordWrap.h"
#include "script/NoteLine.h"
#include "script/ScriptFormat.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

namespace velmora {
namespace {

constexpr std::string_view kMore = "(MORE)";
constexpr std::string_view kContinued = " (CONT'D)";
constexpr double kTopMargin = 1.0 * kPointsPerInch;
constexpr double kPageNumberTop = 0.5 * kPointsPerInch;
constexpr double kSideMargin = 1.0 * kPointsPerInch;
// From the top of a line to its baseline.
constexpr double kBaseline = 9;
constexpr int kTitleRow = 18;
constexpr std::size_t kTitleWidth = 50;
constexpr int kTitleGap = 2;  // blank rows between the title and its source

double Inches(double inches) { return inches * kPointsPerInch; }

// One line of a block, before it has a row.
struct Line {
    double x = 0;
    TextStyle style = TextStyle::Regular;
    std::string text;
};

// Lines kept together as far as the page allows.
struct Block {
    enum class Kind { Flow, Heading, Speech };
    Kind kind = Kind::Flow;
    int space = 1;  // blank lines before it, unless it starts a page
    std::vector<Line> lines;
    // A speech: the name is lines[0], then lead - 1 lines of parenthetical, then dialogue.
    std::size_t lead = 0;
};

// Where the columns of a format stand on a page of a given width.
struct Columns {
    double left = 0;            // action, or a stage play's speeches
    std::size_t leftWidth = 0;  // characters
    double name = 0;            // a screen play's name; a stage play centres it
    std::size_t nameWidth = 0;
    double aside = 0;            // parenthetical, or a stage direction
    std::size_t asideWidth = 0;  // characters, parentheses included
    double speech = 0;
    std::size_t speechWidth = 0;
    double centre = 0;  // a stage play's names and headings centre here
    bool stage = false;
};

std::size_t CharactersBetween(double left, double right) {
    return static_cast<std::size_t>((right - left) / kCharacterWidth + 0.01);
}

Columns ColumnsFor(ScriptFormat format, double pageWidth) {
    Columns columns;
    const double right = pageWidth - kSideMargin;
    if (format == ScriptFormat::StagePlay) {
        columns.stage = true;
        columns.left = kSideMargin;
        columns.leftWidth = CharactersBetween(columns.left, right);
        columns.speech = columns.left;
        columns.speechWidth = columns.leftWidth;
        columns.aside = Inches(3.0);
        columns.asideWidth = CharactersBetween(columns.aside, right);
        columns.centre = (columns.left + right) / 2;
        columns.nameWidth = columns.leftWidth;
        return columns;
    }
    columns.left = Inches(1.5);
    columns.leftWidth = 60;
    columns.name = Inches(3.7);
    columns.nameWidth = CharactersBetween(columns.name, right);
    columns.aside = Inches(3.1);
    columns.asideWidth = 26;
    columns.speech = Inches(2.5);
    columns.speechWidth = 35;
    columns.centre = pageWidth / 2;
    return columns;
}

double CentredX(double centre, std::string_view text) {
    return centre - static_cast<double>(CharacterCount(text)) * kCharacterWidth / 2;
}

void AddWrapped(std::vector<Line>& lines, std::string_view text, double x, std::size_t width,
                TextStyle style) {
    for (std::string& line : WrapWords(text, width)) {
        lines.push_back({x, style, std::move(line)});
    }
}

// Text in parentheses over as many lines as it takes; lines after the first stand one
// character in, under the text rather than the parenthesis.
void AddInParentheses(std::vector<Line>& lines, std::string_view text, double x, std::size_t width,
                      TextStyle style) {
    std::vector<std::string> wrapped = WrapWords(text, width > 2 ? width - 2 : 1);
    for (std::size_t i = 0; i < wrapped.size(); ++i) {
        std::string line = i == 0 ? std::string("(") : std::string();
        line += wrapped[i];
        if (i + 1 == wrapped.size()) {
            line += ')';
        }
        lines.push_back({i == 0 ? x : x + kCharacterWidth, style, std::move(line)});
    }
}

// The blocks of the script in order: each element, a line of dialogue with its name and
// parenthetical as one speech.
std::vector<Block> MakeBlocks(const ExportScript& script, const Columns& columns) {
    std::vector<Block> blocks;
    for (const ScriptElement& element : script.elements) {
        switch (element.kind) {
        case ElementKind::Narration: {
            Block block;
            if (columns.stage) {
                AddInParentheses(block.lines, element.text, columns.aside, columns.asideWidth,
                                 TextStyle::Italic);
            } else {
                AddWrapped(block.lines, element.text, columns.left, columns.leftWidth,
                           TextStyle::Regular);
            }
            blocks.push_back(std::move(block));
            break;
        }
        case ElementKind::Note: {
            Block block;
            AddWrapped(block.lines, std::string(kNotePrefix) + element.text, columns.left,
                       columns.leftWidth, TextStyle::Italic);
            blocks.push_back(std::move(block));
            break;
        }
        case ElementKind::Heading: {
            Block block;
            block.kind = Block::Kind::Heading;
            block.space = 2;
            if (columns.stage) {
                for (std::string& line : WrapWords(UpperCase(element.text), columns.leftWidth)) {
                    const double x = CentredX(columns.centre, line);
                    block.lines.push_back({x, TextStyle::Bold, std::move(line)});
                }
            } else {
                AddWrapped(block.lines, UpperCase(element.text), columns.left, columns.leftWidth,
                           TextStyle::Bold);
            }
            blocks.push_back(std::move(block));
            break;
        }
        case ElementKind::CharacterName: {
            Block block;
            block.kind = Block::Kind::Speech;
            std::string name = UpperCase(element.text);
            const double x = columns.stage ? CentredX(columns.centre, name) : columns.name;
            block.lines.push_back({std::max(x, columns.left), TextStyle::Regular, std::move(name)});
            block.lead = 1;
            blocks.push_back(std::move(block));
            break;
        }
        case ElementKind::Parenthetical:
            if (!blocks.empty() && blocks.back().kind == Block::Kind::Speech) {
                Block& speech = blocks.back();
                AddInParentheses(speech.lines, element.text, columns.aside, columns.asideWidth,
                                 columns.stage ? TextStyle::Italic : TextStyle::Regular);
                speech.lead = speech.lines.size();
            }
            break;
        case ElementKind::Dialogue:
            if (!blocks.empty() && blocks.back().kind == Block::Kind::Speech) {
                AddWrapped(blocks.back().lines, element.text, columns.speech, columns.speechWidth,
                           TextStyle::Regular);
            }
            break;
        }
    }
    return blocks;
}

// Puts blocks on pages, row by row.
class Pager {
public:
    Pager(ScriptLayout& layout, int rows, const Columns& columns)
        : layout_(layout), rows_(rows), columns_(columns) {}

    void Place(const Block& block, const Block* next) {
        switch (block.kind) {
        case Block::Kind::Flow:
            PlaceFlow(block);
            break;
        case Block::Kind::Heading:
            PlaceHeading(block, next);
            break;
        case Block::Kind::Speech:
            PlaceSpeech(block);
            break;
        }
    }

private:
    [[nodiscard]] int Free() const { return rows_ - row_; }
    [[nodiscard]] int Gap(const Block& block) const { return row_ == 0 ? 0 : block.space; }

    void NewPage() {
        layout_.pages.emplace_back();
        ++scriptPage_;
        row_ = 0;
        if (scriptPage_ >= 2) {
            std::string number = std::to_string(scriptPage_);
            number += '.';
            const double x =
                layout_.width - kSideMargin - static_cast<double>(number.size()) * kCharacterWidth;
            layout_.pages.back().lines.push_back(
                {x, kPageNumberTop + kBaseline, TextStyle::Regular, number});
        }
    }

    void Put(const Line& line) {
        if (scriptPage_ == 0 || Free() <= 0) {
            NewPage();
        }
        layout_.pages.back().lines.push_back(
            {line.x, kTopMargin + row_ * kLineHeight + kBaseline, line.style, line.text});
        ++row_;
    }

    // Starts the block on this page when at least needed rows (after its gap) fit,
    // else on a new one.
    void Begin(const Block& block, int needed) {
        if (scriptPage_ == 0 || Gap(block) + needed > Free()) {
            NewPage();
        }
        row_ += Gap(block);
    }

    void PlaceFlow(const Block& block) {
        Begin(block, 1);
        for (const Line& line : block.lines) {
            Put(line);
        }
    }

    // A heading stays with the start of what follows it; a stage play's starts a page.
    void PlaceHeading(const Block& block, const Block* next) {
        int needed = static_cast<int>(block.lines.size());
        if (next != nullptr) {
            needed += next->space + std::min<int>(2, static_cast<int>(next->lines.size()));
        }
        if (columns_.stage && scriptPage_ != 0 && row_ != 0) {
            NewPage();
        }
        Begin(block, std::min(needed, rows_));
        for (const Line& line : block.lines) {
            Put(line);
        }
    }

    Line NameLine(const Block& block, bool continued) const {
        Line name = block.lines.front();
        if (continued) {
            name.text += kContinued;
            if (columns_.stage) {
                name.x = std::max(CentredX(columns_.centre, name.text), columns_.left);
            }
        }
        return name;
    }

    Line MoreLine(const Block& block) const {
        Line more = block.lines.front();
        more.text = kMore;
        more.style = TextStyle::Regular;
        if (columns_.stage) {
            more.x = CentredX(columns_.centre, kMore);
        }
        return more;
    }

    // The name never ends a page; a speech that does not fit is broken after a line of
    // dialogue, with "(MORE)" below it and the name again, "(CONT'D)", on the next page.
    void PlaceSpeech(const Block& block) {
        const int total = static_cast<int>(block.lines.size());
        // A parenthetical too long to stand with a line of dialogue on one page is broken
        // like dialogue.
        const int lead =
            static_cast<int>(block.lead) + 2 > rows_ - 1 ? 1 : static_cast<int>(block.lead);
        if (scriptPage_ == 0 || (Gap(block) + total > Free() && Gap(block) + lead + 2 > Free())) {
            NewPage();  // not even the name, the parenthetical and one line with "(MORE)"
        }
        row_ += Gap(block);
        int next = 0;  // the next of the block's lines to put
        bool continued = false;
        for (;;) {
            Put(next == 0 ? NameLine(block, false) : NameLine(block, continued));
            next = std::max(next, 1);
            const int left = total - next;
            if (left <= Free()) {
                for (; next < total; ++next) {
                    Put(block.lines[static_cast<std::size_t>(next)]);
                }
                return;
            }
            // As many lines as fit with "(MORE)" under them, at least one of dialogue.
            const int fit = std::max(Free() - 1, std::max(lead - next, 0) + 1);
            const int end = std::min(next + fit, total - 1);
            for (; next < end; ++next) {
                Put(block.lines[static_cast<std::size_t>(next)]);
            }
            Put(MoreLine(block));
            NewPage();
            continued = true;
        }
    }

    ScriptLayout& layout_;
    int rows_;
    const Columns& columns_;
    int row_ = 0;
    int scriptPage_ = 0;  // pages of the script so far (the title page is not one)
};

// A title or an author may run to any length in a text's header: each keeps to its share of
// the rows under the title row, its last line cut with an ellipsis.
void LayOutTitlePage(ScriptLayout& layout, const TitlePage& title, double centre, int rows) {
    LaidOutPage& page = layout.pages.emplace_back();
    double y = kTopMargin + kTitleRow * kLineHeight + kBaseline;
    const auto addCentred = [&](std::string_view text, TextStyle style, int most) {
        std::vector<std::string> lines = WrapWords(text, kTitleWidth);
        if (std::cmp_greater(lines.size(), most)) {
            lines.resize(static_cast<std::size_t>(most));
            std::string& last = lines.back();
            last = WrapWords(last, kTitleWidth - 3).front() + "...";
        }
        for (std::string& line : lines) {
            const double x = CentredX(centre, line);
            page.lines.push_back({x, y, style, std::move(line)});
            y += kLineHeight;
        }
        return static_cast<int>(lines.size());
    };
    const int free = rows - kTitleRow - kTitleGap;
    const int titleLines = addCentred(UpperCase(title.title), TextStyle::Bold, free / 2);
    y += kTitleGap * kLineHeight;
    addCentred(title.source, TextStyle::Regular, free - titleLines);
}

}  // namespace

ScriptLayout LayOutScript(const ExportScript& script, const TitlePage& title, PaperSize paper) {
    ScriptLayout layout;
    const bool a4 = paper == PaperSize::A4;
    layout.width = a4 ? 595.28 : 612;
    layout.height = a4 ? 841.89 : 792;
    const int rows = a4 ? 57 : 55;
    const Columns columns = ColumnsFor(script.format, layout.width);

    LayOutTitlePage(layout, title, layout.width / 2, rows);
    const std::vector<Block> blocks = MakeBlocks(script, columns);
    Pager pager(layout, rows, columns);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        pager.Place(blocks[i], i + 1 < blocks.size() ? &blocks[i + 1] : nullptr);
    }
    if (layout.pages.size() == 1) {
        layout.pages.emplace_back();  // a script with nothing in it is still one page
    }
    return layout;
}

}  // namespace velmora
