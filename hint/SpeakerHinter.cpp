#include "hint/SpeakerHinter.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <utility>

namespace velmora {
namespace {

// A paragraph can be a whole book without a blank line; the speech tag of its first
// quotation lies near its start, so only that much of it is read.
constexpr std::size_t kParagraphScan = 6000;
// How far back into the narration before a paragraph the hint looks for who is present.
constexpr std::size_t kNarrationScan = 1500;
// How far back from a paragraph's end to look for the quote it ends with.
constexpr std::size_t kEndScan = 4000;
// How far back a pronoun is looked for when the conversation has no one of that sex.
constexpr std::size_t kPronounLines = 60;
// How far back a speaker no slot holds any more is remembered by name.
constexpr std::size_t kFormerLines = 2000;
// How many earlier lines make up the conversation.
constexpr std::size_t kConversationLines = 6;

constexpr char kQuote = '"';

constexpr std::array<std::string_view, 46> kTitles = {
    "mr",         "mrs",     "ms",       "miss",     "mister",  "master",    "madam",   "madame",
    "mme",        "mlle",    "dr",       "doctor",   "prof",    "professor", "sir",     "dame",
    "lady",       "lord",    "rev",      "reverend", "father",  "mother",    "sister",  "brother",
    "aunt",       "uncle",   "captain",  "capt",     "colonel", "col",       "general", "major",
    "lieutenant", "lt",      "sergeant", "sgt",      "prince",  "princess",  "king",    "queen",
    "duke",       "duchess", "count",    "countess", "baron",   "baroness"};

constexpr std::array<std::string_view, 12> kMaleTitles = {"mr",     "mister", "master",  "sir",
                                                          "lord",   "father", "brother", "uncle",
                                                          "prince", "king",   "duke",    "count"};
constexpr std::array<std::string_view, 14> kFemaleTitles = {
    "mrs",  "ms",   "miss",   "madam",  "madame", "mme",      "mlle",
    "lady", "dame", "mother", "sister", "aunt",   "princess", "duchess"};

// Verbs that tag a quotation with its speaker in English fiction.
constexpr std::array<std::string_view, 94> kSpeechVerbs = {
    "said",      "says",         "say",       "saying",    "cried",     "cries",      "replied",
    "replies",   "answered",     "answers",   "asked",     "asks",      "exclaimed",  "continued",
    "added",     "returned",     "observed",  "remarked",  "whispered", "shouted",    "began",
    "repeated",  "muttered",     "murmured",  "inquired",  "enquired",  "rejoined",   "interrupted",
    "resumed",   "declared",     "urged",     "pleaded",   "protested", "explained",  "insisted",
    "sighed",    "laughed",      "growled",   "roared",    "screamed",  "sobbed",     "demanded",
    "retorted",  "responded",    "suggested", "ventured",  "concluded", "faltered",   "stammered",
    "gasped",    "yelled",       "whimpered", "groaned",   "snapped",   "agreed",     "admitted",
    "warned",    "persisted",    "proceeded", "mused",     "reflected", "interposed", "ejaculated",
    "thought",   "went",         "told",      "bawled",    "shrieked",  "stuttered",  "grumbled",
    "sneered",   "hissed",       "panted",    "wailed",    "moaned",    "argued",     "assented",
    "objected",  "acknowledged", "affirmed",  "announced", "commanded", "cautioned",  "echoed",
    "joined",    "put",          "struck",    "spoke",     "broke",     "chimed",     "called",
    "corrected", "confessed",    "promised"};

constexpr std::array<std::string_view, 11> kDeterminers = {
    "the", "his", "her", "my", "our", "their", "your", "a", "an", "that", "this"};

// Capitalised words that begin sentences far more often than they name anyone.
constexpr std::array<std::string_view, 48> kNotNames = {
    "the",       "a",        "an",     "and",      "but",     "or",     "so",     "then",
    "to",        "at",       "in",     "on",       "of",      "for",    "with",   "as",
    "if",        "when",     "while",  "after",    "yes",     "no",     "oh",     "well",
    "there",     "here",     "it",     "this",     "that",    "what",   "now",    "why",
    "how",       "once",     "again",  "still",    "they",    "we",     "you",    "one",
    "everybody", "somebody", "nobody", "everyone", "someone", "anyone", "inside", "outside"};

// Words that end a description: "the old man at the door" is "the old man".
constexpr std::array<std::string_view, 20> kPhraseStops = {
    "to",   "with", "in",    "at",  "and", "as",   "who",  "of",   "from", "on",
    "into", "but",  "while", "for", "by",  "when", "then", "that", "upon", "after"};

template <std::size_t N>
bool IsOneOf(const std::array<std::string_view, N>& words, std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

// 'm' or 'f' when the word is a title that tells the sex ("mr", "lady"), else 0.
char TitleSex(std::string_view word) {
    return IsOneOf(kMaleTitles, word) ? 'm' : IsOneOf(kFemaleTitles, word) ? 'f' : '\0';
}

// True when a phrase or word that stood for someone count times of total nearly always
// meant them: "the colonel", not "the man".
bool MostlyMeant(int count, int total) { return 4 * count >= 3 * total; }

bool IsSpace(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n' || byte == '\f' ||
           byte == '\v';
}

// Bytes from 0x80 up are taken for letters, as in UTF-8 and Windows-1252 most of them are.
bool IsWordByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    const auto lower = static_cast<unsigned char>(value | 0x20U);
    return value >= 0x80U || (value >= '0' && value <= '9') || (lower >= 'a' && lower <= 'z');
}

bool IsUpper(char byte) { return byte >= 'A' && byte <= 'Z'; }

char FoldCase(char byte) { return IsUpper(byte) ? static_cast<char>(byte - 'A' + 'a') : byte; }

char UpperCase(char byte) {
    return byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte;
}

std::string Lower(std::string_view word) {
    std::string result(word);
    std::transform(result.begin(), result.end(), result.begin(), FoldCase);
    return result;
}

std::string Upper(std::string_view word) {
    std::string result(word);
    std::transform(result.begin(), result.end(), result.begin(), UpperCase);
    return result;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsTitle(std::string_view word) { return IsOneOf(kTitles, word); }

bool IsPronoun(std::string_view word) { return word == "he" || word == "she" || word == "i"; }

// A word of the text, and what follows it up to the next word.
struct Token {
    std::string word;  // lower case
    bool capital = false;
    int segment = 0;          // even: narration; odd: inside a quotation
    char after = 0;           // the first byte after the word that is not a space; 0 at the end
    bool possessive = false;  // "Elinor's", kept as "elinor"
    bool quoteAfter = false;  // a quote mark comes before the next word
};

bool EndsSentence(const Token& token) {
    if (token.after == '.' && IsTitle(token.word)) {
        return false;
    }
    return token.after == '.' || token.after == '!' || token.after == '?' || token.after == ';';
}

bool EndsClause(const Token& token) {
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

// A slot's name as words, with what its titles say.
struct SlotName {
    std::string upper;               // as it is kept in the history
    std::vector<std::string> words;  // lower case, without punctuation
    std::vector<std::string> core;   // the words that are not titles
    bool male = false;
    bool female = false;
};

std::vector<SlotName> SlotNames(std::span<const std::string> names) {
    std::vector<SlotName> slots;
    slots.reserve(names.size());
    for (const std::string& name : names) {
        SlotName slot;
        slot.upper = Upper(Trim(name));
        for (const Token& token : Tokenize(name)) {
            slot.words.push_back(token.word);
            if (IsTitle(token.word) || token.word == "the") {
                const char sex = TitleSex(token.word);
                slot.male = slot.male || sex == 'm';
                slot.female = slot.female || sex == 'f';
            } else {
                slot.core.push_back(token.word);
            }
        }
        slots.push_back(std::move(slot));
    }
    return slots;
}

int SlotOf(const std::vector<SlotName>& slots, std::string_view upper) {
    for (std::size_t k = 0; k < slots.size(); ++k) {
        if (!slots[k].words.empty() && slots[k].upper == upper) {
            return static_cast<int>(k + 1);
        }
    }
    return 0;
}

// True when the tokens from first on are the words [from, to) of a name.
bool SameWords(std::vector<std::string>::const_iterator from,
               std::vector<std::string>::const_iterator to, const std::vector<Token>& tokens,
               std::size_t first) {
    return std::equal(from, to, tokens.begin() + static_cast<std::ptrdiff_t>(first),
                      [](const std::string& w, const Token& t) { return w == t.word; });
}

// How well the words [first, last) name the slot: 3 for the whole name, 2 for one of its
// own words with no title that contradicts it ("Miss Dashwood" is not "MRS. DASHWOOD"), else 0.
int NameScore(const SlotName& slot, const std::vector<Token>& tokens, std::size_t first,
              std::size_t last) {
    if (slot.words.empty() || first >= last) {
        return 0;
    }
    const std::size_t count = last - first;
    if (count == slot.words.size() &&
        SameWords(slot.words.begin(), slot.words.end(), tokens, first)) {
        return 3;
    }
    // "his wife" for THE WIFE.
    if (count == slot.words.size() && count >= 2 && slot.words.front() == "the" &&
        IsOneOf(kDeterminers, tokens[first].word) &&
        SameWords(slot.words.begin() + 1, slot.words.end(), tokens, first + 1)) {
        return 2;
    }
    // "the colonel" for COLONEL BRANDON.
    if (count == 2 && tokens[first].word == "the" && IsTitle(tokens[first + 1].word) &&
        slot.core.size() < slot.words.size() &&
        std::find(slot.words.begin(), slot.words.end(), tokens[first + 1].word) !=
            slot.words.end()) {
        return 2;
    }
    int score = 0;
    for (std::size_t i = first; i < last; ++i) {
        const std::string& word = tokens[i].word;
        if (IsTitle(word)) {
            // A name typed without a title may be called by any ("Mr. Claypole" for NOAH
            // CLAYPOLE); one typed with a title is not called by another.
            const bool titled = slot.core.size() < slot.words.size();
            if (titled &&
                std::find(slot.words.begin(), slot.words.end(), word) == slot.words.end()) {
                return 0;
            }
            continue;
        }
        if (word.size() >= 2 && tokens[i].capital &&
            std::find(slot.core.begin(), slot.core.end(), word) != slot.core.end()) {
            score = 2;
        }
    }
    return score;
}

// A noun phrase that may name a speaker: a pronoun, a name, or a description.
struct Phrase {
    std::size_t first = 0;
    std::size_t last = 0;  // one past
    std::string text;      // its words, lower case, joined by spaces
    bool pronoun = false;
    bool name = false;  // capitalised words
};

// The words [first, last) as a phrase is learned by: lower case, joined by spaces.
std::string Words(const std::vector<Token>& tokens, std::size_t first, std::size_t last) {
    std::string text;
    for (std::size_t i = first; i < last; ++i) {
        if (i > first) {
            text += ' ';
        }
        text += tokens[i].word;
    }
    return text;
}

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
    } else if (IsOneOf(kDeterminers, head.word)) {
        std::size_t i = at;
        while (i < limit && i - at < 4) {
            const bool stop = i > at && (IsOneOf(kPhraseStops, tokens[i].word) ||
                                         IsOneOf(kSpeechVerbs, tokens[i].word));
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
    } else if (head.capital && !IsOneOf(kSpeechVerbs, head.word)) {
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
    phrase.text = Words(tokens, phrase.first, phrase.last);
    return phrase;
}

// Who the text says speaks: the phrase a speech verb goes with, or failing that the one an
// action next to the quotation begins with ("Elinor smiled. \"...\""), and whom it is said to.
struct Tag {
    Phrase phrase;
    bool spoken = false;  // a verb of speech goes with it
    std::optional<Phrase> listener;
    bool loose = false;  // the verb comes later in the sentence, not right after the phrase
};

bool IsVerb(const Token& token) { return IsOneOf(kSpeechVerbs, token.word); }

// "hastily", "gravely": a word that may stand between a speaker and the verb.
bool IsAdverb(const Token& token) {
    return !token.capital && token.word.size() > 4 && token.word.ends_with("ly");
}

// The speaker named after the verb: "said he", "cried the old man", "said poor Marianne".
std::optional<Phrase> PhraseAfterVerb(const std::vector<Token>& tokens, std::size_t at,
                                      std::size_t limit) {
    if (auto phrase = PhraseAt(tokens, at, limit)) {
        return phrase;
    }
    // "put in Freddy", "cried out Mrs. Lynde": the verb's particle comes first.
    const bool particle = at < limit && (tokens[at].word == "in" || tokens[at].word == "out" ||
                                         tokens[at].word == "up" || tokens[at].word == "on");
    if (particle && !EndsClause(tokens[at]) && at + 1 < limit &&
        (tokens[at + 1].capital || IsPronoun(tokens[at + 1].word))) {
        return PhraseAt(tokens, at + 1, limit);
    }
    for (std::size_t i = at; i < limit && i < at + 2; ++i) {
        if (EndsClause(tokens[i]) || IsOneOf(kPhraseStops, tokens[i].word)) {
            break;
        }
        if (i + 1 < limit && tokens[i + 1].capital) {
            return PhraseAt(tokens, i + 1, limit);
        }
    }
    return std::nullopt;
}

// "to Mr. Palmer" right after the speaker, or the name a verb takes ("he asked Edward").
std::optional<Phrase> ListenerAt(const std::vector<Token>& tokens, std::size_t at,
                                 std::size_t limit) {
    if (at < limit && tokens[at].word == "to" && at + 1 < limit && tokens[at + 1].capital) {
        ++at;
    }
    if (at < limit && tokens[at].capital) {
        auto phrase = PhraseAt(tokens, at, limit);
        if (phrase && phrase->name) {
            return phrase;
        }
    }
    return std::nullopt;
}

// The tag in the narration that follows a quotation, "said Elinor" or "Elinor said".
std::optional<Tag> TagAfter(const std::vector<Token>& tokens, std::size_t from) {
    std::size_t limit = from;
    while (limit < tokens.size() && tokens[limit].segment == tokens[from].segment &&
           limit - from < 12) {
        ++limit;
        if (EndsSentence(tokens[limit - 1])) {
            break;
        }
    }
    // "was Mr. Palmer's reply", "was her answer": the speech is named as the speaker's.
    if (tokens[from].word == "was" && from + 2 < limit) {
        if ((tokens[from + 1].word == "his" || tokens[from + 1].word == "her") &&
            !tokens[from + 2].possessive) {
            Phrase pronoun{from + 1, from + 2, tokens[from + 1].word == "his" ? "he" : "she", true,
                           false};
            return Tag{pronoun, true, std::nullopt};
        }
        if (auto phrase = PhraseAt(tokens, from + 1, limit);
            phrase && phrase->name && tokens[phrase->last - 1].possessive && phrase->last < limit &&
            !tokens[phrase->last].capital) {
            return Tag{*phrase, true, std::nullopt};
        }
    }
    // A speech that breaks off mid-sentence is followed by its tag, so a past tense among the
    // words after it is a verb of speech even when it is not a usual one ("queried Anne").
    const char broken = from > 0 ? tokens[from - 1].after : '\0';
    const auto isTagVerb = [&](std::size_t v) {
        if (IsVerb(tokens[v])) {
            return true;
        }
        const Token& word = tokens[v];
        const bool pastTense = !word.capital && word.word.size() > 4 && word.word.ends_with("ed");
        const bool midSentence = broken == ',' || broken == '-' ||
                                 ((broken == '!' || broken == '?') && !tokens[from].capital);
        return pastTense && midSentence;
    };
    for (std::size_t v = from; v < limit && v - from < 6; ++v) {
        if (!isTagVerb(v)) {
            continue;
        }
        if (v == from ||
            (v == from + 1 && !IsPronoun(tokens[from].word) && !tokens[from].capital)) {
            // "said he", "then said Elinor"
            if (auto phrase = PhraseAfterVerb(tokens, v + 1, limit)) {
                return Tag{*phrase, true, ListenerAt(tokens, phrase->last, limit)};
            }
        }
        if (auto phrase = PhraseAt(tokens, from, v)) {
            if (phrase->last == v || (phrase->last + 1 == v && IsAdverb(tokens[v - 1])) ||
                (phrase->last < v && EndsClause(tokens[phrase->last - 1]))) {
                return Tag{*phrase, true, ListenerAt(tokens, v + 1, limit)};
            }
        }
        if (auto phrase = PhraseAfterVerb(tokens, v + 1, limit)) {
            return Tag{*phrase, true, ListenerAt(tokens, phrase->last, limit)};
        }
        return std::nullopt;
    }
    if (auto phrase = PhraseAt(tokens, from, limit)) {
        if (!phrase->pronoun || phrase->last < limit) {
            return Tag{*phrase, false, std::nullopt};
        }
    }
    return std::nullopt;
}

// The tag in the sentence that leads into a quotation, "Elinor turned to him and said:".
std::optional<Tag> TagBefore(const std::vector<Token>& tokens, std::size_t quoteStart) {
    if (quoteStart == 0) {
        return std::nullopt;
    }
    // The sentence running into the quotation, or else the whole sentence before it.
    std::size_t first = quoteStart - 1;
    while (first > 0 && !EndsSentence(tokens[first - 1]) && quoteStart - first < 30) {
        --first;
    }
    std::size_t verb = quoteStart;
    std::optional<Phrase> listener;
    for (std::size_t i = first; i < quoteStart; ++i) {
        if (IsVerb(tokens[i])) {
            verb = i;
        }
        if (!listener && i > first && (tokens[i].word == "to" || IsVerb(tokens[i]))) {
            listener = ListenerAt(tokens, tokens[i].word == "to" ? i : i + 1, quoteStart);
        }
    }
    const bool spoken = verb < quoteStart;
    // The speaker just before the verb ("in the crowd I said:", "and Mr. Palmer added,"),
    // else whoever the sentence begins with.
    // "he hastily exclaimed": an adverb may come between the speaker and the verb.
    const std::size_t subjectEnd = verb > first + 1 && IsAdverb(tokens[verb - 1]) ? verb - 1 : verb;
    if (spoken && subjectEnd > first) {
        std::size_t start = subjectEnd - 1;
        while (start > first && !IsPronoun(tokens[subjectEnd - 1].word) &&
               tokens[start - 1].capital && !EndsClause(tokens[start - 1])) {
            --start;
        }
        const Token& before = tokens[subjectEnd - 1];
        if ((IsPronoun(before.word) || before.capital) && !IsOneOf(kNotNames, before.word) &&
            !EndsClause(before)) {
            if (auto phrase = PhraseAt(tokens, start, subjectEnd)) {
                return Tag{*phrase, true, listener};
            }
        }
    }
    if (auto phrase = PhraseAt(tokens, first, quoteStart)) {
        return Tag{*phrase, spoken && phrase->last == subjectEnd, listener,
                   phrase->last != subjectEnd};
    }
    return std::nullopt;
}

// Words a speech sets off on their own ("Yes, papa;", "Come on, darling."): forms of
// address, which tell a speaker apart when only one uses them.
std::vector<std::string> SetOffWords(const std::vector<Token>& tokens) {
    std::vector<std::string> words;
    for (std::size_t i = 0; i < tokens.size() && words.size() < 8; ++i) {
        const Token& token = tokens[i];
        if (token.segment % 2 == 0 || token.word.size() < 3 || IsOneOf(kNotNames, token.word)) {
            continue;
        }
        const bool before =
            i == 0 || tokens[i - 1].segment != token.segment || tokens[i - 1].after == ',';
        const bool after = token.quoteAfter || token.after == ',' || token.after == ';' ||
                           token.after == '!' || token.after == '?' || token.after == '.';
        if (before && after && std::find(words.begin(), words.end(), token.word) == words.end()) {
            words.push_back(token.word);
        }
    }
    return words;
}

// For each learned phrase or word, how often it stood for each speaker.
using Counts = std::map<std::string, std::map<std::string, int>, std::less<>>;

// How often a phrase or word stood for anyone at all.
int Total(const std::map<std::string, int>& counts) {
    int total = 0;
    for (const auto& entry : counts) {
        total += entry.second;
    }
    return total;
}

// Quoted names set off like a form of address ("Elinor, you know", "my dear Mr. Palmer!")
// name the listener, by a slot's name or by a name the user has given one ("Cecil" for
// MR. VYSE, once it has stood for him twice and nearly always).
std::vector<int> Vocatives(const std::vector<Token>& tokens, const std::vector<SlotName>& slots,
                           const Counts& aliases) {
    std::vector<int> found;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].segment % 2 == 0 || !tokens[i].capital) {
            continue;
        }
        std::size_t last = i;
        while (last + 1 < tokens.size() && tokens[last + 1].capital &&
               tokens[last + 1].segment == tokens[i].segment && IsTitle(tokens[last].word) &&
               last - i < 3) {
            ++last;
        }
        const Token& end = tokens[last];
        const bool setOffAfter = end.after == ',' || end.after == '!' || end.after == '?' ||
                                 end.quoteAfter || (end.after == '.' && !IsTitle(end.word));
        const bool setOffBefore = i == 0 || tokens[i - 1].segment != tokens[i].segment ||
                                  tokens[i - 1].after == ',' || tokens[i - 1].word == "dear" ||
                                  tokens[i - 1].word == "oh";
        if (!setOffAfter || !setOffBefore) {
            continue;
        }
        const std::size_t before = found.size();
        for (std::size_t k = 0; k < slots.size(); ++k) {
            if (NameScore(slots[k], tokens, i, last + 1) > 0) {
                found.push_back(static_cast<int>(k + 1));
            }
        }
        const auto learned =
            found.size() == before ? aliases.find(Words(tokens, i, last + 1)) : aliases.end();
        if (learned != aliases.end()) {
            const int total = Total(learned->second);
            for (const auto& [speaker, count] : learned->second) {
                const int slot = SlotOf(slots, speaker);
                if (slot != 0 && count >= 2 && MostlyMeant(count, total)) {
                    found.push_back(slot);
                }
            }
        }
        i = last;
    }
    return found;
}

bool Contains(const std::vector<int>& slots, int slot) {
    return std::find(slots.begin(), slots.end(), slot) != slots.end();
}

// The bytes of the paragraph [begin, end) that are read: its start, within the text.
std::string_view ScannedBytes(std::string_view text, std::size_t begin, std::size_t end) {
    end = std::min(end, text.size());
    begin = std::min(begin, end);
    return text.substr(begin, std::min(end - begin, kParagraphScan));
}

// The bytes of a paragraph that are read, and its words.
struct Paragraph {
    std::vector<Token> tokens;
    std::size_t quoteStart = 0;  // index of the first quoted word
    std::size_t afterQuote = 0;  // index of the first word after the first quotation
    bool startsWithQuote = false;
};

Paragraph Read(std::string_view text, std::size_t begin, std::size_t end) {
    const std::string_view bytes = ScannedBytes(text, begin, end);
    Paragraph paragraph;
    paragraph.tokens = Tokenize(bytes);
    const std::string_view trimmed = Trim(bytes);
    // Dashes or dots before the quote ("--\"The best of all.") are no narration.
    const std::size_t opening = trimmed.find_first_not_of("-.");
    paragraph.startsWithQuote = opening != std::string_view::npos && trimmed[opening] == kQuote;
    const auto& tokens = paragraph.tokens;
    std::size_t i = 0;
    while (i < tokens.size() && tokens[i].segment == 0) {
        ++i;
    }
    paragraph.quoteStart = i;
    while (i < tokens.size() && tokens[i].segment == 1) {
        ++i;
    }
    paragraph.afterQuote = i;
    return paragraph;
}

// True when the paragraph's last quotation is still open at its end: the speech goes on in
// the next paragraph.
bool LeftOpen(std::string_view text, std::size_t begin, std::size_t end) {
    end = std::min(end, text.size());
    const std::size_t from = end - std::min(end - std::min(begin, end), kEndScan);
    const std::string_view tail = text.substr(from, end - from);
    const std::size_t quote = tail.rfind(kQuote);
    if (quote == std::string_view::npos) {
        return false;
    }
    // An opening quote is followed by a word; a closing one by a space, a mark or nothing.
    return quote + 1 < tail.size() && (IsWordByte(tail[quote + 1]) || tail[quote + 1] == '\'');
}

std::optional<Tag> FindTag(const Paragraph& paragraph) {
    const auto& tokens = paragraph.tokens;
    std::optional<Tag> after;
    if (paragraph.afterQuote < tokens.size() && tokens[paragraph.afterQuote].segment == 2) {
        after = TagAfter(tokens, paragraph.afterQuote);
    }
    std::optional<Tag> before = TagBefore(tokens, paragraph.quoteStart);
    if (after && after->spoken) {
        return after;
    }
    if (before && before->spoken) {
        return before;
    }
    // A tag further on: "Mrs. B. followed me. \"Don't,\" she said."
    for (std::size_t i = paragraph.afterQuote; i < tokens.size() && tokens[i].segment < 7; ++i) {
        if (i > 0 && tokens[i].segment % 2 == 0 && tokens[i].segment != tokens[i - 1].segment &&
            tokens[i].segment > 2) {
            if (auto later = TagAfter(tokens, i); later && later->spoken) {
                return later;
            }
        }
    }
    return before ? before : after;
}

// True when narration ends leading into the speech after it: on a comma, colon or dash.
bool LeadsIn(std::string_view gap) {
    return gap.back() == ':' || gap.back() == ',' || gap.back() == '-';
}

// The tag of a paragraph, and the words it was read from.
struct TagReading {
    std::optional<Paragraph> joined;  // the narration leading in and the paragraph, read as one
    std::optional<Tag> tag;
};

// The paragraph's own tag or, when it has none and opens with its quotation, the tag of the
// narration before it (gap) when that ends leading into it: "Soon afterwards he began again,".
TagReading ReadTag(const Paragraph& paragraph, std::string_view text, std::string_view gap,
                   std::size_t end) {
    TagReading reading{std::nullopt, FindTag(paragraph)};
    if ((reading.tag && reading.tag->spoken) || !paragraph.startsWithQuote || gap.empty() ||
        !LeadsIn(gap)) {
        return reading;
    }
    const std::size_t lastBreak = gap.rfind("\r\n\r\n");
    const std::string_view lead = lastBreak == std::string_view::npos ? gap : gap.substr(lastBreak);
    Paragraph joined = Read(text, static_cast<std::size_t>(lead.data() - text.data()), end);
    if (joined.quoteStart > 0 && joined.quoteStart < joined.tokens.size()) {
        reading.tag = FindTag(joined);
        reading.joined = std::move(joined);
    }
    return reading;
}

// The best slot for a name phrase, 3 when it gives the whole name, 2 for one of its words.
std::pair<int, int> BestName(const std::vector<SlotName>& slots, const std::vector<Token>& tokens,
                             const Phrase& phrase, const std::vector<int>& recent) {
    int best = 0;
    int bestScore = 0;
    for (std::size_t k = 0; k < slots.size(); ++k) {
        const int score = NameScore(slots[k], tokens, phrase.first, phrase.last);
        const int slot = static_cast<int>(k + 1);
        if (score > bestScore || (score == bestScore && score > 0 && Contains(recent, slot) &&
                                  !Contains(recent, best))) {
            best = slot;
            bestScore = score;
        }
    }
    return {best, bestScore};
}

// A description and the shorter ones it begins with, shortest first: "the old man greatly
// excited" is learned and looked up as "the old man" too.
std::vector<std::string> Shortenings(const std::vector<Token>& tokens, const Phrase& phrase) {
    std::vector<std::string> result;
    if (phrase.last - phrase.first > 2 && IsOneOf(kDeterminers, tokens[phrase.first].word)) {
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

// A quoted passage given no speaker is typed as NARRATOR: it takes no turn in a conversation.
bool IsNarrator(std::string_view upper) { return upper == "NARRATOR"; }

// What speaks for each slot. Each kind of evidence has a weight, and the slot with the most
// weight in all is the guess.
enum Feature : std::size_t {
    kTurn,            // spoke the line before last: two people taking turns
    kLast,            // spoke the last line
    kOlder,           // spoke earlier in the conversation
    kTagName,         // the speech tag gives the whole name
    kTagWord,         // the speech tag gives one of its words
    kTagLearned,      // the speech tag's words meant this speaker before
    kTagPronoun,      // "said she", and the speaker is a she
    kTagPronounTurn,  // "said she", she is the other party
    kTagPronounOpen,  // "said she", and no one's sex is known: the other party
    kTagFirstPerson,  // "I said", and the narrator has been this speaker
    kBeatName,        // an action next to the quotation names this speaker
    kBeatPronoun,     // an action next to the quotation by a he or she of that gender
    kMention,         // named in the narration around the quotations
    kGapMention,      // named in the narration since the last line
    kListener,        // the last line was said to this speaker
    kAddressed,       // this line is said to this speaker
    kContinued,       // the last line's speech runs on into this paragraph
    kGapLast,         // spoke the last line, and narration came between
    kGapTurn,         // spoke the line before last, and narration came between
    kAnswerTurn,      // the last line asked a question; the other party answers
    kNarrator,        // the slot holding NARRATOR
    kNarratorAside,   // NARRATOR, and the paragraph opens with narration
    kNarratorQuoted,  // NARRATOR, and a few words are quoted inside a sentence
    kGapFirst,        // the first named in the last paragraph of narration since the last line
    kGapFinal,        // the last named in that narration
    kVoice,           // the speech uses a form of address only this speaker has used
    kTalkedAbout,     // the speech names this person: people seldom name themselves
    kNarratorVerse,   // NARRATOR, and a line of the paragraph is indented: verse or a letter
    kFeatureCount
};

// How much each kind of evidence counts, against the slot when negative. A tag outweighs
// everything, then a speech running on, then two people taking turns; the smaller weights,
// measured on novels whose speakers were annotated, settle what is left.
constexpr std::array<int, kFeatureCount> kWeights = {
    70,    // kTurn
    10,    // kLast
    20,    // kOlder
    1000,  // kTagName
    600,   // kTagWord
    850,   // kTagLearned
    200,   // kTagPronoun
    200,   // kTagPronounTurn
    50,    // kTagPronounOpen
    900,   // kTagFirstPerson
    150,   // kBeatName
    150,   // kBeatPronoun
    45,    // kMention
    -50,   // kGapMention
    110,   // kListener
    -500,  // kAddressed
    600,   // kContinued
    60,    // kGapLast
    -40,   // kGapTurn
    20,    // kAnswerTurn
    -50,   // kNarrator
    250,   // kNarratorAside
    400,   // kNarratorQuoted
    20,    // kGapFirst
    120,   // kGapFinal
    70,    // kVoice
    -40,   // kTalkedAbout
    400,   // kNarratorVerse
};

const char* FeatureName(std::size_t feature) {
    constexpr std::array<const char*, kFeatureCount> kNames = {
        "turn",      "last",         "older",        "tag",       "tag word",  "tag learned",
        "pronoun",   "pronoun turn", "pronoun ?",    "I",         "beat",      "beat pronoun",
        "mention",   "gap mention",  "listener",     "addressed", "continued", "gap last",
        "gap turn",  "answer",       "narrator",     "aside",     "quoted",    "gap first",
        "gap final", "voice",        "talked about", "verse"};
    return kNames[feature];
}

static_assert(kFeatureCount <= 32, "the evidence for a slot is kept in 32 bits");

constexpr std::uint32_t Bit(std::size_t feature) { return std::uint32_t{1} << feature; }

bool EndsWithQuestion(std::string_view text, std::size_t begin, std::size_t end) {
    end = std::min(end, text.size());
    const std::size_t from = end - std::min(end - std::min(begin, end), kEndScan);
    const std::string_view tail = text.substr(from, end - from);
    const std::size_t quote = tail.rfind(kQuote);
    if (quote == std::string_view::npos || quote == 0) {
        return false;
    }
    std::size_t i = quote;
    while (i > 0 && IsSpace(tail[i - 1])) {
        --i;
    }
    return i > 0 && tail[i - 1] == '?';
}

// True when a line inside the paragraph is indented further than its first line, as verse
// and the lines of a letter are set.
bool Indented(std::string_view text, std::size_t begin, std::size_t end) {
    const std::string_view bytes = ScannedBytes(text, begin, end);
    const auto indent = [&](std::size_t from) {
        std::size_t i = from;
        while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t')) {
            ++i;
        }
        return i - from;
    };
    const std::size_t first = indent(0);
    for (std::size_t line = bytes.find('\n'); line != std::string_view::npos;
         line = bytes.find('\n', line + 1)) {
        const std::size_t depth = indent(line + 1);
        if (depth > first + 1 && line + 1 + depth < bytes.size() &&
            !IsSpace(bytes[line + 1 + depth])) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<std::uint32_t> SpeakerHinter::Evidence(std::span<const std::string> names,
                                                   std::string_view text, std::size_t begin,
                                                   std::size_t end, std::string& newName) const {
    const std::vector<SlotName> slots = SlotNames(names);
    const Paragraph paragraph = Read(text, begin, end);
    const auto& tokens = paragraph.tokens;
    std::vector<std::uint32_t> evidence(slots.size(), 0);
    const auto mark = [&](int slot, std::size_t feature) {
        if (slot >= 1 && static_cast<std::size_t>(slot) <= slots.size()) {
            evidence[static_cast<std::size_t>(slot - 1)] |= Bit(feature);
        }
    };

    // The conversation: the speakers of the last lines, most recent first, each once.
    std::vector<int> recent;
    for (std::size_t n = 0; n < lines_.size() && n < kConversationLines; ++n) {
        const std::string& speaker = lines_[lines_.size() - 1 - n].speaker;
        const int slot = SlotOf(slots, speaker);
        if (slot != 0 && !IsNarrator(speaker) && !Contains(recent, slot)) {
            recent.push_back(slot);
        }
    }
    const int lastSlot = lines_.empty() ? 0 : SlotOf(slots, lines_.back().speaker);
    const int lastParty = recent.empty() ? 0 : recent.front();
    const int turn = recent.size() >= 2 ? recent[1] : 0;
    mark(turn, kTurn);
    mark(lastParty, kLast);
    for (std::size_t n = 2; n < recent.size(); ++n) {
        mark(recent[n], kOlder);
    }
    std::vector<int> addressed = Vocatives(tokens, slots, aliases_);
    for (const int slot : addressed) {
        mark(slot, kAddressed);
    }
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].segment % 2 == 1 && tokens[i].capital &&
            !IsOneOf(kNotNames, tokens[i].word)) {
            const Phrase phrase{i, i + 1, "", false, true};
            const int slot = BestName(slots, tokens, phrase, recent).first;
            if (slot != 0 && !Contains(addressed, slot)) {
                mark(slot, kTalkedAbout);
            }
        }
    }
    for (const std::string& word : SetOffWords(tokens)) {
        const auto found = voices_.find(word);
        if (found == voices_.end()) {
            continue;
        }
        const int total = Total(found->second);
        for (const auto& [speaker, count] : found->second) {
            if (count >= 3 && 5 * count >= 4 * total) {
                mark(SlotOf(slots, speaker), kVoice);
            }
        }
    }

    const std::string_view gap = NarrationBefore(text, begin);
    const bool continued =
        gap.empty() && !lines_.empty() && lines_.back().leftOpen && paragraph.startsWithQuote;
    if (continued) {
        mark(lastSlot, kContinued);
    }
    if (!gap.empty()) {
        mark(lastParty, kGapLast);
        mark(turn, kGapTurn);
    }
    if (!lines_.empty()) {
        mark(SlotOf(slots, lines_.back().listener), kListener);
        if (lines_.back().question) {
            mark(turn, kAnswerTurn);
        }
    }
    for (std::size_t k = 0; k < slots.size(); ++k) {
        if (IsNarrator(slots[k].upper)) {
            evidence[k] |= Bit(kNarrator) | (paragraph.startsWithQuote ? 0 : Bit(kNarratorAside));
            // Nothing but a space between a word and the quote, as in 'called it "a
            // cottage"', where a speech would follow a comma or a colon.
            const bool inSentence = paragraph.quoteStart > 0 &&
                                    paragraph.quoteStart < tokens.size() &&
                                    tokens[paragraph.quoteStart - 1].after == kQuote &&
                                    !IsVerb(tokens[paragraph.quoteStart - 1]) &&
                                    paragraph.afterQuote - paragraph.quoteStart <= 4;
            evidence[k] |= inSentence ? Bit(kNarratorQuoted) : 0;
            evidence[k] |= Indented(text, begin, end) ? Bit(kNarratorVerse) : 0;
        }
    }

    // Names in narration.
    // Who the narration leading up to the quotation names, with a number for each sentence:
    // "he" in the tag most likely means the last of them of that sex.
    struct Named {
        int slot;
        int sentence;
        // 'm' or 'f' when "he" or "she" came before the name in its sentence: "he could see
        // Mr. Palmer" names someone that "he" is not.
        char after;
        char titled;  // 'm' or 'f' when the name came with a title: "Sir William Lucas"
    };
    std::vector<Named> named;
    int sentence = 0;
    const auto mentions = [&](const std::vector<Token>& words, std::size_t feature) {
        char subject = 0;
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (i > 0 && EndsSentence(words[i - 1])) {
                ++sentence;
                subject = 0;
            }
            if (subject == 0 && words[i].segment % 2 == 0 &&
                (words[i].word == "he" || words[i].word == "she")) {
                subject = words[i].word == "he" ? 'm' : 'f';
            }
            if (words[i].segment % 2 != 0 || !words[i].capital ||
                (i > 0 && words[i - 1].word == "to")) {
                continue;
            }
            std::size_t last = i + 1;
            while (last < words.size() && last - i < 4 && words[last].capital &&
                   words[last].segment == words[i].segment) {
                ++last;
            }
            const Phrase phrase{i, last, "", false, true};
            const int slot = BestName(slots, words, phrase, recent).first;
            if (slot != 0 && !IsNarrator(slots[static_cast<std::size_t>(slot - 1)].upper)) {
                mark(slot, feature);
                if (feature == kGapMention || words[i].segment == 0) {
                    named.push_back({slot, sentence, subject, TitleSex(words[i].word)});
                }
            }
            i = last - 1;
        }
    };
    if (!gap.empty()) {
        mentions(Tokenize(gap), kGapMention);
        if (!named.empty()) {
            mark(named.back().slot, kGapFinal);
        }
        const std::size_t lastBreak = gap.rfind("\r\n\r\n");
        if (lastBreak != std::string_view::npos) {
            const std::size_t before = named.size();
            mentions(Tokenize(gap.substr(lastBreak)), kGapFirst);
            if (named.size() > before) {
                for (auto& row : evidence) {
                    row &= ~Bit(kGapFirst);
                }
                mark(named[before].slot, kGapFirst);
                named.resize(before);
            }
        } else if (!named.empty()) {
            mark(named.front().slot, kGapFirst);
        }
    }
    ++sentence;
    mentions(tokens, kMention);

    // Who a learned phrase meant, those in the conversation first.
    const auto aliasOf = [&](const std::string& phrase) -> int {
        const auto found = aliases_.find(phrase);
        if (found == aliases_.end()) {
            return 0;
        }
        int best = 0;
        int bestScore = 0;
        const int total = Total(found->second);
        for (const auto& [speaker, count] : found->second) {
            const int slot = SlotOf(slots, speaker);
            // Outside the conversation, only a phrase that has meant one person nearly
            // always ("the colonel", not "the man") is taken to mean that person again.
            if (slot == 0 || (!Contains(recent, slot) && !MostlyMeant(count, total))) {
                continue;
            }
            int score = count * (Contains(recent, slot) ? 4 : 1);
            if (slot == lastParty && !continued) {
                score /= 2;
            }
            if (score > bestScore) {
                best = slot;
                bestScore = score;
            }
        }
        return best;
    };
    const auto gender = [&](int slot) {
        const SlotName& name = slots[static_cast<std::size_t>(slot - 1)];
        int he = name.male ? 2 : 0;
        int she = name.female ? 2 : 0;
        if (const auto found = aliases_.find("he"); found != aliases_.end()) {
            const auto count = found->second.find(name.upper);
            he += count != found->second.end() ? count->second : 0;
        }
        if (const auto found = aliases_.find("she"); found != aliases_.end()) {
            const auto count = found->second.find(name.upper);
            she += count != found->second.end() ? count->second : 0;
        }
        return he > she ? 'm' : she > he ? 'f' : '?';
    };

    // A name no slot holds any more: what the user named this phrase before, or an earlier
    // speaker it names by one of the words.
    const auto formerSpeaker = [&](const std::vector<Token>& words, const Phrase& phrase,
                                   const std::vector<std::string>& shortenings) -> std::string {
        for (std::size_t n = shortenings.size(); n > 0; --n) {
            const auto found = aliases_.find(shortenings[n - 1]);
            if (found == aliases_.end()) {
                continue;
            }
            const int total = Total(found->second);
            for (const auto& [speaker, count] : found->second) {
                if (MostlyMeant(count, total) && !IsNarrator(speaker)) {
                    return speaker;
                }
            }
        }
        std::vector<std::string> seen;
        for (std::size_t n = lines_.size(); n > 0 && lines_.size() - n < kFormerLines; --n) {
            const std::string& speaker = lines_[n - 1].speaker;
            if (speaker.empty() || IsNarrator(speaker) ||
                std::find(seen.begin(), seen.end(), speaker) != seen.end()) {
                continue;
            }
            seen.push_back(speaker);
            const std::vector<SlotName> former =
                SlotNames(std::span<const std::string>(&speaker, 1));
            if (NameScore(former.front(), words, phrase.first, phrase.last) > 0) {
                return speaker;
            }
        }
        return {};
    };
    const TagReading reading = ReadTag(paragraph, text, gap, end);
    const std::vector<Token>& tagTokens = reading.joined ? reading.joined->tokens : tokens;
    const std::optional<Tag>& tag = reading.tag;
    // "said she to Charlotte": the one the tag says the line is said to is not its speaker.
    if (tag && tag->listener) {
        const int listener = BestName(slots, tagTokens, *tag->listener, recent).first;
        if (listener != 0 && !Contains(addressed, listener)) {
            addressed.push_back(listener);
            mark(listener, kAddressed);
        }
    }
    if (tag) {
        const Phrase& phrase = tag->phrase;
        if (phrase.pronoun && phrase.text == "i") {
            mark(aliasOf("i"), tag->spoken ? kTagFirstPerson : kBeatName);
        } else if (phrase.pronoun) {
            const char wanted = phrase.text == "he" ? 'm' : 'f';
            // The person of that sex the narration named last; else the conversation, the other
            // party first and the last speaker last.
            std::vector<int> order = recent;
            if (order.size() >= 2) {
                std::rotate(order.begin(), order.begin() + 1, order.end());
            }
            bool found = false;
            const auto take = [&](int slot) {
                mark(slot,
                     tag->spoken ? (slot == turn ? kTagPronounTurn : kTagPronoun) : kBeatPronoun);
                found = true;
            };
            for (auto it = named.rbegin(); it != named.rend() && !found; ++it) {
                const int slot = it->slot;
                const char sex = it->titled != 0 ? it->titled : gender(slot);
                if ((sex != wanted && !(sex == '?' && it == named.rbegin())) ||
                    Contains(addressed, slot) || it->after == wanted) {
                    continue;
                }
                // The first of that sex in the last sentence that names one.
                auto first = it;
                for (auto earlier = std::next(it);
                     earlier != named.rend() && earlier->sentence == it->sentence; ++earlier) {
                    if (gender(earlier->slot) == wanted) {
                        first = earlier;
                    }
                }
                take(first->slot);
            }
            // Then the conversation, the other party first: one of that sex, else one whose
            // sex is not known yet.
            for (const char sex : {wanted, '?'}) {
                for (const int slot : order) {
                    if (!found && gender(slot) == sex && !Contains(addressed, slot)) {
                        take(slot);
                    }
                }
            }
            // Else the last one of that sex to speak before the conversation.
            for (std::size_t n = 0; !found && n < lines_.size() && n < kPronounLines; ++n) {
                const int slot = SlotOf(slots, lines_[lines_.size() - 1 - n].speaker);
                if (slot != 0 && slot != lastParty && gender(slot) == wanted &&
                    !IsNarrator(slots[static_cast<std::size_t>(slot - 1)].upper) &&
                    !Contains(addressed, slot)) {
                    take(slot);
                }
            }
            if (!found && tag->spoken) {
                mark(turn, kTagPronounOpen);
            }
        } else if (phrase.text == "the other") {
            mark(turn, tag->spoken ? kTagPronounTurn : kBeatPronoun);
        } else {
            const auto [best, score] = BestName(slots, tagTokens, phrase, recent);
            int learned = 0;
            const std::vector<std::string> shortenings = Shortenings(tagTokens, phrase);
            for (auto it = shortenings.rbegin(); it != shortenings.rend() && learned == 0; ++it) {
                learned = aliasOf(*it);
            }
            if (tag->spoken) {
                mark(best, score == 3 ? kTagName : kTagWord);
                mark(learned, kTagLearned);
            } else {
                mark(score > 0 ? best : learned, kBeatName);
            }
            if (tag->spoken && !tag->loose && best == 0 && learned == 0 && phrase.name &&
                !IsOneOf(kNotNames, tagTokens[phrase.first].word)) {
                newName = formerSpeaker(tagTokens, phrase, shortenings);
                const bool spelled = newName.empty();  // else as the user typed it before
                for (std::size_t i = phrase.first; i < phrase.last && spelled; ++i) {
                    if (i > phrase.first) {
                        newName += ' ';
                    }
                    newName += Upper(tagTokens[i].word);
                    if (IsTitle(tagTokens[i].word) && tagTokens[i].after == '.') {
                        newName += '.';
                    }
                }
            }
        }
    }
    // Narration about someone who then speaks, or that says who speaks, is no aside.
    constexpr std::uint32_t kSomeone = Bit(kBeatName) | Bit(kBeatPronoun) | Bit(kTagName) |
                                       Bit(kTagWord) | Bit(kTagLearned) | Bit(kTagPronoun) |
                                       Bit(kTagPronounTurn) | Bit(kTagFirstPerson);
    if (std::any_of(evidence.begin(), evidence.end(),
                    [](std::uint32_t row) { return (row & kSomeone) != 0; })) {
        for (auto& row : evidence) {
            row &= ~Bit(kNarratorAside);
        }
    }
    return evidence;
}

namespace {

// The slot with the most weight, and the evidence that weighed most for it.
std::pair<int, std::size_t> Best(const std::vector<std::uint32_t>& evidence,
                                 std::span<const std::string> names) {
    int best = 0;
    long bestScore = 0;
    std::size_t reason = 0;
    for (std::size_t k = 0; k < evidence.size(); ++k) {
        if (Trim(names[k]).empty()) {
            continue;
        }
        long score = 0;
        std::size_t strongest = 0;
        long strongestWeight = 0;
        for (std::size_t f = 0; f < kFeatureCount; ++f) {
            const long weight = (evidence[k] & Bit(f)) != 0 ? kWeights[f] : 0;
            score += weight;
            if (weight > strongestWeight) {
                strongestWeight = weight;
                strongest = f;
            }
        }
        if (score > bestScore) {
            best = static_cast<int>(k + 1);
            bestScore = score;
            reason = strongest;
        }
    }
    return {best, reason};
}

}  // namespace

std::string_view SpeakerHinter::NarrationBefore(std::string_view text, std::size_t begin) const {
    if (lines_.empty() || lines_.back().end > begin) {
        return {};
    }
    const std::string_view gap = Trim(text.substr(lines_.back().end, begin - lines_.back().end));
    return gap.size() > kNarrationScan ? gap.substr(gap.size() - kNarrationScan) : gap;
}

SpeakerGuess SpeakerHinter::Guess(std::span<const std::string> names, std::string_view text,
                                  std::size_t begin, std::size_t end) const {
    SpeakerGuess guess;
    const auto evidence = Evidence(names, text, begin, end, guess.newName);
    if (!guess.newName.empty()) {
        guess.rule = "new name";
        return guess;
    }
    const auto [slot, reason] = Best(evidence, names);
    guess.slot = slot;
    guess.rule = slot == 0 ? "" : FeatureName(reason);
    return guess;
}

void SpeakerHinter::Confirm(std::span<const std::string> names, std::string_view text,
                            std::size_t begin, std::size_t end, int slot) {
    Line line;
    const bool valid = slot >= 1 && static_cast<std::size_t>(slot) <= names.size();
    if (valid) {
        line.speaker = Upper(Trim(names[static_cast<std::size_t>(slot - 1)]));
    }
    line.begin = begin;
    line.end = end;
    line.leftOpen = LeftOpen(text, begin, end);
    line.question = EndsWithQuestion(text, begin, end);
    const Paragraph read = Read(text, begin, end);
    const TagReading reading = ReadTag(read, text, NarrationBefore(text, begin), end);
    const Paragraph& paragraph = reading.joined ? *reading.joined : read;
    const std::optional<Tag>& tag = reading.tag;
    if (tag && tag->spoken && !line.speaker.empty() && !IsNarrator(line.speaker)) {
        line.aliases = Shortenings(paragraph.tokens, tag->phrase);
        for (const std::string& alias : line.aliases) {
            ++aliases_[alias][line.speaker];
        }
        // A title tells the sex as a pronoun does: "said Mr. Palmer" for THOMAS PALMER.
        const char titled =
            tag->phrase.name ? TitleSex(paragraph.tokens[tag->phrase.first].word) : '\0';
        line.sex = titled == 'm' ? "he" : titled == 'f' ? "she" : "";
    }
    if (line.sex.empty() && !line.speaker.empty() && !IsNarrator(line.speaker) &&
        !(tag && tag->spoken && tag->phrase.pronoun)) {
        // The narration of a speaker's own line is mostly about the speaker: "she said,
        // turning her head".
        int he = 0;
        int she = 0;
        for (const Token& token : paragraph.tokens) {
            if (token.segment % 2 == 0) {
                he += token.word == "he" || token.word == "his" || token.word == "him" ? 1 : 0;
                she += token.word == "she" || token.word == "her" ? 1 : 0;
            }
        }
        if (he >= 2 && she == 0) {
            line.sex = "he";
        } else if (she >= 2 && he == 0) {
            line.sex = "she";
        }
    }
    if (!line.sex.empty()) {
        ++aliases_[line.sex][line.speaker];
    }
    if (!line.speaker.empty() && !IsNarrator(line.speaker)) {
        line.voice = SetOffWords(paragraph.tokens);
        for (const std::string& word : line.voice) {
            ++voices_[word][line.speaker];
        }
    }
    // Whom the line was said to, who is likely to answer it.
    const std::vector<SlotName> slots = SlotNames(names);
    int listener = 0;
    if (tag && tag->listener) {
        listener = BestName(slots, paragraph.tokens, *tag->listener, {}).first;
    }
    if (listener == 0) {
        const std::vector<int> addressed = Vocatives(paragraph.tokens, slots, aliases_);
        if (!addressed.empty()) {
            listener = addressed.front();
        }
    }
    if (listener != 0 && listener != slot) {
        line.listener = slots[static_cast<std::size_t>(listener - 1)].upper;
    }
    lines_.push_back(std::move(line));
}

void SpeakerHinter::Retract() {
    if (lines_.empty()) {
        return;
    }
    const Line& line = lines_.back();
    // Takes one count of the speaker off a learned word, dropping counts and words left at 0.
    const auto uncount = [&line](auto& table, const std::string& key) {
        const auto found = table.find(key);
        if (found == table.end()) {
            return;
        }
        const auto count = found->second.find(line.speaker);
        if (count != found->second.end() && --count->second == 0) {
            found->second.erase(count);
        }
        if (found->second.empty()) {
            table.erase(found);
        }
    };
    for (const std::string& word : line.voice) {
        uncount(voices_, word);
    }
    for (const std::string& alias : line.aliases) {
        uncount(aliases_, alias);
    }
    if (!line.sex.empty()) {
        uncount(aliases_, line.sex);
    }
    lines_.pop_back();
}

}  // namespace velmora
