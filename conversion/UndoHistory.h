#pragma once

#include "conversion/StatusTexts.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

// Everything a command changes, in a few numbers: enough to put it all back.
struct Checkpoint {
    std::int64_t scriptLength = 0;
    std::size_t readerPosition = 0;
    std::size_t paragraphBegin = 0;
    int logLines = 0;
    int lastSlot = 0;
    std::size_t confirmedSpeakers = 0;
    std::size_t castUses = 0;
    Status status = Status::Loaded;
};

// The checkpoints taken before each command that wrote into the script, the latest last:
// Undo goes back to them one by one, to the first line of dialogue. Each costs a few numbers,
// never a copy of the script.
class UndoHistory {
public:
    void Push(const Checkpoint& checkpoint) { checkpoints_.push_back(checkpoint); }
    [[nodiscard]] bool IsEmpty() const noexcept { return checkpoints_.empty(); }
    // The latest checkpoint; only while not empty.
    [[nodiscard]] const Checkpoint& Latest() const { return checkpoints_.back(); }
    void DropLatest() { checkpoints_.pop_back(); }
    void Clear() noexcept { checkpoints_.clear(); }

private:
    std::vector<Checkpoint> checkpoints_;
};

}  // namespace velmora
