#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

// What a question asked when a text loads decides about how it is read.
enum class ReadingChoice : std::uint8_t {
    Paragraphs,         // read blank lines, or each line, as paragraph breaks
    GutenbergMatter,    // leave out the Project Gutenberg header and licence
    TypographicQuotes,  // read typographic quotes as double quotes
};

// One such question: its choice, and its words (UTF-8, the program's own), answered yes by
// default.
struct ReadingQuestion {
    ReadingChoice choice = ReadingChoice::Paragraphs;
    std::string_view text;

    friend bool operator==(const ReadingQuestion&, const ReadingQuestion&) = default;
};

}  // namespace velmora
