#pragma once

#include <string_view>

namespace velmora {

// The lines of a text, one at a time, so a paragraph of many thousands of lines costs no
// list. A line ends at a CR LF, a lone CR or a lone LF, which is not part of it; a text that
// ends in a line end has an empty last line, and an empty text is one empty line.
//   LineSplitter lines(text);
//   for (std::string_view line; lines.Next(line);) { ... }
class LineSplitter {
public:
    explicit LineSplitter(std::string_view text) noexcept : rest_(text) {}

    // The next line; false once every line has been given.
    bool Next(std::string_view& line) noexcept;

private:
    std::string_view rest_;
    bool done_ = false;
};

}  // namespace velmora
