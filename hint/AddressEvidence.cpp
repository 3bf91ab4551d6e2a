#include "hint/AddressEvidence.h"

#include "hint/Phrase.h"
#include "hint/Words.h"

#include <algorithm>

namespace velmora {

std::vector<std::string> SetOffWords(const std::vector<Token>& tokens) {
    std::vector<std::string> words;
    for (std::size_t i = 0; i < tokens.size() && words.size() < 8; ++i) {
        const Token& token = tokens[i];
        if (token.segment % 2 == 0 || token.word.size() < 3 || IsNotName(token.word)) {
            continue;
        }
        const bool before =
            i == 0 || tokens[i - 1].segment != token.segment || tokens[i - 1].after == ',';
        const bool after = token.quoteAfter || token.after == ',' || token.after == ';' ||
                           token.after == '!' || token.after == '?' || token.after == '.';
        if (before && after && std::find(words.begin(), words.end(), token.word) == words.end()) {
            words.push_back(token.word);
        }
    }
    return words;
}

std::vector<int> Vocatives(const std::vector<Token>& tokens, const std::vector<SlotName>& slots,
                           const LearnedCounts& counts) {
    std::vector<int> found;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].segment % 2 == 0 || !tokens[i].capital) {
            continue;
        }
        std::size_t last = i;
        while (last + 1 < tokens.size() && tokens[last + 1].capital &&
               tokens[last + 1].segment == tokens[i].segment && IsTitle(tokens[last].word) &&
               last - i < 3) {
            ++last;
        }
        const Token& end = tokens[last];
        const bool setOffAfter = end.after == ',' || end.after == '!' || end.after == '?' ||
                                 end.quoteAfter || (end.after == '.' && !IsTitle(end.word));
        const bool setOffBefore = i == 0 || tokens[i - 1].segment != tokens[i].segment ||
                                  tokens[i - 1].after == ',' || tokens[i - 1].word == "dear" ||
                                  tokens[i - 1].word == "oh";
        if (!setOffAfter || !setOffBefore) {
            continue;
        }
        const std::size_t before = found.size();
        for (std::size_t k = 0; k < slots.size(); ++k) {
            if (NameScore(slots[k], tokens, i, last + 1) > 0) {
                found.push_back(static_cast<int>(k + 1));
            }
        }
        const Tally* learned =
            found.size() == before ? counts.Alias(JoinWords(tokens, i, last + 1)) : nullptr;
        if (learned != nullptr) {
            const int total = Total(*learned);
            for (const auto& [speaker, count] : *learned) {
                const int slot = SlotOf(slots, speaker);
                if (slot != 0 && count >= 2 && MostlyMeant(count, total)) {
                    found.push_back(slot);
                }
            }
        }
        i = last;
    }
    return found;
}

std::vector<int> MarkAddress(const Situation& situation, SlotEvidence& evidence) {
    const std::vector<Token>& tokens = situation.paragraph.tokens;
    const std::vector<SlotName>& slots = situation.slots;
    std::vector<int> addressed = Vocatives(tokens, slots, situation.counts);
    for (const int slot : addressed) {
        evidence.Mark(slot, Evidence::kAddressed);
    }
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].segment % 2 == 1 && tokens[i].capital && !IsNotName(tokens[i].word)) {
            const Phrase phrase{i, i + 1, "", false, true};
            const int slot = BestName(slots, tokens, phrase, situation.conversation.recent).first;
            if (slot != 0 && !Contains(addressed, slot)) {
                evidence.Mark(slot, Evidence::kTalkedAbout);
            }
        }
    }
    for (const std::string& word : SetOffWords(tokens)) {
        const Tally* used = situation.counts.Voice(word);
        if (used == nullptr) {
            continue;
        }
        const int total = Total(*used);
        for (const auto& [speaker, count] : *used) {
            if (count >= 3 && 5 * count >= 4 * total) {
                evidence.Mark(SlotOf(slots, speaker), Evidence::kVoice);
            }
        }
    }
    return addressed;
}

}  // namespace velmora
