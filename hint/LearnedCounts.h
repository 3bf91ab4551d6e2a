#pragma once

#include "hint/ConfirmedLine.h"
#include "hint/Sex.h"

#include <map>
#include <string>
#include <string_view>

namespace velmora {

struct SlotName;

// For one phrase or word, how often it stood for each speaker (by the name kept).
using Tally = std::map<std::string, int, std::less<>>;

// How often a phrase or word stood for anyone at all.
[[nodiscard]] int Total(const Tally& tally);

// True when a phrase or word that stood for someone count times of total nearly always
// meant them: "the colonel", not "the man".
[[nodiscard]] constexpr bool MostlyMeant(int count, int total) noexcept {
    return 4 * count >= 3 * total;
}

// What the lines named taught: which phrases a speech tag gave stood for whom ("she", "the
// old gentleman", "miss dashwood"), and which words a speech set off on their own ("papa")
// each speaker used. Each named line is counted once and can be taken back.
class LearnedCounts {
public:
    void Learn(const ConfirmedLine& line);
    void Unlearn(const ConfirmedLine& line);

    // The tally of a phrase a tag gave; nullptr when it never stood for anyone.
    [[nodiscard]] const Tally* Alias(std::string_view phrase) const;
    // The tally of a word a speech set off; nullptr when no one used it.
    [[nodiscard]] const Tally* Voice(std::string_view word) const;

    // The sex of a slot's person: its title's, weighed with how often "he" and "she" meant
    // them.
    [[nodiscard]] Sex SexOf(const SlotName& slot) const;

private:
    using Table = std::map<std::string, Tally, std::less<>>;
    Table aliases_;
    Table voices_;
};

}  // namespace velmora
