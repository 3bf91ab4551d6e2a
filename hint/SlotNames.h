#pragma once

#include "hint/Phrase.h"
#include "hint/Sex.h"
#include "hint/Tokenizer.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

// A slot's name as words, with what its titles say.
struct SlotName {
    std::string upper;               // as it is kept in the history
    std::vector<std::string> words;  // lower case, without punctuation
    std::vector<std::string> core;   // the words that are not titles
    Sex titled = Sex::kUnknown;      // the sex its titles tell, when they agree
};

// The name slots as typed, names[0] being slot 1.
[[nodiscard]] std::vector<SlotName> ReadSlotNames(std::span<const std::string> names);

// The slot (1..) holding the name kept as upper; 0 when none does. An empty slot never
// matches.
[[nodiscard]] int SlotOf(const std::vector<SlotName>& slots, std::string_view upper);

// How well the words [first, last) name the slot: 3 for the whole name, 2 for one of its
// own words with no title that contradicts it ("Miss Dashwood" is not "MRS. DASHWOOD"), else 0.
[[nodiscard]] int NameScore(const SlotName& slot, const std::vector<Token>& tokens,
                            std::size_t first, std::size_t last);

// The best slot for a name phrase and its score (NameScore); of two as good, one in the
// conversation (recent) first.
[[nodiscard]] std::pair<int, int> BestName(const std::vector<SlotName>& slots,
                                           const std::vector<Token>& tokens, const Phrase& phrase,
                                           const std::vector<int>& recent);

// A quoted passage given no speaker is typed as NARRATOR: it takes no turn in a conversation.
inline constexpr std::string_view kNarratorName = "NARRATOR";
[[nodiscard]] constexpr bool IsNarrator(std::string_view upper) noexcept {
    return upper == kNarratorName;
}

[[nodiscard]] bool Contains(const std::vector<int>& slots, int slot);

}  // namespace velmora
