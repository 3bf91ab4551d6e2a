#include "hint/SlotNames.h"

#include "hint/Words.h"
#include "text/UpperCase.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

// True when the tokens from first on are the words [from, to) of a name.
bool SameWords(std::vector<std::string>::const_iterator from,
               std::vector<std::string>::const_iterator to, const std::vector<Token>& tokens,
               std::size_t first) {
    return std::equal(from, to, tokens.begin() + static_cast<std::ptrdiff_t>(first),
                      [](const std::string& w, const Token& t) { return w == t.word; });
}

}  // namespace

std::vector<SlotName> ReadSlotNames(std::span<const std::string> names) {
    std::vector<SlotName> slots;
    slots.reserve(names.size());
    for (const std::string& name : names) {
        SlotName slot;
        slot.upper = UpperCaseAscii(Trim(name));
        bool male = false;
        bool female = false;
        for (const Token& token : Tokenize(name)) {
            slot.words.push_back(token.word);
            if (IsTitle(token.word) || token.word == "the") {
                const Sex sex = TitleSex(token.word);
                male = male || sex == Sex::kMale;
                female = female || sex == Sex::kFemale;
            } else {
                slot.core.push_back(token.word);
            }
        }
        // "MR. AND MRS. BENNET" tells nothing.
        slot.titled = male == female ? Sex::kUnknown : male ? Sex::kMale : Sex::kFemale;
        slots.push_back(std::move(slot));
    }
    return slots;
}

int SlotOf(const std::vector<SlotName>& slots, std::string_view upper) {
    for (std::size_t k = 0; k < slots.size(); ++k) {
        if (!slots[k].words.empty() && slots[k].upper == upper) {
            return static_cast<int>(k + 1);
        }
    }
    return 0;
}

int NameScore(const SlotName& slot, const std::vector<Token>& tokens, std::size_t first,
              std::size_t last) {
    if (slot.words.empty() || first >= last) {
        return 0;
    }
    const std::size_t count = last - first;
    if (count == slot.words.size() &&
        SameWords(slot.words.begin(), slot.words.end(), tokens, first)) {
        return 3;
    }
    // "his wife" for THE WIFE.
    if (count == slot.words.size() && count >= 2 && slot.words.front() == "the" &&
        IsDeterminer(tokens[first].word) &&
        SameWords(slot.words.begin() + 1, slot.words.end(), tokens, first + 1)) {
        return 2;
    }
    // "the colonel" for COLONEL BRANDON.
    if (count == 2 && tokens[first].word == "the" && IsTitle(tokens[first + 1].word) &&
        slot.core.size() < slot.words.size() &&
        std::find(slot.words.begin(), slot.words.end(), tokens[first + 1].word) !=
            slot.words.end()) {
        return 2;
    }
    int score = 0;
    for (std::size_t i = first; i < last; ++i) {
        const std::string& word = tokens[i].word;
        if (IsTitle(word)) {
            // A name typed without a title may be called by any ("Mr. Claypole" for NOAH
            // CLAYPOLE); one typed with a title is not called by another.
            const bool titled = slot.core.size() < slot.words.size();
            if (titled &&
                std::find(slot.words.begin(), slot.words.end(), word) == slot.words.end()) {
                return 0;
            }
            continue;
        }
        if (word.size() >= 2 && tokens[i].capital &&
            std::find(slot.core.begin(), slot.core.end(), word) != slot.core.end()) {
            score = 2;
        }
    }
    return score;
}

std::pair<int, int> BestName(const std::vector<SlotName>& slots, const std::vector<Token>& tokens,
                             const Phrase& phrase, const std::vector<int>& recent) {
    int best = 0;
    int bestScore = 0;
    for (std::size_t k = 0; k < slots.size(); ++k) {
        const int score = NameScore(slots[k], tokens, phrase.first, phrase.last);
        const int slot = static_cast<int>(k + 1);
        if (score > bestScore || (score == bestScore && score > 0 && Contains(recent, slot) &&
                                  !Contains(recent, best))) {
            best = slot;
            bestScore = score;
        }
    }
    return {best, bestScore};
}

bool Contains(const std::vector<int>& slots, int slot) {
    return std::find(slots.begin(), slots.end(), slot) != slots.end();
}

}  // namespace velmora
