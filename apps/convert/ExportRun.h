#pragma once

#include "conversion/EarlierRun.h"
#include "script/ScriptFormat.h"
#include "text/CharacterSet.h"

#include <iosfwd>
#include <string>

namespace velmora {

class ConversionController;
class ScriptSource;
class TextReader;
struct ConvertOptions;

// velmora-convert --export=LIST --existing TEXT: exports the Script.htm beside TEXT as it
// is, when it is a script of TEXT (finished or not); nothing else is written, Script.htm
// and the text least of all. One line on err per export written, naming it; a refusal (no
// such script, no script of this text, a file that cannot be opened) says why.
// Returns the exit status: 0 exported, 1 refused, 2 an export could not be written.
[[nodiscard]] int ExportExistingScript(const ConvertOptions& options, std::ostream& err);

// velmora-convert --export=LIST at the end of a run that finished the script: writes its
// exports beside it, read back from the file as it stands, one line on err per export
// written. Returns the exit status: 0, or 2 when an export could not be written.
[[nodiscard]] int ExportFinishedScript(ConversionController& controller,
                                       const ConvertOptions& options, std::ostream& err);

// An earlier script beside the text, as recognised for an export.
struct ExistingScript {
    EarlierRun run;
    // ChangedText: where the text parts from the script, as the user finds it ("line 7 of the
    // text").
    std::string partsAt;
};

// Recognises script as a script of the text reader holds (document: imported from one),
// under whichever reading of the text made it, and leaves reader holding the text as that
// reading reads it (or, when none did, as the one that came closest does).
// @throws FileError when the script cannot be read.
[[nodiscard]] ExistingScript RecogniseExistingScript(TextReader& reader, CharacterSet set,
                                                     ScriptFormat preferred, ScriptSource& script,
                                                     bool document);

}  // namespace velmora
