#include "hint/Phrase.h"

#include "hint/Words.h"

namespace velmora {

std::optional<Phrase> PhraseAt(const std::vector<Token>& tokens, std::size_t at,
                               std::size_t limit) {
    if (at >= limit) {
        return std::nullopt;
    }
    Phrase phrase;
    phrase.first = at;
    const Token& head = tokens[at];
    if (IsPronoun(head.word)) {
        phrase.last = at + 1;
        phrase.pronoun = true;
    } else if (IsDeterminer(head.word)) {
        std::size_t i = at;
        while (i < limit && i - at < 4) {
            const bool stop =
                i > at && (IsPhraseStop(tokens[i].word) || IsSpeechVerb(tokens[i].word));
            if (stop) {
                break;
            }
            ++i;
            if (EndsClause(tokens[i - 1])) {
                break;
            }
        }
        if (i == at + 1) {
            return std::nullopt;
        }
        phrase.last = i;
    } else if (head.capital && !IsSpeechVerb(head.word)) {
        std::size_t i = at;
        while (i < limit && tokens[i].capital && i - at < 4) {
            ++i;
            if (EndsClause(tokens[i - 1]) &&
                !(IsTitle(tokens[i - 1].word) && tokens[i - 1].after == '.')) {
                break;
            }
        }
        phrase.last = i;
        phrase.name = true;
    } else {
        return std::nullopt;
    }
    phrase.text = JoinWords(tokens, phrase.first, phrase.last);
    return phrase;
}

std::vector<std::string> Shortenings(const std::vector<Token>& tokens, const Phrase& phrase) {
    std::vector<std::string> result;
    if (phrase.last - phrase.first > 2 && IsDeterminer(tokens[phrase.first].word)) {
        std::string text = tokens[phrase.first].word;
        for (std::size_t i = phrase.first + 1; i + 1 < phrase.last; ++i) {
            text += ' ';
            text += tokens[i].word;
            result.push_back(text);
        }
    }
    result.push_back(phrase.text);
    return result;
}

}  // namespace velmora
