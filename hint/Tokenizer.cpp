#include "hint/Tokenizer.h"

#include "hint/Words.h"
#include "text/Marks.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

bool IsUpper(char byte) { return byte >= 'A' && byte <= 'Z'; }

char FoldCase(char byte) { return IsUpper(byte) ? static_cast<char>(byte - 'A' + 'a') : byte; }

std::string Lower(std::string_view word) {
    std::string result(word);
    std::transform(result.begin(), result.end(), result.begin(), FoldCase);
    return result;
}

}  // namespace

bool IsSpace(char byte) noexcept {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n' || byte == '\f' ||
           byte == '\v';
}

bool IsWordByte(char byte) noexcept {
    const auto value = static_cast<unsigned char>(byte);
    const auto lower = static_cast<unsigned char>(value | 0x20U);
    return value >= 0x80U || (value >= '0' && value <= '9') || (lower >= 'a' && lower <= 'z');
}

std::string_view Trim(std::string_view text) noexcept {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool EndsSentence(const Token& token) noexcept {
    if (token.after == '.' && IsTitle(token.word)) {
        return false;
    }
    return token.after == '.' || token.after == '!' || token.after == '?' || token.after == ';';
}

bool EndsClause(const Token& token) noexcept {
    return EndsSentence(token) || token.after == ',' || token.after == ':' || token.after == '-' ||
           token.quoteAfter;
}

std::vector<Token> Tokenize(std::string_view text) {
    std::vector<Token> tokens;
    int segment = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == kQuote) {
            ++segment;
            if (!tokens.empty()) {
                tokens.back().quoteAfter = true;
            }
            ++i;
            continue;
        }
        if (!IsWordByte(text[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && (IsWordByte(text[i]) || (text[i] == '\'' && i + 1 < text.size() &&
                                                           IsWordByte(text[i + 1]) && i > start))) {
            ++i;
        }
        Token token;
        token.word = Lower(text.substr(start, i - start));
        token.capital = IsUpper(text[start]);
        if (token.word.size() > 2 && token.word.ends_with("'s")) {
            token.word.resize(token.word.size() - 2);
            token.possessive = true;
        }
        token.segment = segment;
        std::size_t next = i;
        while (next < text.size() && IsSpace(text[next])) {
            ++next;
        }
        token.after = next < text.size() ? text[next] : '\0';
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::string JoinWords(const std::vector<Token>& tokens, std::size_t first, std::size_t last) {
    std::string text;
    for (std::size_t i = first; i < last; ++i) {
        if (i > first) {
            text += ' ';
        }
        text += tokens[i].word;
    }
    return text;
}

}  // namespace velmora
