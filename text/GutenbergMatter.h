#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace velmora {

// Where the book itself lies in a Project Gutenberg text: after the line of the start
// marker, and before the line of the end marker, which the licence follows.
struct GutenbergBody {
    std::size_t begin = 0;
    std::size_t end = 0;

    friend bool operator==(const GutenbergBody&, const GutenbergBody&) = default;
};

// Finds the first start marker and the first end marker after it, each at the start of a
// line (leading spaces and asterisks aside, any case):
//   start  "*** START OF THE PROJECT GUTENBERG EBOOK ...", "THIS", "***START OF", "COPYRIGHTED";
//          the older "*END*THE SMALL PRINT! FOR PUBLIC DOMAIN ETEXTS*..." that closed the
//          licence at the top of early texts
//   end    "*** END OF THE PROJECT GUTENBERG EBOOK ...", "THIS", "***END OF", and the
//          "End of the Project Gutenberg EBook of ..." / "End of Project Gutenberg's ..."
//          line that comes just before it, or alone in early texts
// Nothing unless both are there.
[[nodiscard]] std::optional<GutenbergBody> FindGutenbergBody(std::string_view text) noexcept;

}  // namespace velmora
