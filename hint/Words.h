#pragma once

#include "hint/Sex.h"

#include <string_view>

namespace velmora {

// The word lists the hint reads English fiction by. Words are given in lower case.

// "mr", "lady", "colonel": a title before a name.
[[nodiscard]] bool IsTitle(std::string_view word) noexcept;

// The sex a title tells ("mr", "lady"); kUnknown for other titles and other words.
[[nodiscard]] Sex TitleSex(std::string_view word) noexcept;

// The sex a noun for a person tells ("man", "clergyman", "lady", "mother"); kUnknown for
// other words.
[[nodiscard]] Sex NounSex(std::string_view word) noexcept;

// "said", "replied", "cried": a verb that tags a quotation with its speaker.
[[nodiscard]] bool IsSpeechVerb(std::string_view word) noexcept;

// "the", "his", "a": a word that opens a description ("the old man").
[[nodiscard]] bool IsDeterminer(std::string_view word) noexcept;

// Capitalised words that begin sentences far more often than they name anyone ("Then").
[[nodiscard]] bool IsNotName(std::string_view word) noexcept;

// "to", "with", "in": a word that puts the name after it in a phrase ("lost faith in Anne"),
// where the name is not what the sentence is about.
[[nodiscard]] bool IsPreposition(std::string_view word) noexcept;

// Words that end a description: "the old man at the door" is "the old man".
[[nodiscard]] bool IsPhraseStop(std::string_view word) noexcept;

// "he", "she" and "i": the pronouns a speech tag names its speaker by.
[[nodiscard]] constexpr bool IsPronoun(std::string_view word) noexcept {
    return word == "he" || word == "she" || word == "i";
}

}  // namespace velmora
