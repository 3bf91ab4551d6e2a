#include "conversion/EarlierRun.h"

#include "conversion/ConversionWalk.h"
#include "script/NoteLine.h"
#include "script/ScriptOutput.h"
#include "script/ScriptSource.h"
#include "script/ScriptWriter.h"
#include "text/TextReader.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

namespace velmora {
namespace {

constexpr std::string_view kScriptStart = "<HTML>";
constexpr std::string_view kScriptEnd = ScriptWriter::kScriptEnd;
// What an editor may add after the last whole command.
constexpr std::string_view kBlank = " \t\r\n";
// Bytes compared, and looked ahead, at a time.
constexpr std::size_t kPiece = std::size_t{1} << 16U;
constexpr std::size_t kLookahead = 4096;
// The longest opening markup of a name or a note; typed text never holds "<", so a name or
// note has ended by the first "<" past it.
constexpr std::size_t kLongestOpening = 16;

// Thrown out of the replay once the script can tell nothing more: it parted, or it ended.
struct ReplayStopped {};

// Where the replay writes: compares each byte with the script as it comes, reading the
// script no further than the replay has written.
class ComparingScript final : public ScriptOutput {
public:
    enum class State { Same, ScriptEnded, Differs };

    // from: where in the script the bytes written go.
    ComparingScript(ScriptSource& script, const TextReader& reader, std::int64_t from = 0)
        : script_(script), reader_(reader), written_(from) {}

    [[nodiscard]] bool IsOpen() const noexcept override { return true; }
    void Write(std::string_view bytes) override {
        for (; !bytes.empty(); bytes.remove_prefix(std::min(bytes.size(), kPiece))) {
            const std::string_view piece = bytes.substr(0, kPiece);
            const std::string_view held = script_.From(written_, piece.size());
            if (held != piece.substr(0, held.size())) {
                state_ = State::Differs;
                partsAt_ = reader_.ParagraphBegin();
                throw ReplayStopped{};
            }
            if (held.size() < piece.size()) {
                state_ = State::ScriptEnded;
                throw ReplayStopped{};
            }
            written_ += static_cast<std::int64_t>(piece.size());
        }
    }
    [[nodiscard]] std::int64_t Length() override { return written_; }
    void Truncate(std::int64_t length) override { written_ = length; }
    void Close() override {}

    [[nodiscard]] State GetState() const noexcept { return state_; }
    [[nodiscard]] std::size_t PartsAt() const noexcept { return partsAt_; }

private:
    ScriptSource& script_;
    const TextReader& reader_;
    std::int64_t written_ = 0;  // bytes written and found the same
    State state_ = State::Same;
    std::size_t partsAt_ = 0;
};

// True when the script holds nothing but blanks from offset to its end.
bool IsBlankToEnd(ScriptSource& script, std::int64_t offset) {
    for (;;) {
        const std::string_view piece = script.From(offset, kPiece);
        if (piece.find_first_not_of(kBlank) != std::string_view::npos) {
            return false;
        }
        if (piece.size() < kPiece) {
            return true;
        }
        offset += static_cast<std::int64_t>(piece.size());
    }
}

// The step the script holds at offset; nothing when there is none there, and cutShort when
// the script ends inside what could be one.
struct NextStep {
    std::optional<EarlierRun::Step> step;
    bool cutShort = false;
};

// How the script at offset compares with the narration of the pending paragraph whole.
ComparingScript::State NotDialogueAt(ScriptFormat format, CharacterSet set, ScriptSource& script,
                                     const TextReader& reader, std::int64_t offset,
                                     std::string_view pending) {
    const auto writer = MakeScriptWriter(format);
    auto comparing = std::make_unique<ComparingScript>(script, reader, offset);
    const ComparingScript& check = *comparing;
    writer->Continue(std::move(comparing), set);
    try {
        writer->WriteNarration(pending);
    } catch (const ReplayStopped&) {
        // check says why
    }
    return check.GetState();
}

NextStep ReadStep(const ScriptWriter& writer, ScriptSource& script, std::int64_t offset) {
    for (std::size_t count = kLookahead;; count *= 2) {
        const std::string_view markup = script.From(offset, count);
        const auto note = writer.ReadNote(markup);
        if (auto text = note ? NoteOf(note->text) : std::nullopt) {
            return {EarlierRun::Step::Note(std::move(*text))};
        }
        if (auto name = writer.ReadCharacterName(markup)) {
            return {EarlierRun::Step::Line(std::move(name->text))};
        }
        if (note) {
            return {};  // whole narration, neither a note nor the pending paragraph
        }
        if (!writer.CouldStartNameOrNote(markup, kNoteMark)) {
            return {};  // no name or note starts so
        }
        const std::size_t closing = markup.find('<', kLongestOpening);
        if (markup.size() < count) {
            // The script ends here: inside a name or note cut short only where its closing
            // markup has not begun, or begins just before the end. Markup going on well past
            // it is another element (a script in the other format, say), not one cut short.
            const bool cutShort =
                closing == std::string_view::npos || markup.size() - closing < kLongestOpening;
            return {std::nullopt, cutShort};
        }
        if (closing != std::string_view::npos) {
            return {};  // it would have ended by now
        }
    }
}

EarlierRun Parted(EarlierRun run, std::string_view text, std::size_t partsAt) {
    const std::size_t firstParagraph = std::min(text.find_first_not_of("\r\n "), text.size());
    run.verdict = partsAt > firstParagraph ? EarlierRun::Verdict::ChangedText
                                           : EarlierRun::Verdict::OtherText;
    run.partsAt = partsAt;
    return run;
}

EarlierRun Unfinished(EarlierRun run, bool textEnded) {
    run.verdict = EarlierRun::Verdict::Unfinished;
    run.textEnded = textEnded;
    return run;
}

// The text has ended where the script holds end bytes on: only the closing tag, whole or
// in part, and blanks after it may follow.
EarlierRun AtTextEnd(EarlierRun run, std::string_view text, ScriptSource& script, std::int64_t end,
                     std::size_t lastParagraph) {
    const std::string_view rest = script.From(end, kScriptEnd.size());
    const auto afterEnd = end + static_cast<std::int64_t>(kScriptEnd.size());
    if (rest == kScriptEnd && IsBlankToEnd(script, afterEnd)) {
        run.verdict = EarlierRun::Verdict::Finished;
        run.keptLength = afterEnd;
        return run;
    }
    if ((rest.size() < kScriptEnd.size() && kScriptEnd.starts_with(rest)) ||
        IsBlankToEnd(script, end)) {
        return Unfinished(std::move(run), true);
    }
    return Parted(std::move(run), text, lastParagraph);
}

EarlierRun RecogniseAs(std::string_view text, ScriptFormat format, CharacterSet set,
                       ScriptSource& script) {
    TextReader reader;
    reader.View(text);
    const auto writer = MakeScriptWriter(format);
    auto comparing = std::make_unique<ComparingScript>(script, reader);
    const ComparingScript& check = *comparing;
    ConversionWalk walk(reader, *writer, set);

    EarlierRun run;
    run.format = format;
    bool waiting = false;
    try {
        writer->Open(std::move(comparing), set);
        waiting = walk.Start(nullptr);
    } catch (const ReplayStopped&) {
        if (check.GetState() == ComparingScript::State::Differs) {
            return Parted(std::move(run), text, check.PartsAt());
        }
        // It stops before its first line of dialogue: nothing in it to keep.
        return Unfinished(std::move(run), false);
    }
    for (;;) {
        const std::int64_t end = writer->Length();
        run.keptLength = end;
        if (!waiting) {
            return AtTextEnd(std::move(run), text, script, end, reader.ParagraphBegin());
        }
        const std::string_view following = script.From(end, 1);
        if (following.empty() || (kBlank.find(following.front()) != std::string_view::npos &&
                                  IsBlankToEnd(script, end))) {
            return Unfinished(std::move(run), false);
        }
        NextStep next;
        switch (NotDialogueAt(format, set, script, reader, end, walk.Pending())) {
        case ComparingScript::State::Same:
            next.step = EarlierRun::Step::NotDialogue();
            break;
        case ComparingScript::State::ScriptEnded:
            next.cutShort = true;  // no whole name or note starts as this narration does
            break;
        case ComparingScript::State::Differs:
            next = ReadStep(*writer, script, end);
            break;
        }
        if (!next.step) {
            // A command cut short ends the script; anything else parts from the text here.
            return next.cutShort ? Unfinished(std::move(run), false)
                                 : Parted(std::move(run), text, reader.ParagraphBegin());
        }
        try {
            waiting = walk.Take(*next.step, nullptr);
        } catch (const ReplayStopped&) {
            if (check.GetState() == ComparingScript::State::Differs) {
                return Parted(std::move(run), text, check.PartsAt());
            }
            return Unfinished(std::move(run), false);  // the last command was cut short
        }
        run.lines += next.step->kind == EarlierRun::Step::Kind::Line ? 1 : 0;
        run.steps.push_back(std::move(*next.step));
    }
}

}  // namespace

EarlierRun RecogniseEarlierRun(std::string_view text, ScriptFormat preferred, CharacterSet set,
                               ScriptSource& script) {
    const std::string_view head = script.From(0, kScriptStart.size());
    if (head != kScriptStart.substr(0, head.size())) {
        EarlierRun run;
        run.format = preferred;
        return run;
    }
    EarlierRun first = RecogniseAs(text, preferred, set, script);
    if (first.IsOfThisText()) {
        return first;
    }
    const ScriptFormat other =
        preferred == ScriptFormat::ScreenPlay ? ScriptFormat::StagePlay : ScriptFormat::ScreenPlay;
    EarlierRun second = RecogniseAs(text, other, set, script);
    if (second.IsOfThisText() || second.partsAt > first.partsAt) {
        return second;
    }
    return first;
}

EarlierRun RecogniseEarlierRun(std::string_view text, ScriptFormat preferred, CharacterSet set,
                               std::string_view script) {
    ScriptBytes bytes(script);
    return RecogniseEarlierRun(text, preferred, set, bytes);
}

int LineNumberAt(std::string_view text, std::size_t offset) noexcept {
    int line = 1;
    const std::size_t end = std::min(offset, text.size());
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

}  // namespace velmora
