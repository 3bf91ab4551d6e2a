#include "hint/SlotEvidence.h"

#include "hint/Tokenizer.h"
#include "text/NameSlots.h"

#include <algorithm>

namespace velmora {

void SlotEvidence::Mark(int slot, Evidence kind) {
    if (slot >= 1 && static_cast<std::size_t>(slot) <= rows_.size()) {
        rows_[SlotIndex(slot)].Add(kind);
    }
}

void SlotEvidence::Clear(Evidence kind) {
    for (EvidenceSet& row : rows_) {
        row.Remove(kind);
    }
}

bool SlotEvidence::Any(const EvidenceSet& kinds) const {
    return std::any_of(rows_.begin(), rows_.end(),
                       [&kinds](const EvidenceSet& row) { return row.Meets(kinds); });
}

const EvidenceSet& SlotEvidence::Of(int slot) const { return rows_.at(SlotIndex(slot)); }

SlotEvidence::Choice SlotEvidence::Best(std::span<const std::string> names) const {
    Choice best;
    long bestScore = 0;
    for (std::size_t k = 0; k < rows_.size() && k < names.size(); ++k) {
        if (Trim(names[k]).empty()) {
            continue;
        }
        const long score = rows_[k].Score();
        if (score > bestScore) {
            best = {static_cast<int>(k + 1), rows_[k].Strongest()};
            bestScore = score;
        }
    }
    return best;
}

}  // namespace velmora
