#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// Builds the text the reader expects from a document's paragraphs: UTF-8, paragraphs
// separated by CR LF CR LF, a line break inside a paragraph as CR LF. Paragraphs holding
// nothing but white space are left out. Bytes that are not UTF-8 become "?", control
// characters other than tab are dropped, so the text is valid UTF-8 whatever came in.
class ParagraphText {
public:
    // Refuses (ImportRefusal with tooLong) once the text would pass maxBytes.
    ParagraphText(std::size_t maxBytes, std::string tooLong);

    // Running text. Collapsed: each run of white space is one space, and none at the start
    // of a line or the end of a paragraph (HTML and OpenDocument). Otherwise every
    // character counts, a CR or LF as a space (Word's runs).
    void Text(std::string_view text, bool collapse);
    void Spaces(std::size_t count);
    void Tab();
    void LineBreak();
    // Ends the paragraph being built, if any; the next text starts a new one.
    void EndParagraph();

    // The whole text; the builder is empty afterwards.
    [[nodiscard]] std::string Take();
    [[nodiscard]] bool Empty() const noexcept { return text_.empty() && !open_; }

private:
    void Open();
    void Append(std::string_view bytes);
    void FlushSpace();

    std::string text_;
    std::size_t maxBytes_;
    std::string tooLong_;
    std::size_t paragraphBegin_ = 0;  // where the open paragraph's separator begins
    bool open_ = false;
    bool pendingSpace_ = false;
    bool lineHasText_ = false;
};

}  // namespace velmora
