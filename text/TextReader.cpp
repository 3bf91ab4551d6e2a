#include "text/TextReader.h"

#include "platform/File.h"
#include "text/TypographicQuotes.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

constexpr std::string_view kParagraphBreak = "\r\n\r\n";

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

    File file;
    if (!file.OpenForReading(name)) {
        failure_.refusal = file.LastRefusal();
        return;
    }
    const std::int64_t length = file.Length();
    if (length < 0 || length > kMaxLength) {
        failure_.tooLarge = true;
        return;
    }
    const FileIdentity identity = file.Identity();
    std::string buffer(static_cast<std::size_t>(length), '\0');
    buffer.resize(file.Read(buffer.data(), buffer.size()));
    file.Close();

    buffer_ = std::move(buffer);
    text_ = buffer_;
    identity_ = identity;
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
