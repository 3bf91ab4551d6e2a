#include "hint/LearnedCounts.h"

#include "hint/SlotNames.h"

namespace velmora {
namespace {

// Takes one count of the speaker off a learned word, dropping counts and words left at 0.
void Uncount(std::map<std::string, Tally, std::less<>>& table, std::string_view key,
             const std::string& speaker) {
    const auto found = table.find(key);
    if (found == table.end()) {
        return;
    }
    const auto count = found->second.find(speaker);
    if (count != found->second.end() && --count->second == 0) {
        found->second.erase(count);
    }
    if (found->second.empty()) {
        table.erase(found);
    }
}

const Tally* Find(const std::map<std::string, Tally, std::less<>>& table, std::string_view key) {
    const auto found = table.find(key);
    return found == table.end() ? nullptr : &found->second;
}

int CountOf(const Tally* tally, std::string_view speaker) {
    if (tally == nullptr) {
        return 0;
    }
    const auto found = tally->find(speaker);
    return found == tally->end() ? 0 : found->second;
}

}  // namespace

int Total(const Tally& tally) {
    int total = 0;
    for (const auto& entry : tally) {
        total += entry.second;
    }
    return total;
}

void LearnedCounts::Learn(const ConfirmedLine& line) {
    for (const std::string& alias : line.aliases) {
        ++aliases_[alias][line.speaker];
    }
    if (line.sex != Sex::kUnknown) {
        ++aliases_[std::string(PronounOf(line.sex))][line.speaker];
    }
    for (const std::string& word : line.voice) {
        ++voices_[word][line.speaker];
    }
}

void LearnedCounts::Unlearn(const ConfirmedLine& line) {
    for (const std::string& word : line.voice) {
        Uncount(voices_, word, line.speaker);
    }
    for (const std::string& alias : line.aliases) {
        Uncount(aliases_, alias, line.speaker);
    }
    if (line.sex != Sex::kUnknown) {
        Uncount(aliases_, PronounOf(line.sex), line.speaker);
    }
}

const Tally* LearnedCounts::Alias(std::string_view phrase) const { return Find(aliases_, phrase); }

const Tally* LearnedCounts::Voice(std::string_view word) const { return Find(voices_, word); }

Sex LearnedCounts::SexOf(const SlotName& slot) const {
    // A title counts as two answers.
    const int he = (slot.titled == Sex::kMale ? 2 : 0) + CountOf(Alias("he"), slot.upper);
    const int she = (slot.titled == Sex::kFemale ? 2 : 0) + CountOf(Alias("she"), slot.upper);
    return he > she ? Sex::kMale : she > he ? Sex::kFemale : Sex::kUnknown;
}

}  // namespace velmora
