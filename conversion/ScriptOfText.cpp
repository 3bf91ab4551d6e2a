#include "conversion/ScriptOfText.h"

#include "script/CountingScript.h"
#include "script/ScriptWriter.h"

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

namespace velmora {
namespace {

// How near a verdict comes to the script: of this text before any other, then the one that
// kept the most of the script, then a script of this text as it was before a change.
auto Nearness(const EarlierRun& run) {
    return std::make_tuple(run.IsOfThisText(), run.keptLength,
                           run.verdict == EarlierRun::Verdict::ChangedText);
}

// The bytes a script of the format opens with, before anything of its text.
std::int64_t OpeningLength(ScriptFormat format, CharacterSet set) {
    const auto writer = MakeScriptWriter(format);
    writer->Open(std::make_unique<CountingScript>(), set);
    return writer->Length();
}

}  // namespace

ScriptOfText RecogniseScriptOfText(std::string_view text, CharacterSet set, ScriptFormat preferred,
                                   ScriptSource& script) {
    return RecogniseScriptOfText(text, set, preferred, script, TextReading::Of(text, set));
}

ScriptOfText RecogniseScriptOfText(std::string_view text, CharacterSet set, ScriptFormat preferred,
                                   ScriptSource& script, const TextReading& applicable) {
    std::string copy;  // the reading tried, when it is not a view of the text
    ScriptOfText nearest;
    bool first = true;
    for (const TextReading& reading : applicable.Plausible()) {
        const std::string_view read = reading.Read(text, copy);
        EarlierRun run = RecogniseEarlierRun(read, preferred, set, script);
        if (run.verdict == EarlierRun::Verdict::Unfinished &&
            run.keptLength <= OpeningLength(run.format, set)) {
            // Nothing past its opening tells how the text was read: it is written again
            // from its beginning, as one stopped before it, and the questions asked anew.
            run.keptLength = 0;
        }
        if (first || Nearness(run) > Nearness(nearest.run)) {
            nearest.partsAtInText = run.verdict == EarlierRun::Verdict::ChangedText
                                        ? reading.OffsetInText(text, read, run.partsAt)
                                        : 0;
            nearest.run = std::move(run);
            nearest.reading = reading;
        }
        first = false;
        // Not a script under any reading; or this reading made it: no other one writes the
        // same bytes past the first line of dialogue.
        if (nearest.run.verdict == EarlierRun::Verdict::NotAScript ||
            (nearest.run.IsOfThisText() && nearest.run.keptLength > 0)) {
            break;
        }
    }
    return nearest;
}

}  // namespace velmora
