#include "text/TextReader.h"

#include "platform/WholeFile.h"
#include "text/Marks.h"
#include "text/TypographicQuotes.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

bool IsSeparator(char byte) { return byte == '\r' || byte == '\n' || byte == ' '; }

}  // namespace

void TextReader::Load(const std::string& name) {
    isLoaded_ = false;
    position_ = 0;
    paragraphBegin_ = 0;
    buffer_.clear();
    text_ = {};
    failure_ = {};
    identity_.reset();

    // Room to spare, so that reading the paragraphs another way rewrites the text where it is.
    WholeFile file = ReadWholeFile(name, kMaxLength, kRewriteRoomDivisor);
    if (!file.IsRead()) {
        failure_.refusal = file.refusal;
        failure_.tooLarge = file.tooLarge;
        return;
    }
    buffer_ = std::move(file.bytes);
    text_ = buffer_;
    identity_ = file.identity;
    isLoaded_ = true;
}

void TextReader::Assign(std::string text) {
    buffer_ = std::move(text);
    View(buffer_);
}

void TextReader::View(std::string_view text) {
    text_ = text;
    position_ = 0;
    paragraphBegin_ = 0;
    failure_ = {};
    identity_.reset();
    isLoaded_ = true;
}

void TextReader::Assign(std::string text, FileIdentity document) {
    Assign(std::move(text));
    identity_ = document;
}

void TextReader::RewriteParagraphs(ParagraphLayout layout) {
    velmora::RewriteParagraphs(buffer_, layout);
    text_ = buffer_;
    position_ = std::min(position_, buffer_.size());
    paragraphBegin_ = std::min(paragraphBegin_, position_);
}

void TextReader::KeepOnly(std::size_t begin, std::size_t end) noexcept {
    end = std::min(end, buffer_.size());
    begin = std::min(begin, end);
    buffer_.erase(end);
    buffer_.erase(0, begin);
    text_ = buffer_;
    position_ = 0;
    paragraphBegin_ = 0;
}

void TextReader::StraightenQuotes(CharacterSet set) noexcept {
    StraightenTypographicQuotes(buffer_, set);
    text_ = buffer_;
}

void TextReader::Rewind(std::size_t position, std::size_t paragraphBegin) noexcept {
    position_ = std::min(position, text_.size());
    paragraphBegin_ = std::min(paragraphBegin, position_);
    isLoaded_ = true;
}

bool TextReader::ReadParagraph(std::string& paragraph) {
    std::string_view next;
    if (!ReadParagraph(next)) {
        return false;
    }
    paragraph.assign(next);
    return true;
}

bool TextReader::ReadParagraph(std::string_view& paragraph) {
    while (position_ < text_.size() && IsSeparator(text_[position_])) {
        ++position_;
    }
    if (position_ >= text_.size()) {
        isLoaded_ = false;
        return false;
    }
    // The break itself and any separators after it are skipped by the next call.
    const std::size_t start = position_;
    paragraphBegin_ = start;
    position_ = std::min(text_.find(kParagraphBreak, start), text_.size());
    paragraph = text_.substr(start, position_ - start);
    return true;
}

}  // namespace velmora
