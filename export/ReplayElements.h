#pragma once

#include "conversion/EarlierRun.h"
#include "export/ScriptElement.h"
#include "script/ScriptFormat.h"
#include "text/CharacterSet.h"

#include <span>
#include <string_view>
#include <vector>

namespace velmora {

// What a script was made from and what it holds, enough to make it again.
struct ReplaySource {
    std::string_view text;  // the text's bytes, as in its file
    CharacterSet set = CharacterSet::Ascii;
    ScriptFormat format = ScriptFormat::ScreenPlay;
    // The names, notes and paragraphs that are not dialogue the script holds, in order.
    std::span<const EarlierRun::Step> steps;
    // The run read typographic quotes as double quotes.
    bool quotesStraightened = false;
    // The script was finished: lines after the last named one were written by the bulk
    // completion, with the placeholder name.
    bool finished = false;
};

// The script's elements, in order: the conversion walked again over the text with the
// script's steps, exactly as it writes Script.htm, into a recorder instead.
// Steps past the end of the text are ignored. @throws std::bad_alloc.
[[nodiscard]] std::vector<ScriptElement> ReplayElements(const ReplaySource& source);

}  // namespace velmora
