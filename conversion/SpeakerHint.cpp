#include "conversion/SpeakerHint.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <vector>

namespace velmora {
namespace {

constexpr std::size_t kNoMatch = std::string_view::npos;

// Words that say what someone is rather than who: a name's last word that is one of these
// names nobody, and one of these before a last word tells two people of one family apart.
constexpr std::array<std::string_view, 48> kTitles = {
    "mr",         "mrs",     "ms",       "miss",     "mister",  "master",    "madam",   "madame",
    "mme",        "mlle",    "dr",       "doctor",   "prof",    "professor", "sir",     "dame",
    "lady",       "lord",    "rev",      "reverend", "father",  "mother",    "sister",  "brother",
    "aunt",       "uncle",   "captain",  "capt",     "colonel", "col",       "general", "major",
    "lieutenant", "lt",      "sergeant", "sgt",      "prince",  "princess",  "king",    "queen",
    "duke",       "duchess", "count",    "countess", "baron",   "baroness",  "jr",      "sr"};

struct Occurrence {
    std::size_t begin;
    std::size_t end;
};

bool IsSpace(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n' || byte == '\f' ||
           byte == '\v';
}

// Bytes from 0x80 up are taken for letters: in UTF-8 and Windows-1252 most of them are,
// and a name must not match the start of an accented word.
bool IsWordByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    const auto lower = static_cast<unsigned char>(value | 0x20U);
    return value >= 0x80U || (value >= '0' && value <= '9') || (lower >= 'a' && lower <= 'z');
}

char FoldCase(char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
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

// A word without the punctuation around it, in lower case: "MRS." -> "mrs".
std::string Normalized(std::string_view word) {
    while (!word.empty() && !IsWordByte(word.front())) {
        word.remove_prefix(1);
    }
    while (!word.empty() && !IsWordByte(word.back())) {
        word.remove_suffix(1);
    }
    std::string result(word);
    std::transform(result.begin(), result.end(), result.begin(), FoldCase);
    return result;
}

bool IsTitle(std::string_view normalized) {
    return std::find(kTitles.begin(), kTitles.end(), normalized) != kTitles.end();
}

std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && !IsSpace(text[i])) {
            ++i;
        }
        if (i > start) {
            words.push_back(text.substr(start, i - start));
        }
    }
    return words;
}

// Length of the text matched by pattern at position at, or kNoMatch. Case is folded, and a
// run of spaces in the pattern matches any run of spaces or line breaks in the text, since
// a name in a paragraph may be broken across lines.
std::size_t MatchLength(std::string_view text, std::size_t at, std::string_view pattern) {
    std::size_t i = at;
    std::size_t j = 0;
    while (j < pattern.size()) {
        if (i >= text.size()) {
            return kNoMatch;
        }
        if (IsSpace(pattern[j])) {
            if (!IsSpace(text[i])) {
                return kNoMatch;
            }
            while (j < pattern.size() && IsSpace(pattern[j])) {
                ++j;
            }
            while (i < text.size() && IsSpace(text[i])) {
                ++i;
            }
        } else {
            if (FoldCase(text[i]) != FoldCase(pattern[j])) {
                return kNoMatch;
            }
            ++i;
            ++j;
        }
    }
    return i - at;
}

// Where pattern (trimmed, not empty) occurs in text as a whole word or phrase.
std::vector<Occurrence> FindWhole(std::string_view text, std::string_view pattern) {
    std::vector<Occurrence> found;
    const bool checkBefore = IsWordByte(pattern.front());
    const bool checkAfter = IsWordByte(pattern.back());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (checkBefore && at > 0 && IsWordByte(text[at - 1])) {
            continue;
        }
        const std::size_t length = MatchLength(text, at, pattern);
        if (length == kNoMatch) {
            continue;
        }
        const std::size_t end = at + length;
        if (checkAfter && end < text.size() && IsWordByte(text[end])) {
            continue;
        }
        found.push_back({at, end});
    }
    return found;
}

// The word (run of non-spaces) that ends before position end, skipping spaces first.
std::string_view WordBefore(std::string_view text, std::size_t end) {
    while (end > 0 && IsSpace(text[end - 1])) {
        --end;
    }
    std::size_t start = end;
    while (start > 0 && !IsSpace(text[start - 1])) {
        --start;
    }
    return text.substr(start, end - start);
}

// All occurrences of all names by start, then by end, and for each the furthest end reached
// by it or any before it: a text may repeat a name thousands of times, so telling whether
// one occurrence lies inside a longer one must be a binary search, not a scan.
struct Coverage {
    std::vector<Occurrence> sorted;
    std::vector<std::size_t> reach;
};

Coverage CoverageOf(const std::vector<std::vector<Occurrence>>& perSlot) {
    Coverage coverage;
    for (const auto& occurrences : perSlot) {
        coverage.sorted.insert(coverage.sorted.end(), occurrences.begin(), occurrences.end());
    }
    std::sort(coverage.sorted.begin(), coverage.sorted.end(),
              [](const Occurrence& a, const Occurrence& b) {
                  return a.begin != b.begin ? a.begin < b.begin : a.end < b.end;
              });
    std::size_t reach = 0;
    for (const Occurrence& occurrence : coverage.sorted) {
        reach = std::max(reach, occurrence.end);
        coverage.reach.push_back(reach);
    }
    return coverage;
}

// True when a longer occurrence covers this one: one that starts earlier and ends no sooner,
// or starts at the same byte and ends later. Nesting is transitive, so counting the slot's
// own occurrences as well changes nothing.
bool InsideLonger(const Coverage& coverage, const Occurrence& inner) {
    const auto byBegin = [](const Occurrence& occurrence, std::size_t begin) {
        return occurrence.begin < begin;
    };
    const auto& sorted = coverage.sorted;
    const auto sameBegin = std::lower_bound(sorted.begin(), sorted.end(), inner.begin, byBegin);
    const auto before = static_cast<std::size_t>(sameBegin - sorted.begin());
    if (before > 0 && coverage.reach[before - 1] >= inner.end) {
        return true;
    }
    const auto after = std::lower_bound(sameBegin, sorted.end(), inner.begin + 1, byBegin);
    return after != sameBegin && std::prev(after)->end > inner.end;
}

int SlotNumber(std::size_t index) { return static_cast<int>(index + 1); }

}  // namespace

int HintSpeaker(std::span<const std::string> names, std::string_view narration, int lastSlot,
                int slotBeforeLast) {
    std::vector<std::string_view> trimmed;
    trimmed.reserve(names.size());
    for (const std::string& name : names) {
        trimmed.push_back(Trim(name));
    }

    // 1. Whole names, unless the occurrence lies inside a longer name's.
    std::vector<std::vector<Occurrence>> occurrences(trimmed.size());
    for (std::size_t k = 0; k < trimmed.size(); ++k) {
        if (!trimmed[k].empty()) {
            occurrences[k] = FindWhole(narration, trimmed[k]);
        }
    }
    const Coverage coverage = CoverageOf(occurrences);
    for (std::size_t k = 0; k < occurrences.size(); ++k) {
        for (const Occurrence& occurrence : occurrences[k]) {
            if (!InsideLonger(coverage, occurrence)) {
                return SlotNumber(k);
            }
        }
    }

    // 2. Last words of names of several words.
    for (std::size_t k = 0; k < trimmed.size(); ++k) {
        const std::vector<std::string_view> words = SplitWords(trimmed[k]);
        if (words.size() < 2) {
            continue;
        }
        const std::string last = Normalized(words.back());
        if (last.size() < 2 || IsTitle(last)) {
            continue;
        }
        std::vector<std::string> ownWords;
        ownWords.reserve(words.size());
        for (const std::string_view word : words) {
            ownWords.push_back(Normalized(word));
        }
        for (const Occurrence& occurrence : FindWhole(narration, last)) {
            const std::string before = Normalized(WordBefore(narration, occurrence.begin));
            const bool otherTitle = IsTitle(before) && std::find(ownWords.begin(), ownWords.end(),
                                                                 before) == ownWords.end();
            if (!otherTitle) {
                return SlotNumber(k);
            }
        }
    }

    // 3. Turn-taking between two speakers.
    const auto isSlot = [&](int slot) {
        return slot >= 1 && static_cast<std::size_t>(slot) <= trimmed.size();
    };
    if (isSlot(lastSlot) && isSlot(slotBeforeLast) && lastSlot != slotBeforeLast &&
        !trimmed[static_cast<std::size_t>(slotBeforeLast - 1)].empty()) {
        return slotBeforeLast;
    }
    return 0;
}

}  // namespace velmora
