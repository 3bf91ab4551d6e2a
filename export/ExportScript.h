#pragma once

#include "export/ScriptElement.h"
#include "script/ScriptFormat.h"

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace velmora {

// True when narration (a parenthetical's text, UTF-8) is nothing but a speech tag such as
// "said Emma": the speaker hint knows those.
using SpeechTagTest = std::function<bool(std::string_view narration)>;

// A script as the exports write it.
struct ExportScript {
    ScriptFormat format = ScriptFormat::ScreenPlay;
    std::vector<ScriptElement> elements;
};

// Narration around the quotes longer than this (in characters) is no parenthetical in a
// script: it is action, set before the speaker's name. A parenthetical is a few words, at
// most about three lines of its 25-character column.
inline constexpr std::size_t kLongestParenthetical = 60;

// What the exports make of the elements Script.htm holds (and only they; Script.htm
// stays as it is): a parenthetical that is only a speech tag is left out, one longer than
// kLongestParenthetical becomes narration before the name, a chapter heading becomes a
// heading, and a line named with nothing gets the placeholder name.
// isOnlySpeechTag may be empty: then no parenthetical is taken for a tag.
[[nodiscard]] ExportScript PrepareForExport(std::vector<ScriptElement> elements,
                                            ScriptFormat format,
                                            const SpeechTagTest& isOnlySpeechTag);

// True for narration that is a chapter heading: "CHAPTER I", "Chapter 1. The Ball",
// "BOOK ONE: 1805", "FIRST EPILOGUE: 1813 - 20", "Prologue".
[[nodiscard]] bool IsChapterHeading(std::string_view narration);

}  // namespace velmora
