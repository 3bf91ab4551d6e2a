#include "document/ParagraphText.h"

#include "document/ImportRefusal.h"
#include "text/Marks.h"
#include "text/Utf8.h"

#include <utility>

namespace velmora {
namespace {

constexpr std::string_view kNoBreakSpace = "\xC2\xA0";

bool IsCollapsible(unsigned char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n' || byte == '\f';
}

// A byte that goes into the text as it is, in runs.
bool IsPlain(unsigned char byte) { return byte >= 0x20 && byte < 0x80; }

// Nothing a reader would see: spaces, tabs, line breaks and no-break spaces.
bool HoldsText(std::string_view paragraph) {
    for (std::size_t i = 0; i < paragraph.size(); ++i) {
        const char byte = paragraph[i];
        if (byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n') {
            continue;
        }
        if (paragraph.substr(i, kNoBreakSpace.size()) == kNoBreakSpace) {
            ++i;
            continue;
        }
        return true;
    }
    return false;
}

}  // namespace

ParagraphText::ParagraphText(std::size_t maxBytes, std::string tooLong)
    : maxBytes_(maxBytes), tooLong_(std::move(tooLong)) {}

void ParagraphText::Open() {
    if (open_) {
        return;
    }
    paragraphBegin_ = text_.size();
    if (!text_.empty()) {
        Append(kParagraphBreak);
    }
    open_ = true;
    pendingSpace_ = false;
    lineHasText_ = false;
}

void ParagraphText::Append(std::string_view bytes) {
    if (bytes.size() > maxBytes_ - text_.size()) {
        throw ImportRefusal(tooLong_);
    }
    text_.append(bytes);
}

void ParagraphText::FlushSpace() {
    if (pendingSpace_ && lineHasText_) {
        Append(" ");
    }
    pendingSpace_ = false;
}

void ParagraphText::Text(std::string_view text, bool collapse) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (collapse && IsCollapsible(byte)) {
            pendingSpace_ = open_;
            ++i;
            continue;
        }
        if (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') {
            ++i;  // a control character: nothing a reader would see
            continue;
        }
        Open();
        FlushSpace();
        lineHasText_ = true;
        if (byte == '\r' || byte == '\n') {
            Append(" ");
            ++i;
        } else if (IsPlain(byte) || byte == '\t') {
            std::size_t end = i + 1;
            while (end < text.size() && IsPlain(static_cast<unsigned char>(text[end])) &&
                   !(collapse && text[end] == ' ')) {
                ++end;
            }
            Append(text.substr(i, end - i));
            i = end;
        } else {
            const Utf8Step step = DecodeUtf8(text.substr(i));
            Append(step.valid ? text.substr(i, step.length) : std::string_view("?"));
            i += step.length;
        }
    }
}

void ParagraphText::Spaces(std::size_t count) {
    Open();
    FlushSpace();
    for (std::size_t i = 0; i < count; ++i) {
        Append(" ");
    }
    lineHasText_ = true;
}

void ParagraphText::Tab() {
    Open();
    FlushSpace();
    Append("\t");
    lineHasText_ = true;
}

void ParagraphText::LineBreak() {
    Open();
    pendingSpace_ = false;
    Append(kLineBreak);
    lineHasText_ = false;
}

void ParagraphText::EndParagraph() {
    if (!open_) {
        return;
    }
    open_ = false;
    pendingSpace_ = false;
    const std::size_t contentBegin =
        paragraphBegin_ + (paragraphBegin_ > 0 ? kParagraphBreak.size() : 0);
    if (!HoldsText(std::string_view(text_).substr(contentBegin))) {
        text_.resize(paragraphBegin_);
        return;
    }
    const std::size_t last = text_.find_last_not_of(" \r\n");
    text_.resize(last + 1);
}

std::string ParagraphText::Take() {
    EndParagraph();
    std::string text = std::move(text_);
    text_.clear();
    return text;
}

}  // namespace velmora
