#include "export/ReplayElements.h"

#include "conversion/ConversionWalk.h"
#include "export/ElementRecorder.h"
#include "text/TextReader.h"
#include "text/TypographicQuotes.h"

#include <string>
#include <utility>

namespace velmora {

std::vector<ScriptElement> ReplayElements(const ReplaySource& source) {
    std::string text(source.text);
    if (source.quotesStraightened) {
        StraightenTypographicQuotes(text, source.set);
    }
    TextReader reader;
    reader.Assign(std::move(text));
    ElementRecorder recorder(source.format, source.set);
    ConversionWalk walk(reader, recorder, source.set);
    bool waiting = walk.Start(nullptr);
    for (const EarlierRun::Step& step : source.steps) {
        if (!waiting) {
            break;
        }
        waiting = walk.Take(step, nullptr);
    }
    if (waiting && source.finished) {
        walk.WriteRestWithoutNames();
    }
    return std::move(recorder.Elements());
}

}  // namespace velmora
