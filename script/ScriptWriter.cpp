#include "script/ScriptWriter.h"

#include "script/HtmlEscape.h"
#include "script/Parenthetical.h"
#include "script/ScriptOutput.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

std::string Joined(std::string_view first, std::string_view second) {
    std::string joined(first);
    joined += second;
    return joined;
}

}  // namespace

ScriptWriter::ScriptWriter() = default;
ScriptWriter::~ScriptWriter() = default;

void ScriptWriter::Open(std::unique_ptr<ScriptOutput> output, CharacterSet set) {
    Continue(std::move(output), set);
    output_->Write("<HTML>");
    if (const std::string_view label = CharacterSetLabel(set); !label.empty()) {
        std::string declaration = R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=)";
        declaration += label;
        declaration += "\">";
        output_->Write(declaration);
    }
}

void ScriptWriter::Continue(std::unique_ptr<ScriptOutput> output, CharacterSet set) {
    output_ = std::move(output);
    set_ = set;
}

bool ScriptWriter::IsOpen() const noexcept { return output_ && output_->IsOpen(); }

void ScriptWriter::Close() {
    if (!IsOpen()) {
        return;
    }
    output_->Write(kScriptEnd);
    output_->Close();
}

void ScriptWriter::Abandon() noexcept { output_.reset(); }

std::int64_t ScriptWriter::Length() { return output_->Length(); }

void ScriptWriter::Truncate(std::int64_t length) { output_->Truncate(length); }

void ScriptWriter::WriteCharacterName(std::string_view typedName) {
    const FormatMarkup& markup = Markup();
    WriteTags(markup.nameOpen);
    WriteTyped(typedName);
    WriteTags(markup.nameClose);
}

void ScriptWriter::WriteParenthetical(std::string_view text) {
    const std::string_view trimmed = NormaliseParenthetical(text);
    if (trimmed.empty()) {
        return;
    }
    const FormatMarkup& markup = Markup();
    WriteTags(markup.parentheticalOpen);
    WriteText(trimmed);
    WriteTags(markup.parentheticalClose);
}

void ScriptWriter::WriteDialogue(std::string_view text) {
    const FormatMarkup& markup = Markup();
    WriteTags(markup.dialogueOpen);
    WriteText(text);
    WriteTags(markup.dialogueClose);
}

void ScriptWriter::WriteNarration(std::string_view text) { WriteNarrationElement(text, false); }

void ScriptWriter::WriteNote(std::string_view typedText) { WriteNarrationElement(typedText, true); }

void ScriptWriter::WriteNarrationElement(std::string_view text, bool typed) {
    const FormatMarkup& markup = Markup();
    WriteTags(markup.narrationOpen);
    if (markup.narrationAsParenthetical) {
        const std::string_view trimmed = NormaliseParenthetical(text);
        if (!trimmed.empty()) {
            WriteTags(markup.parentheticalOpen);
            typed ? WriteTyped(trimmed) : WriteText(trimmed);
            WriteTags(markup.parentheticalClose);
        }
    } else {
        typed ? WriteTyped(text) : WriteText(text);
    }
    WriteTags(markup.narrationClose);
}

void ScriptWriter::WriteTags(const Tags& tags) {
    if (!tags.first.empty()) {
        output_->Write(tags.first);
    }
    if (!tags.second.empty()) {
        output_->Write(tags.second);
    }
}

void ScriptWriter::WriteText(std::string_view text) {
    if (!NeedsHtmlEscape(text)) {
        if (!text.empty()) {
            output_->Write(text);
        }
        return;
    }
    // Escaped a piece at a time: a paragraph may be nearly the whole text, and a copy of it
    // would double what a conversion holds.
    constexpr std::size_t kPiece = std::size_t{1} << 16U;
    for (; !text.empty(); text.remove_prefix(std::min(text.size(), kPiece))) {
        output_->Write(EscapeHtml(text.substr(0, kPiece)));
    }
}

void ScriptWriter::WriteTyped(std::string_view utf8) {
    if (!utf8.empty()) {
        output_->Write(EscapeTyped(utf8, set_));
    }
}

std::optional<ScriptWriter::ReadBack> ScriptWriter::ReadBetween(std::string_view markup,
                                                                const Tags& open,
                                                                const Tags& close) const {
    const std::string opening = Joined(open.first, open.second);
    const std::string closing = Joined(close.first, close.second);
    if (!markup.starts_with(opening)) {
        return std::nullopt;
    }
    const std::size_t end = markup.find(closing, opening.size());
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    auto text = UnescapeTyped(markup.substr(opening.size(), end - opening.size()), set_);
    if (!text) {
        return std::nullopt;
    }
    return ReadBack{std::move(*text), end + closing.size()};
}

std::optional<ScriptWriter::ReadBack> ScriptWriter::ReadCharacterName(
    std::string_view markup) const {
    const FormatMarkup& format = Markup();
    return ReadBetween(markup, format.nameOpen, format.nameClose);
}

std::optional<ScriptWriter::ReadBack> ScriptWriter::ReadNote(std::string_view markup) const {
    const FormatMarkup& format = Markup();
    if (!format.narrationAsParenthetical) {
        return ReadBetween(markup, format.narrationOpen, format.narrationClose);
    }
    const std::string open =
        Joined(Joined(format.narrationOpen.first, format.narrationOpen.second),
               Joined(format.parentheticalOpen.first, format.parentheticalOpen.second));
    const std::string close =
        Joined(Joined(format.parentheticalClose.first, format.parentheticalClose.second),
               Joined(format.narrationClose.first, format.narrationClose.second));
    return ReadBetween(markup, {open, {}}, {close, {}});
}

bool ScriptWriter::CouldStartNameOrNote(std::string_view markup, std::string_view noteStart) const {
    const FormatMarkup& format = Markup();
    const auto couldStart = [markup](std::string_view opening) {
        return markup.starts_with(opening) || opening.starts_with(markup);
    };
    std::string noteOpening = Joined(format.narrationOpen.first, format.narrationOpen.second);
    if (format.narrationAsParenthetical) {
        noteOpening += Joined(format.parentheticalOpen.first, format.parentheticalOpen.second);
    }
    noteOpening += noteStart;
    return couldStart(Joined(format.nameOpen.first, format.nameOpen.second)) ||
           couldStart(noteOpening);
}

}  // namespace velmora
