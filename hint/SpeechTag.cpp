#include "hint/SpeechTag.h"

#include "hint/Phrase.h"
#include "hint/Tokenizer.h"
#include "hint/Words.h"
#include "text/CharacterSet.h"

#include <algorithm>
#include <array>
#include <string>

namespace velmora {
namespace {

// A tag is a few words; longer narration is more than one.
constexpr std::size_t kLongestTag = 200;

// What a speech is called in "was her answer", "was Mr. Palmer's reply".
constexpr std::array<std::string_view, 8> kSpeechNouns = {
    "answer", "reply", "response", "rejoinder", "retort", "remark", "comment", "cry"};

// The narration with its dashes, ellipses and typographic quotes as spaces, so that only
// words are left to read: UTF-8's general punctuation (U+2010 to U+2027) when the narration
// is UTF-8, else Windows-1252's bytes for them.
std::string WithoutPunctuation(std::string_view narration) {
    std::string bytes(narration);
    if (IsValidUtf8(bytes)) {
        for (std::size_t i = 0; i + 2 < bytes.size(); ++i) {
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            const auto third = static_cast<unsigned char>(bytes[i + 2]);
            if (bytes[i] == '\xE2' && second == 0x80 && third >= 0x90 && third <= 0xA7) {
                std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(i), 3, ' ');
            }
        }
        return bytes;
    }
    for (char& byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value == 0x85 || (value >= 0x91 && value <= 0x97)) {
            byte = ' ';
        }
    }
    return bytes;
}

// True when a description ends in a word of manner ("his wife impatiently", "the old man
// slowly"): the phrase reads on past its noun, so it says more than who speaks.
bool EndsInManner(const std::vector<Token>& tokens, const Phrase& phrase) {
    return !phrase.pronoun && !phrase.name && phrase.last - phrase.first > 1 &&
           tokens[phrase.last - 1].word.ends_with("ly");
}

// True when the words [at, end) are one phrase naming a speaker.
bool IsSpeakerPhrase(const std::vector<Token>& tokens, std::size_t at, std::size_t end) {
    const auto phrase = PhraseAt(tokens, at, end);
    return phrase && phrase->last == end && !EndsInManner(tokens, *phrase);
}

bool IsParticle(const Token& token) {
    return token.word == "in" || token.word == "out" || token.word == "up" || token.word == "on";
}

// A verb of speech; a thought is not spoken, so "Emma thought" is more than a speech tag.
bool IsVerb(const Token& token) { return token.word != "thought" && IsSpeechVerb(token.word); }

}  // namespace

bool IsOnlySpeechTag(std::string_view narration) {
    const std::string_view trimmed = Trim(narration);
    if (trimmed.empty() || trimmed.size() > kLongestTag) {
        return false;
    }
    const std::vector<Token> tokens = Tokenize(WithoutPunctuation(trimmed));
    const std::size_t n = tokens.size();
    if (n < 2) {
        return false;
    }
    // "said Emma", "cried the old man", "put in Freddy".
    if (IsVerb(tokens[0]) && !EndsClause(tokens[0])) {
        if (IsSpeakerPhrase(tokens, 1, n)) {
            return true;
        }
        // The particle comes before a name or a pronoun, not "said in a whisper".
        return n > 2 && IsParticle(tokens[1]) && !EndsClause(tokens[1]) &&
               (tokens[2].capital || IsPronoun(tokens[2].word)) && IsSpeakerPhrase(tokens, 2, n);
    }
    // "was her answer", "was Mr. Palmer's reply".
    if (tokens[0].word == "was" && n >= 3 &&
        std::find(kSpeechNouns.begin(), kSpeechNouns.end(), tokens[n - 1].word) !=
            kSpeechNouns.end()) {
        if (n == 3 && (tokens[1].word == "his" || tokens[1].word == "her")) {
            return true;
        }
        return tokens[n - 2].possessive && tokens[1].capital && IsSpeakerPhrase(tokens, 1, n - 1);
    }
    // "Emma said", "the old man cried", "I said", "he went on".
    const std::size_t verb = n > 2 && IsParticle(tokens[n - 1]) ? n - 2 : n - 1;
    return IsVerb(tokens[verb]) && verb > 0 && !EndsClause(tokens[verb - 1]) &&
           (verb + 1 == n || !EndsClause(tokens[verb])) && IsSpeakerPhrase(tokens, 0, verb);
}

}  // namespace velmora
