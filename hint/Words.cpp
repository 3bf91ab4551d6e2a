#include "hint/Words.h"

#include <algorithm>
#include <array>

namespace velmora {
namespace {

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

// Nouns for a person that tell the sex; a word ending in "woman" is a woman, any other
// ending in "man" a man.
constexpr std::array<std::string_view, 16> kMaleNouns = {
    "boy",    "lad",         "fellow", "father", "son",  "brother", "uncle", "husband",
    "nephew", "grandfather", "king",   "prince", "lord", "duke",    "monk",  "priest"};
constexpr std::array<std::string_view, 18> kFemaleNouns = {
    "lady", "girl",    "mother",      "daughter", "sister",    "aunt",
    "wife", "niece",   "grandmother", "queen",    "princess",  "duchess",
    "maid", "hostess", "widow",       "mistress", "governess", "actress"};

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

constexpr std::array<std::string_view, 48> kNotNames = {
    "the",       "a",        "an",     "and",      "but",     "or",     "so",     "then",
    "to",        "at",       "in",     "on",       "of",      "for",    "with",   "as",
    "if",        "when",     "while",  "after",    "yes",     "no",     "oh",     "well",
    "there",     "here",     "it",     "this",     "that",    "what",   "now",    "why",
    "how",       "once",     "again",  "still",    "they",    "we",     "you",    "one",
    "everybody", "somebody", "nobody", "everyone", "someone", "anyone", "inside", "outside"};

constexpr std::array<std::string_view, 20> kPhraseStops = {
    "to",   "with", "in",    "at",  "and", "as",   "who",  "of",   "from", "on",
    "into", "but",  "while", "for", "by",  "when", "then", "that", "upon", "after"};

constexpr std::array<std::string_view, 23> kPrepositions = {
    "to",     "with", "at",     "in",      "of",      "for",  "from",   "on",
    "upon",   "by",   "toward", "towards", "about",   "into", "behind", "after",
    "beside", "near", "than",   "like",    "against", "over", "under"};

template <std::size_t N>
bool IsOneOf(const std::array<std::string_view, N>& words, std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace

bool IsTitle(std::string_view word) noexcept { return IsOneOf(kTitles, word); }

bool IsPreposition(std::string_view word) noexcept { return IsOneOf(kPrepositions, word); }

Sex TitleSex(std::string_view word) noexcept {
    return IsOneOf(kMaleTitles, word)     ? Sex::kMale
           : IsOneOf(kFemaleTitles, word) ? Sex::kFemale
                                          : Sex::kUnknown;
}

Sex NounSex(std::string_view word) noexcept {
    if (IsOneOf(kFemaleNouns, word) || word.ends_with("woman")) {
        return Sex::kFemale;
    }
    return IsOneOf(kMaleNouns, word) || word.ends_with("man") ? Sex::kMale : Sex::kUnknown;
}

bool IsSpeechVerb(std::string_view word) noexcept { return IsOneOf(kSpeechVerbs, word); }

bool IsDeterminer(std::string_view word) noexcept { return IsOneOf(kDeterminers, word); }

bool IsNotName(std::string_view word) noexcept { return IsOneOf(kNotNames, word); }

bool IsPhraseStop(std::string_view word) noexcept { return IsOneOf(kPhraseStops, word); }

}  // namespace velmora
