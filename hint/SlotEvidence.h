#pragma once

#include "hint/Evidence.h"
#include "hint/EvidenceSet.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace velmora {

// The evidence for each name slot; slots are numbered from 1, and marks for slot 0 or a
// slot past the last are passed over (no one to mark).
class SlotEvidence {
public:
    explicit SlotEvidence(std::size_t slots) : rows_(slots) {}

    void Mark(int slot, Evidence kind);
    // Takes the kind back from every slot.
    void Clear(Evidence kind);
    // True when any slot has any of the kinds.
    [[nodiscard]] bool Any(const EvidenceSet& kinds) const;

    [[nodiscard]] const EvidenceSet& Of(int slot) const;
    [[nodiscard]] std::size_t Slots() const noexcept { return rows_.size(); }
    [[nodiscard]] const std::vector<EvidenceSet>& Rows() const noexcept { return rows_; }

    // The guess: the slot with the most weight in all (the first of equals), if that weight is
    // above nothing; empty slots in names are passed over. 0 when there is none.
    struct Choice {
        int slot = 0;
        Evidence reason = Evidence::kTurn;  // the kind that weighed most for it
    };
    [[nodiscard]] Choice Best(std::span<const std::string> names) const;

private:
    std::vector<EvidenceSet> rows_;
};

}  // namespace velmora
