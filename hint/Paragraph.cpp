#include "hint/Paragraph.h"

#include "text/Marks.h"

#include <algorithm>

namespace velmora {
namespace {

// How far back from a paragraph's end to look for the quote it ends with.
constexpr std::size_t kEndScan = 4000;
// How far back into the narration before a paragraph the hint looks for who is present.
constexpr std::size_t kNarrationScan = 1500;

// The last bytes of the paragraph [begin, end), within the text.
std::string_view Tail(std::string_view text, std::size_t begin, std::size_t end) {
    end = std::min(end, text.size());
    const std::size_t from = end - std::min(end - std::min(begin, end), kEndScan);
    return text.substr(from, end - from);
}

}  // namespace

std::string_view ScannedBytes(std::string_view text, std::size_t begin, std::size_t end) {
    end = std::min(end, text.size());
    begin = std::min(begin, end);
    return text.substr(begin, std::min(end - begin, kParagraphScan));
}

Paragraph ReadParagraph(std::string_view text, std::size_t begin, std::size_t end) {
    const std::string_view bytes = ScannedBytes(text, begin, end);
    Paragraph paragraph;
    paragraph.tokens = Tokenize(bytes);
    const std::string_view trimmed = Trim(bytes);
    // Dashes or dots before the quote ("--\"The best of all.") are no narration.
    const std::size_t opening = trimmed.find_first_not_of("-.");
    paragraph.startsWithQuote = opening != std::string_view::npos && trimmed[opening] == kQuote;
    const auto& tokens = paragraph.tokens;
    std::size_t i = 0;
    while (i < tokens.size() && tokens[i].segment == 0) {
        ++i;
    }
    paragraph.quoteStart = i;
    while (i < tokens.size() && tokens[i].segment == 1) {
        ++i;
    }
    paragraph.afterQuote = i;
    return paragraph;
}

bool LeftOpen(std::string_view text, std::size_t begin, std::size_t end) {
    const std::string_view tail = Tail(text, begin, end);
    const std::size_t quote = tail.rfind(kQuote);
    if (quote == std::string_view::npos) {
        return false;
    }
    // An opening quote is followed by a word; a closing one by a space, a mark or nothing.
    return quote + 1 < tail.size() && (IsWordByte(tail[quote + 1]) || tail[quote + 1] == '\'');
}

bool EndsWithQuestion(std::string_view text, std::size_t begin, std::size_t end) {
    const std::string_view tail = Tail(text, begin, end);
    const std::size_t quote = tail.rfind(kQuote);
    if (quote == std::string_view::npos || quote == 0) {
        return false;
    }
    std::size_t i = quote;
    while (i > 0 && IsSpace(tail[i - 1])) {
        --i;
    }
    return i > 0 && tail[i - 1] == '?';
}

Bounds NextParagraph(std::string_view text, std::size_t end) {
    std::size_t begin = std::min(end, text.size());
    while (begin < text.size() &&
           (text[begin] == '\r' || text[begin] == '\n' || text[begin] == ' ')) {
        ++begin;
    }
    return {begin, std::min(text.find(kParagraphBreak, begin), text.size())};
}

std::string_view NarrationBetween(std::string_view text, std::size_t lastEnd, std::size_t begin) {
    begin = std::min(begin, text.size());
    if (lastEnd > begin) {
        return {};
    }
    const std::string_view gap = Trim(text.substr(lastEnd, begin - lastEnd));
    return gap.size() > kNarrationScan ? gap.substr(gap.size() - kNarrationScan) : gap;
}

}  // namespace velmora
