#pragma once

#include "hint/Sex.h"

#include <cstddef>
#include <string>
#include <vector>

namespace velmora {

// What the hint keeps of a line the user named.
struct ConfirmedLine {
    std::string speaker;  // the slot's name, upper case and trimmed
    std::size_t begin = 0;
    std::size_t end = 0;
    bool leftOpen = false;             // the paragraph ends inside a quotation
    std::vector<std::string> aliases;  // the words that stood for the speaker, counted
    Sex sex = Sex::kUnknown;         // when a title or the narration told it, counted as a pronoun
    std::string listener;            // whom the line was said to, when the text tells
    std::vector<std::string> voice;  // its set-off words, counted
    bool question = false;           // its last quotation ends with a question mark
};

}  // namespace velmora
