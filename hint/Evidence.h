#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora {

// The kinds of evidence that a slot speaks a line. Each has one row in kEvidence below.
enum class Evidence : std::uint8_t {
    kTurn,
    kLast,
    kOlder,
    kTagName,
    kTagWord,
    kTagLearned,
    kTagPronoun,
    kTagPronounTurn,
    kTagPronounOpen,
    kTagFirstPerson,
    kBeatName,
    kBeatPronoun,
    kMention,
    kGapMention,
    kListener,
    kAddressed,
    kContinued,
    kGapLast,
    kGapTurn,
    kAnswerTurn,
    kNarrator,
    kNarratorAside,
    kNarratorQuoted,
    kGapFirst,
    kGapFinal,
    kVoice,
    kTalkedAbout,
    kNarratorVerse,
    kNextTag,
    kIntro,
    kTagDescribed,
};

// A kind of evidence: its name in reports, how much it counts (against the slot when
// negative), and what it means.
struct EvidenceKind {
    Evidence id;
    std::string_view name;
    int weight;
    std::string_view meaning;
};

// A tag outweighs everything, then a speech running on, then two people taking turns; the
// smaller weights, measured on novels whose speakers were annotated, settle what is left.
// Where two kinds weigh the same, the one listed first names the guess.
inline constexpr auto kEvidence = std::to_array<EvidenceKind>({
    {Evidence::kTurn, "turn", 70, "spoke the line before last: two people taking turns"},
    {Evidence::kLast, "last", 10, "spoke the last line"},
    {Evidence::kOlder, "older", 20, "spoke earlier in the conversation"},
    {Evidence::kTagName, "tag", 1000, "the speech tag gives the whole name"},
    {Evidence::kTagWord, "tag word", 600, "the speech tag gives one of its words"},
    {Evidence::kTagLearned, "tag learned", 850, "the speech tag's words meant this speaker before"},
    {Evidence::kTagPronoun, "pronoun", 200, "\"said she\", and the speaker is a she"},
    {Evidence::kTagPronounTurn, "pronoun turn", 200, "\"said she\", she is the other party"},
    {Evidence::kTagPronounOpen, "pronoun ?", 50,
     "\"said she\", and no one's sex is known: the other party"},
    {Evidence::kTagFirstPerson, "I", 900, "\"I said\", and the narrator has been this speaker"},
    {Evidence::kBeatName, "beat", 150, "an action next to the quotation names this speaker"},
    {Evidence::kBeatPronoun, "beat pronoun", 150,
     "an action next to the quotation by a he or she of that sex"},
    {Evidence::kMention, "mention", 45, "named in the narration around the quotations"},
    {Evidence::kGapMention, "gap mention", -50, "named in the narration since the last line"},
    {Evidence::kListener, "listener", 110, "the last line was said to this speaker"},
    {Evidence::kAddressed, "addressed", -500, "this line is said to this speaker"},
    {Evidence::kContinued, "continued", 600, "the last line's speech runs on into this paragraph"},
    {Evidence::kGapLast, "gap last", 60, "spoke the last line, and narration came between"},
    {Evidence::kGapTurn, "gap turn", -40, "spoke the line before last, and narration came between"},
    {Evidence::kAnswerTurn, "answer", 20,
     "the last line asked a question; the other party answers"},
    {Evidence::kNarrator, "narrator", -50, "the slot holding NARRATOR"},
    {Evidence::kNarratorAside, "aside", 250, "NARRATOR, and the paragraph opens with narration"},
    {Evidence::kNarratorQuoted, "quoted", 400,
     "NARRATOR, and a few words are quoted inside a sentence"},
    {Evidence::kGapFirst, "gap first", 20,
     "the first named in the last paragraph of narration since the last line"},
    {Evidence::kGapFinal, "gap final", 120, "the last named in that narration"},
    {Evidence::kVoice, "voice", 70, "the speech uses a form of address only this speaker has used"},
    {Evidence::kTalkedAbout, "talked about", -40,
     "the speech names this person: people seldom name themselves"},
    {Evidence::kNarratorVerse, "verse", 400,
     "NARRATOR, and a line of the paragraph is indented: verse or a letter"},
    {Evidence::kNextTag, "next tag", -150,
     "the next paragraph is dialogue too and its tag names this speaker: seldom two in a row"},
    {Evidence::kIntro, "intro", 100,
     "the last named in the narration that opens the paragraph and leads into the speech"},
    {Evidence::kTagDescribed, "described", 100,
     "\"said the old lady\", no one known by those words: a she, as for \"said she\""},
});

inline constexpr std::size_t kEvidenceCount = kEvidence.size();

// Each row sits at its id, so an id finds its row.
consteval bool RowsInIdOrder() {
    for (std::size_t i = 0; i < kEvidenceCount; ++i) {
        if (static_cast<std::size_t>(kEvidence[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(RowsInIdOrder(), "kEvidence lists each kind once, in the order of Evidence");

[[nodiscard]] constexpr const EvidenceKind& KindOf(Evidence id) noexcept {
    return kEvidence[static_cast<std::size_t>(id)];
}

}  // namespace velmora
