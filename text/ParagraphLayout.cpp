#include "text/ParagraphLayout.h"

#include "text/Marks.h"

#include <algorithm>
#include <cstring>

namespace velmora {
namespace {

// Longer than any width texts are wrapped at (most wrap at 60 to 80 characters), and
// shorter than most paragraphs of a novel: the lines of one line per paragraph.
constexpr std::size_t kLongLine = 160;

bool IsBlankByte(char byte) { return byte == ' ' || byte == '\t' || byte == '\f' || byte == '\v'; }

// A UTF-8 continuation byte; counting bytes without them counts characters, near enough
// for any other encoding too.
bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U; }

struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;   // past the last byte before the line end
    std::size_t next = 0;  // where the next line begins; end when there is no line end
    bool blank = true;
};

Line LineAt(std::string_view text, std::size_t begin) noexcept {
    Line line{begin, begin, begin, true};
    std::size_t i = begin;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') {
        line.blank = line.blank && IsBlankByte(text[i]);
        ++i;
    }
    line.end = i;
    line.next = i;
    std::size_t j = i;
    while (j < text.size() && text[j] == '\r') {
        ++j;
    }
    if (j < text.size() && text[j] == '\n') {
        line.next = j + 1;  // CR LF, or CR CR LF as some conversions leave it: one line end
    } else if (i < text.size()) {
        line.next = i + 1;  // a lone CR
    }
    return line;
}

// Walks the text line by line and tells the sink what the rewritten text holds: Copy for
// bytes of the text itself, Put for new bytes. Each call says how far the text has been
// read by then, so that the sink can tell whether writing in place would overtake reading.
template <typename Sink>
void Rewrite(std::string_view text, ParagraphLayout layout, Sink& sink) {
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = LineAt(text, pos);
        const bool hasEnd = line.next > line.end;
        if (!line.blank) {
            sink.Copy(line.begin, line.end);
        }
        if (hasEnd && layout == ParagraphLayout::BlankLines) {
            sink.Put(kLineBreak, line.next);
        } else if (hasEnd && !line.blank) {
            sink.Put(kParagraphBreak, line.next);
        }
        pos = line.next;
    }
}

// First pass: the rewritten length, and how far ahead of reading the writing would run.
class Measure {
public:
    void Copy(std::size_t from, std::size_t to) {
        Ahead(written_, from);
        written_ += to - from;
    }
    void Put(std::string_view bytes, std::size_t readTo) {
        written_ += bytes.size();
        Ahead(written_, readTo);
    }
    [[nodiscard]] std::size_t Written() const noexcept { return written_; }
    [[nodiscard]] std::size_t Lead() const noexcept { return lead_; }

private:
    void Ahead(std::size_t written, std::size_t read) {
        if (written > read) {
            lead_ = std::max(lead_, written - read);
        }
    }
    std::size_t written_ = 0;
    std::size_t lead_ = 0;
};

// Second pass: writes from the front of the buffer while the text, moved lead bytes
// further on, is read; writing never reaches bytes not yet read.
class WriteInPlace {
public:
    WriteInPlace(char* buffer, std::size_t lead) : buffer_(buffer), lead_(lead) {}
    void Copy(std::size_t from, std::size_t to) {
        std::memmove(buffer_ + written_, buffer_ + lead_ + from, to - from);
        written_ += to - from;
    }
    void Put(std::string_view bytes, std::size_t /*readTo*/) {
        std::memcpy(buffer_ + written_, bytes.data(), bytes.size());
        written_ += bytes.size();
    }

private:
    char* buffer_;
    std::size_t lead_;
    std::size_t written_ = 0;
};

}  // namespace

ParagraphLayout DetectParagraphLayout(std::string_view text) noexcept {
    if (text.find(kParagraphBreak) != std::string_view::npos) {
        return ParagraphLayout::ReaderBreaks;
    }
    std::size_t characters = 0;
    std::size_t inLongLines = 0;
    std::size_t contentLines = 0;
    std::size_t adjacent = 0;   // a line following another directly
    std::size_t blankGaps = 0;  // blank lines between two lines
    bool blankSinceLast = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = LineAt(text, pos);
        if (line.blank) {
            blankSinceLast = contentLines > 0;
        } else {
            if (contentLines > 0) {
                ++(blankSinceLast ? blankGaps : adjacent);
            }
            ++contentLines;
            blankSinceLast = false;
            const std::string_view content = text.substr(line.begin, line.end - line.begin);
            const auto count = static_cast<std::size_t>(std::count_if(
                content.begin(), content.end(), [](char byte) { return !IsContinuation(byte); }));
            characters += count;
            inLongLines += count > kLongLine ? count : 0;
        }
        pos = line.next;
    }
    // Hard-wrapped text has next to nothing in long lines; one line per paragraph has most.
    const bool unwrapped = characters > 0 && inLongLines * 3 >= characters;
    if (unwrapped && adjacent > 0) {
        return ParagraphLayout::LinePerParagraph;
    }
    return blankGaps > 0 ? ParagraphLayout::BlankLines : ParagraphLayout::Unbroken;
}

void RewriteParagraphs(std::string& text, ParagraphLayout layout) {
    if (layout != ParagraphLayout::BlankLines && layout != ParagraphLayout::LinePerParagraph) {
        return;
    }
    Measure measure;
    Rewrite(text, layout, measure);
    const std::size_t length = text.size();
    const std::size_t lead = measure.Lead();
    if (lead > 0) {
        if (length + lead <= text.capacity()) {
            text.resize(length + lead);
            std::memmove(text.data() + lead, text.data(), length);
        } else {
            std::string moved;
            moved.reserve(length + lead);
            moved.append(lead, '\0');
            moved.append(text);
            text.swap(moved);
        }
    }
    WriteInPlace write(text.data(), lead);
    Rewrite(std::string_view(text.data() + lead, length), layout, write);
    text.resize(measure.Written());
}

}  // namespace velmora
