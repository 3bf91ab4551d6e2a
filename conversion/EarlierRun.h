#pragma once

#include "script/ScriptFormat.h"
#include "text/CharacterSet.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// What an unfinished script says of the run that wrote it: every name and note the user
// gave, in order, read back out of its markup.
struct EarlierRun {
    struct Step {
        bool isNote = false;
        std::string text;  // the name or the note, as typed (UTF-8)

        friend bool operator==(const Step&, const Step&) = default;
    };
    std::vector<Step> steps;
    int lines = 0;                // named lines among the steps
    std::int64_t keptLength = 0;  // the script up to the end of its last whole command
    bool textEnded = false;       // the walk is at the end of the text: only "</HTML>" is missing
};

// Recognises script as an unfinished script of text in format and set: replays the
// conversion in memory with the names and notes the script holds, and accepts only when
// the bytes the replay writes are the script's own, byte for byte (a last command cut short
// is dropped). Nothing for a finished script, one of another text or format, or one
// changed by hand.
[[nodiscard]] std::optional<EarlierRun> RecogniseEarlierRun(std::string_view text,
                                                            ScriptFormat format, CharacterSet set,
                                                            std::string_view script);

}  // namespace velmora
