#pragma once

#include <string_view>

namespace velmora {

// True when narration (as ExtractNarration gives it from a paragraph, bytes in the text's
// character set) is nothing but one speech tag: "said Emma", "he replied", "cried the old
// man", "put in Freddy", "Mr. Palmer said", "was her answer", with only spaces and
// punctuation around it. A tag with anything more (whom it is said to, an adverb, an
// action: "said Emma to Harriet", "he said quietly", "she said, smiling") is more than a
// tag, and so are two tags.
[[nodiscard]] bool IsOnlySpeechTag(std::string_view narration);

}  // namespace velmora
