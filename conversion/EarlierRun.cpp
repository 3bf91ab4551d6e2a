#include "conversion/EarlierRun.h"

#include "conversion/ConversionWalk.h"
#include "script/MemoryScript.h"
#include "script/ScriptWriter.h"
#include "text/TextReader.h"

#include <memory>

namespace velmora {
namespace {

constexpr std::string_view kScriptEnd = ScriptWriter::kScriptEnd;
// A stage play trims the note's line: "NOTE: " alone becomes "NOTE".
constexpr std::string_view kTrimmedNotePrefix = "NOTE";

// Compares what the replay wrote with the script as it goes, each byte once.
class ReplayCheck {
public:
    enum class Result { Same, ScriptEnded, Differs };

    ReplayCheck(const MemoryScript& replay, std::string_view script)
        : replay_(replay), script_(script) {}

    Result Check() {
        const std::string_view written = replay_.Bytes();
        const std::size_t end = std::min(written.size(), script_.size());
        if (written.substr(compared_, end - compared_) !=
            script_.substr(compared_, end - compared_)) {
            return Result::Differs;
        }
        compared_ = end;
        return written.size() > script_.size() ? Result::ScriptEnded : Result::Same;
    }

private:
    const MemoryScript& replay_;
    std::string_view script_;
    std::size_t compared_ = 0;
};

// The note a note's text holds, when it is one: the text after the prefix.
std::optional<std::string> NoteOf(std::string_view text) {
    if (text.starts_with(ConversionWalk::kNotePrefix)) {
        return std::string(text.substr(ConversionWalk::kNotePrefix.size()));
    }
    if (text == kTrimmedNotePrefix) {
        return std::string();
    }
    return std::nullopt;
}

}  // namespace

std::optional<EarlierRun> RecogniseEarlierRun(std::string_view text, ScriptFormat format,
                                              CharacterSet set, std::string_view script) {
    if (script.ends_with(kScriptEnd)) {
        return std::nullopt;
    }
    TextReader reader;
    reader.Assign(std::string(text));
    const auto writer = MakeScriptWriter(format);
    auto memory = std::make_unique<MemoryScript>();
    const MemoryScript& replay = *memory;
    writer->Open(std::move(memory), set);
    ConversionWalk walk(reader, *writer, set);
    ReplayCheck check(replay, script);

    EarlierRun run;
    bool waiting = walk.Start(nullptr);
    if (check.Check() != ReplayCheck::Result::Same) {
        return std::nullopt;  // not this text, or cut before its first line of dialogue
    }
    const auto length = [&replay] { return static_cast<std::int64_t>(replay.Bytes().size()); };
    for (;;) {
        run.keptLength = length();
        const std::string_view rest = script.substr(replay.Bytes().size());
        if (!waiting) {
            // Only the closing tag, or part of it, may follow the end of the text.
            run.textEnded = true;
            return kScriptEnd.starts_with(rest) ? std::optional(run) : std::nullopt;
        }
        if (rest.empty()) {
            return run;
        }
        EarlierRun::Step step;
        const auto note = writer->ReadNote(rest);
        const auto noteText = note ? NoteOf(note->text) : std::nullopt;
        if (noteText) {
            step = {true, *noteText};
            walk.WriteNote(step.text, nullptr);
        } else if (const auto name = writer->ReadCharacterName(rest)) {
            step = {false, name->text};
            waiting = walk.WriteLine(step.text, nullptr);
        } else {
            // A command cut short ends the script; anything else is not ours.
            return writer->CouldStartNameOrNote(rest) ? std::optional(run) : std::nullopt;
        }
        switch (check.Check()) {
        case ReplayCheck::Result::Differs:
            return std::nullopt;
        case ReplayCheck::Result::ScriptEnded:
            return run;  // the last command was cut short: the script goes back to before it
        case ReplayCheck::Result::Same:
            break;
        }
        run.lines += step.isNote ? 0 : 1;
        run.steps.push_back(std::move(step));
    }
}

}  // namespace velmora
