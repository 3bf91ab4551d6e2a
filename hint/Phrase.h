#pragma once

#include "hint/Tokenizer.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// A noun phrase that may name a speaker: a pronoun, a name, or a description.
struct Phrase {
    std::size_t first = 0;
    std::size_t last = 0;  // one past
    std::string text;      // its words, lower case, joined by spaces
    bool pronoun = false;
    bool name = false;  // capitalised words
};

// The phrase that starts at tokens[at] and ends before limit: "he", "the old man", "Mr.
// Palmer"; nothing when none starts there.
[[nodiscard]] std::optional<Phrase> PhraseAt(const std::vector<Token>& tokens, std::size_t at,
                                             std::size_t limit);

// A description and the shorter ones it begins with, shortest first: "the old man greatly
// excited" is learned and looked up as "the old man" too.
[[nodiscard]] std::vector<std::string> Shortenings(const std::vector<Token>& tokens,
                                                   const Phrase& phrase);

}  // namespace velmora
