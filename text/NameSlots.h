#pragma once

#include <cstddef>

namespace velmora {

// The name slots a line of dialogue is named from: numbered from 1, top to bottom, as the
// window shows them and the commands take them; lists of them are held from index 0.
inline constexpr int kNameSlots = 12;

// The index in such a list of slot (1..kNameSlots), and the other way.
[[nodiscard]] constexpr std::size_t SlotIndex(int slot) noexcept {
    return static_cast<std::size_t>(slot - 1);
}
[[nodiscard]] constexpr int SlotNumber(std::size_t index) noexcept {
    return static_cast<int>(index) + 1;
}

}  // namespace velmora
