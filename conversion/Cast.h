#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Everyone who has spoken a line of this script so far: the name of every line named, each
// spelling once, the most recently used first. It is what the name fields offer as the user
// types, so that a returning speaker is named as before, spelling and all, when the twelve
// fields are long full. Names are as typed (UTF-8), never trimmed or changed: two spellings
// are two names, and offered side by side.
class Cast {
public:
    // A line was named so. An empty name, or one of spaces alone, names nobody.
    void Add(std::string_view name);

    // How many lines have been named: what TakeBackTo goes back to when a command is taken
    // back.
    [[nodiscard]] std::size_t Uses() const noexcept { return uses_.size(); }
    // Forgets the lines named after the first count, as if they never were.
    void TakeBackTo(std::size_t count);

    // Each name once, the most recently used first.
    [[nodiscard]] std::vector<std::string> Names() const;
    // The names that start with prefix, letter case aside, the most recently used first;
    // none for an empty prefix.
    [[nodiscard]] std::vector<std::string> Completions(std::string_view prefix) const;

private:
    std::vector<std::string> uses_;  // the name of each line named, in order
};

}  // namespace velmora
