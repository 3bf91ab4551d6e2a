#pragma once

#include "conversion/ReadingQuestion.h"
#include "text/CharacterSet.h"
#include "text/GutenbergMatter.h"
#include "text/ParagraphLayout.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class TextReader;

// How a text is read: which of the questions asked when it loads apply to it, and their
// answers. What is read is a function of the text's bytes and the answers alone, so the same
// file read with the same answers gives the same text every time. In this order:
//   1. the Project Gutenberg header and licence are left out, when the text has its markers;
//   2. the paragraphs are read as the book marks them, when the reader would not see that
//      (blank lines of another form than CR LF CR LF, or one long line each); the layout is
//      told from the book without that matter, whether the matter is left out or not;
//   3. typographic quotes are read as double quotes, when the book marks dialogue with them
//      alone (in the character set of the whole text).
// Every answer is yes until it is given.
class TextReading {
public:
    // The questions that apply to text (as loaded from its file, or imported from its
    // document) in set, each answered yes. Reads the text three times over, in order.
    [[nodiscard]] static TextReading Of(std::string_view text, CharacterSet set) noexcept;

    // The questions that apply, in the order they are asked: the paragraphs, the Project
    // Gutenberg matter, the typographic quotes.
    [[nodiscard]] std::vector<ReadingQuestion> Questions() const;
    // Takes one answer per question, in the order Questions gives them; any left out stay yes.
    void Answer(const std::vector<bool>& answers);
    [[nodiscard]] std::vector<bool> Answers() const;

    // Every reading the questions allow: each combination of answers, all yes first and all
    // no last. One reading, this one's, when no question applies.
    [[nodiscard]] std::vector<TextReading> Plausible() const;

    // Reads the reader's text, the one this reading was made of (loaded or assigned, not
    // yet read), as answered, in place.
    void ApplyTo(TextReader& reader) const;
    // The same text as ApplyTo leaves in a reader, made of text: a view into text when only
    // the matter is left out (copy is then emptied), else made in copy. Needs no more than
    // the one copy of the text when it has room to spare for the paragraphs.
    [[nodiscard]] std::string_view Read(std::string_view text, std::string& copy) const;

    // Where in text the line holding offset of the text read begins (read as Read gives it).
    // Every line that is not blank is read, with its bytes and in its order (quotes aside),
    // so the line is found by counting those.
    [[nodiscard]] std::size_t OffsetInText(std::string_view text, std::string_view read,
                                           std::size_t offset) const noexcept;

    // The answers in a few words each ("without the Project Gutenberg header and licence"),
    // in the order of the questions; none when no question applies.
    [[nodiscard]] std::vector<std::string_view> Described() const;

    friend bool operator==(const TextReading&, const TextReading&) = default;

private:
    [[nodiscard]] bool LeavesOutMatter() const noexcept { return matter_ && leaveOutMatter_; }
    [[nodiscard]] bool RewritesParagraphs() const noexcept;
    [[nodiscard]] bool StraightensQuotes() const noexcept {
        return onlyTypographicQuotes_ && straightenQuotes_;
    }
    [[nodiscard]] bool AsksAboutParagraphs() const noexcept;
    // Where the answer to each question that applies is kept, in the order asked: bool* or
    // const bool*, as reading is.
    template <typename Reading>
    [[nodiscard]] static auto AnswerSlots(Reading& reading);

    CharacterSet set_ = CharacterSet::Ascii;
    std::optional<GutenbergBody> matter_;  // the book, when the text has the markers
    ParagraphLayout layout_ = ParagraphLayout::ReaderBreaks;
    bool onlyTypographicQuotes_ = false;
    bool leaveOutMatter_ = true;
    bool rewriteParagraphs_ = true;
    bool straightenQuotes_ = true;
};

}  // namespace velmora
