#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A word of the text, and what follows it up to the next word.
struct Token {
    std::string word;  // lower case
    bool capital = false;
    int segment = 0;          // even: narration; odd: inside a quotation
    char after = 0;           // the first byte after the word that is not a space; 0 at the end
    bool possessive = false;  // "Elinor's", kept as "elinor"
    bool quoteAfter = false;  // a quote mark comes before the next word
};

// The words of text: runs of letters and digits (an apostrophe inside a word is kept, a
// final "'s" taken off as possessive), each quote mark opening the next segment.
[[nodiscard]] std::vector<Token> Tokenize(std::string_view text);

// A sentence ends after the word: a full stop (not one after a title: "Mr."), "!", "?"
// or ";".
[[nodiscard]] bool EndsSentence(const Token& token) noexcept;

// A clause ends after the word: a sentence end, a comma, a colon, a dash or a quote mark.
[[nodiscard]] bool EndsClause(const Token& token) noexcept;

// The words [first, last) as a phrase is learned by: lower case, joined by spaces.
[[nodiscard]] std::string JoinWords(const std::vector<Token>& tokens, std::size_t first,
                                    std::size_t last);

[[nodiscard]] bool IsSpace(char byte) noexcept;

// Bytes from 0x80 up are taken for letters, as in UTF-8 and Windows-1252 most of them are.
[[nodiscard]] bool IsWordByte(char byte) noexcept;

// text without the spaces at either end.
[[nodiscard]] std::string_view Trim(std::string_view text) noexcept;

}  // namespace velmora
