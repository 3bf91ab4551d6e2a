#include "hint/Paragraph.h"

#include "text/Marks.h"

#include <algorithm>

namespace velmora {
namespace {

// How far back from a paragraph's end to look for the quote it ends with.
constexpr std::size_t kEndScan = 4000;
// How far back into the narration before a paragraph the hint looks for who is present.
constexpr std::size_t kNarrationScan = 1500;
// The fewest words of a quotation that narration leads into as a speech, not a phrase.
constexpr std::size_t kSpeechWords = 6;
// A paragraph of more words of narration than this, and this many times as many as it
// quotes, is narration that quotes, not a speech with an action beside it.
constexpr std::size_t kLongNarration = 40;
constexpr std::size_t kNarrationShare = 3;

// The last bytes of the paragraph [begin, end), within the text.
std::string_view Tail(std::string_view text, std::size_t begin, std::size_t end) {
    end = std::min(end, text.size());
    const std::size_t from = end - std::min(end - std::min(begin, end), kEndScan);
    return text.substr(from, end - from);
}

}  // namespace

bool IntroducesSpeech(const Paragraph& paragraph) {
    const std::vector<Token>& tokens = paragraph.tokens;
    const std::size_t first = paragraph.quoteStart;
    const std::size_t last = paragraph.afterQuote;
    if (paragraph.startsWithQuote || first == 0 || last > tokens.size() ||
        last < first + kSpeechWords) {
        return false;
    }
    const char before = tokens[first - 1].after;
    const char end = tokens[last - 1].after;
    return (before == ',' || before == ':') && (end == '.' || end == '!' || end == '?');
}

bool MostlyNarration(const Paragraph& paragraph) {
    std::size_t narration = 0;
    std::size_t quoted = 0;
    for (const Token& token : paragraph.tokens) {
        ++(token.segment % 2 == 0 ? narration : quoted);
    }
    return !paragraph.startsWithQuote && narration > kLongNarration &&
           narration >= kNarrationShare * quoted;
}

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
