#include "export/ExportScript.h"

#include "conversion/ConversionWalk.h"
#include "export/DisplayText.h"

#include <algorithm>
#include <array>
#include <utility>

namespace velmora {
namespace {

constexpr std::size_t kLongestHeading = 60;

// The words that head a division of a novel; a prologue or an epilogue needs no number.
constexpr std::array<std::string_view, 6> kDivisions = {"chapter", "book",     "part",
                                                        "volume",  "prologue", "epilogue"};
constexpr std::array<std::string_view, 6> kOrdinals = {"first",  "second", "third",
                                                       "fourth", "fifth",  "last"};
// clang-format off
constexpr std::array<std::string_view, 31> kNumberWords = {
    "one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten",
    "eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen", "seventeen",
    "eighteen", "nineteen", "twenty", "first", "second", "third", "fourth", "fifth",
    "sixth", "seventh", "eighth", "ninth", "tenth", "last"};
// clang-format on

char Lower(char byte) { return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : byte; }

std::string LowerAscii(std::string_view word) {
    std::string lower(word);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    return lower;
}

// A heading's words are in capitals, or capitalised: "CHAPTER", "Chapter", never "chapter".
bool IsHeadingCase(std::string_view word) {
    return !word.empty() && word.front() >= 'A' && word.front() <= 'Z';
}

template <std::size_t N>
bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& list) {
    const std::string lower = LowerAscii(word);
    return std::find(list.begin(), list.end(), lower) != list.end();
}

bool IsNumeral(std::string_view word) {
    if (word.empty()) {
        return false;
    }
    const bool digits =
        std::all_of(word.begin(), word.end(), [](char byte) { return byte >= '0' && byte <= '9'; });
    const bool roman = word.size() <= 8 && std::all_of(word.begin(), word.end(), [](char byte) {
                           return std::string_view("IVXLCDM").find(byte) != std::string_view::npos;
                       });
    return digits || roman || IsOneOf(word, kNumberWords);
}

// Splits off the punctuation that may end a heading's word: "ONE:" is "ONE" and ":".
std::pair<std::string_view, std::string_view> SplitPunctuation(std::string_view word) {
    const std::size_t end = word.find_last_not_of(".:-");
    const std::size_t cut = end == std::string_view::npos ? 0 : end + 1;
    return {word.substr(0, cut), word.substr(cut)};
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (end > at) {
            words.push_back(text.substr(at, end - at));
        }
        at = end + 1;
    }
    return words;
}

}  // namespace

bool IsChapterHeading(std::string_view narration) {
    if (narration.size() > kLongestHeading) {
        return false;
    }
    const std::vector<std::string_view> words = Words(narration);
    std::size_t at = 0;
    if (words.size() > 1 && IsOneOf(words[0], kOrdinals) && IsHeadingCase(words[0])) {
        at = 1;
    }
    if (at >= words.size() || !IsHeadingCase(words[at])) {
        return false;
    }
    auto [division, after] = SplitPunctuation(words[at]);
    if (!IsOneOf(division, kDivisions)) {
        return false;
    }
    const std::string lower = LowerAscii(division);
    const bool needsNumber = lower != "prologue" && lower != "epilogue";
    ++at;
    if (needsNumber) {
        if (at >= words.size() || !after.empty()) {
            return false;
        }
        // "BOOK THE FIRST"
        if (LowerAscii(words[at]) == "the" && at + 1 < words.size()) {
            ++at;
        }
        auto [number, punctuation] = SplitPunctuation(words[at]);
        if (!IsNumeral(number)) {
            return false;
        }
        after = punctuation;
        ++at;
    }
    // A title may follow the number, set off by punctuation: "Chapter 1. The Ball".
    return at == words.size() || !after.empty() || words[at] == "-" || words[at] == "--";
}

ExportScript PrepareForExport(std::vector<ScriptElement> elements, ScriptFormat format,
                              const SpeechTagTest& isOnlySpeechTag) {
    ExportScript script;
    script.format = format;
    script.elements.reserve(elements.size());
    std::size_t lastName = 0;  // where the pending line's name stands in the export
    for (ScriptElement& element : elements) {
        switch (element.kind) {
        case ElementKind::Narration:
            if (IsChapterHeading(element.text)) {
                element.kind = ElementKind::Heading;
            }
            break;
        case ElementKind::CharacterName:
            if (element.text.empty()) {
                element.text = ConversionWalk::kPlaceholderName;
            }
            lastName = script.elements.size();
            break;
        case ElementKind::Parenthetical:
            if (isOnlySpeechTag && isOnlySpeechTag(element.text)) {
                continue;
            }
            if (CharacterCount(element.text) > kLongestParenthetical) {
                element.kind = ElementKind::Narration;
                script.elements.insert(
                    script.elements.begin() + static_cast<std::ptrdiff_t>(lastName),
                    std::move(element));
                ++lastName;
                continue;
            }
            break;
        case ElementKind::Dialogue:
        case ElementKind::Note:
        case ElementKind::Heading:
            break;
        }
        script.elements.push_back(std::move(element));
    }
    return script;
}

}  // namespace velmora
