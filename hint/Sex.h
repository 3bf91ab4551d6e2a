#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

// What the text tells of a person's sex: a title ("Mr.", "Lady"), a pronoun, or nothing.
enum class Sex : std::uint8_t { kUnknown, kMale, kFemale };

// The pronoun that stands for a person of that sex ("he", "she"); empty for kUnknown.
[[nodiscard]] constexpr std::string_view PronounOf(Sex sex) noexcept {
    return sex == Sex::kMale ? "he" : sex == Sex::kFemale ? "she" : "";
}

// The sex "he" or "she" tells; kUnknown for any other word.
[[nodiscard]] constexpr Sex SexOfPronoun(std::string_view word) noexcept {
    return word == "he" ? Sex::kMale : word == "she" ? Sex::kFemale : Sex::kUnknown;
}

}  // namespace velmora
