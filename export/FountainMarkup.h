#pragma once

#include <string>
#include <string_view>

namespace velmora {

// The lines of a Fountain script, one element each, written so that a Fountain reader
// reads every element back as its own kind and with its own text. Texts are UTF-8 on one
// line, as ScriptElement holds them.

// A zero-width space: invisible where it is printed, it keeps two characters from being
// read as markup where Fountain has no escape ("[[", a whole line in parentheses).
inline constexpr std::string_view kMarkupBreak = "\xE2\x80\x8B";

// Text inside any element: "\", "*" and "_" escaped with a backslash (so no emphasis, and
// no "/*" boneyard), and "[[" broken so that it opens no note, nor does a bracket beside an
// escaped character.
[[nodiscard]] std::string FountainText(std::string_view text);

// Narration as action: forced with "!" when a reader would take it for anything else
// (a character cue, a scene heading, a transition, a section, centred text, lyrics, a
// page break, a note, a title page entry); one ending in " TO:" also gets a line break
// before "TO:", which no reader then takes for a transition.
[[nodiscard]] std::string FountainAction(std::string_view narration);

// The cue line: the name as it is when a reader takes it for a cue (capitals), forced
// with "@" otherwise. "^" and parentheses other than one closing extension "(V.O.)" are
// no part of a cue; they become "ˆ", "[" and "]".
[[nodiscard]] std::string FountainCue(std::string_view name);

[[nodiscard]] std::string FountainParenthetical(std::string_view text);

// A line of dialogue: one that would read as a parenthetical or as lyrics is kept from
// it; empty dialogue is the invisible break alone.
[[nodiscard]] std::string FountainDialogue(std::string_view text);

[[nodiscard]] std::string FountainNote(std::string_view text);

// A chapter heading as a scene heading, forced with ".".
[[nodiscard]] std::string FountainHeading(std::string_view heading);

// A title page entry "Key: value".
[[nodiscard]] std::string FountainTitleEntry(std::string_view key, std::string_view value);

}  // namespace velmora
