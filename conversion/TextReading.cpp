#include "conversion/TextReading.h"

#include "conversion/StatusTexts.h"
#include "text/Lines.h"
#include "text/TextReader.h"
#include "text/TypographicQuotes.h"

namespace velmora {
namespace {

// A blank line, as the paragraph layouts count them.
bool IsBlank(std::string_view line) noexcept {
    return line.find_first_not_of(" \t\f\v") == std::string_view::npos;
}

std::size_t OffsetOf(std::string_view line, std::string_view in) noexcept {
    return static_cast<std::size_t>(line.data() - in.data());
}

}  // namespace

TextReading TextReading::Of(std::string_view text, CharacterSet set) noexcept {
    TextReading reading;
    reading.set_ = set;
    reading.matter_ = FindGutenbergBody(text);
    const std::string_view book =
        reading.matter_
            ? text.substr(reading.matter_->begin, reading.matter_->end - reading.matter_->begin)
            : text;
    reading.layout_ = DetectParagraphLayout(book);
    reading.onlyTypographicQuotes_ = HasOnlyTypographicQuotes(book, set);
    return reading;
}

bool TextReading::AsksAboutParagraphs() const noexcept {
    return layout_ == ParagraphLayout::BlankLines || layout_ == ParagraphLayout::LinePerParagraph;
}

bool TextReading::RewritesParagraphs() const noexcept {
    return rewriteParagraphs_ && AsksAboutParagraphs();
}

template <typename Reading>
auto TextReading::AnswerSlots(Reading& reading) {
    std::vector<decltype(&reading.leaveOutMatter_)> slots;
    if (reading.AsksAboutParagraphs()) {
        slots.push_back(&reading.rewriteParagraphs_);
    }
    if (reading.matter_) {
        slots.push_back(&reading.leaveOutMatter_);
    }
    if (reading.onlyTypographicQuotes_) {
        slots.push_back(&reading.straightenQuotes_);
    }
    return slots;
}

std::vector<ReadingQuestion> TextReading::Questions() const {
    std::vector<ReadingQuestion> questions;
    if (layout_ == ParagraphLayout::BlankLines) {
        questions.push_back({ReadingChoice::Paragraphs, kBlankLinesQuestion});
    } else if (layout_ == ParagraphLayout::LinePerParagraph) {
        questions.push_back({ReadingChoice::Paragraphs, kLinePerParagraphQuestion});
    }
    if (matter_) {
        questions.push_back({ReadingChoice::GutenbergMatter, kGutenbergQuestion});
    }
    if (onlyTypographicQuotes_) {
        questions.push_back({ReadingChoice::TypographicQuotes, kTypographicQuotesQuestion});
    }
    return questions;
}

void TextReading::Answer(const std::vector<bool>& answers) {
    const auto slots = AnswerSlots(*this);
    for (std::size_t i = 0; i < slots.size() && i < answers.size(); ++i) {
        *slots[i] = answers[i];
    }
}

std::vector<bool> TextReading::Answers() const {
    std::vector<bool> answers;
    for (const bool* slot : AnswerSlots(*this)) {
        answers.push_back(*slot);
    }
    return answers;
}

std::vector<TextReading> TextReading::Plausible() const {
    const std::size_t count = Questions().size();
    std::vector<TextReading> readings;
    readings.reserve(std::size_t{1} << count);
    // Counting up with a set bit for a no: all yes first, all no last.
    for (std::size_t noes = 0; noes < (std::size_t{1} << count); ++noes) {
        std::vector<bool> answers(count);
        for (std::size_t i = 0; i < count; ++i) {
            answers[i] = ((noes >> (count - 1 - i)) & 1U) == 0;
        }
        TextReading reading = *this;
        reading.Answer(answers);
        readings.push_back(reading);
    }
    return readings;
}

void TextReading::ApplyTo(TextReader& reader) const {
    if (LeavesOutMatter()) {
        reader.KeepOnly(matter_->begin, matter_->end);
    }
    if (RewritesParagraphs()) {
        reader.RewriteParagraphs(layout_);
    }
    if (StraightensQuotes()) {
        reader.StraightenQuotes(set_);
    }
}

std::string_view TextReading::Read(std::string_view text, std::string& copy) const {
    copy.clear();
    const std::string_view book =
        LeavesOutMatter() ? text.substr(matter_->begin, matter_->end - matter_->begin) : text;
    if (!RewritesParagraphs() && !StraightensQuotes()) {
        return book;
    }
    // The room a loaded text has, so that the paragraphs are rewritten where they are.
    copy.reserve(book.size() + book.size() / kRewriteRoomDivisor + 100);
    copy.assign(book);
    if (RewritesParagraphs()) {
        RewriteParagraphs(copy, layout_);
    }
    if (StraightensQuotes()) {
        StraightenTypographicQuotes(copy, set_);
    }
    return copy;
}

std::size_t TextReading::OffsetInText(std::string_view text, std::string_view read,
                                      std::size_t offset) const noexcept {
    std::size_t before = 0;  // lines not blank before the one holding offset
    LineSplitter readLines(read);
    for (std::string_view line; readLines.Next(line);) {
        if (OffsetOf(line, read) + line.size() >= offset) {
            break;
        }
        if (!IsBlank(line)) {
            ++before;
        }
    }
    const std::size_t begin = LeavesOutMatter() ? matter_->begin : 0;
    const std::size_t end = LeavesOutMatter() ? matter_->end : text.size();
    const std::string_view book = text.substr(begin, end - begin);
    LineSplitter bookLines(book);
    for (std::string_view line; bookLines.Next(line);) {
        if (!IsBlank(line) && before-- == 0) {
            return begin + OffsetOf(line, book);
        }
    }
    return end;
}

std::vector<std::string_view> TextReading::Described() const {
    std::vector<std::string_view> words;
    if (layout_ == ParagraphLayout::BlankLines) {
        words.emplace_back(rewriteParagraphs_ ? "blank lines as paragraph breaks"
                                              : "blank lines not as paragraph breaks");
    } else if (layout_ == ParagraphLayout::LinePerParagraph) {
        words.emplace_back(rewriteParagraphs_ ? "each line as a paragraph"
                                              : "lines not as paragraphs");
    }
    if (matter_) {
        words.emplace_back(leaveOutMatter_ ? "without the Project Gutenberg header and licence"
                                           : "with the Project Gutenberg header and licence");
    }
    if (onlyTypographicQuotes_) {
        words.emplace_back(straightenQuotes_ ? "typographic quotes as double quotes"
                                             : "typographic quotes as they are");
    }
    return words;
}

}  // namespace velmora
