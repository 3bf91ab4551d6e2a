#pragma once

#include "conversion/EarlierRun.h"
#include "conversion/TextReading.h"
#include "script/ScriptFormat.h"
#include "text/CharacterSet.h"

#include <cstddef>
#include <string_view>

namespace velmora {

class ScriptSource;

// An earlier script recognised as one of a text, and the reading of the text it was made
// from.
struct ScriptOfText {
    // What the script is: of the reading that matched, or when none did, of the one that
    // came closest (a script of this text as it was before a change, over one of another).
    EarlierRun run;
    // That reading, answers included: the text to go on with is what it reads.
    TextReading reading;
    // ChangedText: where in the text given the line they part at begins (run.partsAt is
    // where in the text read the paragraph begins).
    std::size_t partsAtInText = 0;
};

// Recognises script as a script of text (its file's bytes as loaded, or its document's text
// as imported) in set, whatever was answered when the script was made: replays the script
// (RecogniseEarlierRun) under each reading of TextReading::Plausible in turn, all yes first,
// and takes the first of this text that holds a whole command. A script that stops before
// its first line of dialogue holds no answers: then the run is Unfinished with keptLength 0,
// and the reading all yes. Only one reading of the text is held beside it at a time.
// @throws FileError when the script cannot be read.
[[nodiscard]] ScriptOfText RecogniseScriptOfText(std::string_view text, CharacterSet set,
                                                 ScriptFormat preferred, ScriptSource& script);
// The same, with the readings' questions already found: applicable is TextReading::Of(text,
// set), its answers aside.
[[nodiscard]] ScriptOfText RecogniseScriptOfText(std::string_view text, CharacterSet set,
                                                 ScriptFormat preferred, ScriptSource& script,
                                                 const TextReading& applicable);

}  // namespace velmora
