#pragma once

#include "hint/Evidence.h"

#include <bitset>
#include <initializer_list>

namespace velmora {

// The kinds of evidence that speak for one slot.
class EvidenceSet {
public:
    EvidenceSet() = default;
    EvidenceSet(std::initializer_list<Evidence> kinds) noexcept {
        for (const Evidence kind : kinds) {
            Add(kind);
        }
    }

    void Add(Evidence kind) noexcept { bits_.set(static_cast<std::size_t>(kind)); }
    void Remove(Evidence kind) noexcept { bits_.reset(static_cast<std::size_t>(kind)); }
    [[nodiscard]] bool Has(Evidence kind) const noexcept {
        return bits_.test(static_cast<std::size_t>(kind));
    }
    // True when this set and other share a kind.
    [[nodiscard]] bool Meets(const EvidenceSet& other) const noexcept {
        return (bits_ & other.bits_).any();
    }
    [[nodiscard]] bool Empty() const noexcept { return bits_.none(); }

    // The sum of the weights of its kinds.
    [[nodiscard]] long Score() const noexcept;
    // The kind that weighs most for the slot (the first listed of equals); kTurn when none
    // weighs for it.
    [[nodiscard]] Evidence Strongest() const noexcept;

    friend bool operator==(const EvidenceSet&, const EvidenceSet&) = default;

private:
    std::bitset<kEvidenceCount> bits_;
};

inline long EvidenceSet::Score() const noexcept {
    long score = 0;
    for (const EvidenceKind& kind : kEvidence) {
        score += Has(kind.id) ? kind.weight : 0;
    }
    return score;
}

inline Evidence EvidenceSet::Strongest() const noexcept {
    Evidence strongest = kEvidence.front().id;
    long strongestWeight = 0;
    for (const EvidenceKind& kind : kEvidence) {
        if (Has(kind.id) && kind.weight > strongestWeight) {
            strongestWeight = kind.weight;
            strongest = kind.id;
        }
    }
    return strongest;
}

}  // namespace velmora
