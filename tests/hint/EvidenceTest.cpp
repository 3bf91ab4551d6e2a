// The table of evidence, how a slot's evidence is weighed, and what the named lines teach.
#include "hint/Evidence.h"
#include "hint/EvidenceSet.h"
#include "hint/LearnedCounts.h"
#include "hint/SlotEvidence.h"
#include "hint/SlotNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace velmora {
namespace {

TEST(Evidence, each_kind_has_one_name_a_weight_and_a_meaning) {
    std::set<std::string_view> names;
    for (const EvidenceKind& kind : kEvidence) {
        SCOPED_TRACE(kind.name);
        EXPECT_TRUE(names.insert(kind.name).second) << "two kinds share a name";
        EXPECT_NE(kind.weight, 0);
        EXPECT_FALSE(kind.meaning.empty());
        EXPECT_EQ(&KindOf(kind.id), &kind);
    }
    // Any tag outweighs all the conversation's evidence together.
    long conversation = 0;
    for (const Evidence kind : {Evidence::kTurn, Evidence::kLast, Evidence::kListener,
                                Evidence::kAnswerTurn, Evidence::kGapLast, Evidence::kGapFinal}) {
        conversation += KindOf(kind).weight;
    }
    EXPECT_GT(KindOf(Evidence::kTagWord).weight, conversation);
}

TEST(SlotEvidence, guesses_the_slot_with_most_weight_and_names_its_strongest_evidence) {
    const std::vector<std::string> names = {"ELINOR", "MARIANNE", "", "EDWARD"};
    SlotEvidence evidence(names.size());
    evidence.Mark(1, Evidence::kTurn);
    evidence.Mark(2, Evidence::kLast);
    evidence.Mark(3, Evidence::kTagName);  // an empty slot is never guessed
    evidence.Mark(0, Evidence::kTagName);  // nor slot 0 or one past the last
    evidence.Mark(5, Evidence::kTagName);
    EXPECT_EQ(evidence.Best(names).slot, 1);
    EXPECT_EQ(evidence.Best(names).reason, Evidence::kTurn);

    // A tag outweighs turns; against the slot, addressed.
    evidence.Mark(4, Evidence::kTagPronoun);
    evidence.Mark(4, Evidence::kMention);
    EXPECT_EQ(evidence.Best(names).slot, 4);
    EXPECT_EQ(evidence.Best(names).reason, Evidence::kTagPronoun);
    evidence.Mark(4, Evidence::kAddressed);
    EXPECT_EQ(evidence.Best(names).slot, 1);

    // Of two kinds that weigh the same, the one listed first names the guess.
    const EvidenceSet both = {Evidence::kTagPronounTurn, Evidence::kTagPronoun};
    EXPECT_EQ(both.Strongest(), Evidence::kTagPronoun);
    EXPECT_EQ(both.Score(), 2L * KindOf(Evidence::kTagPronoun).weight);

    // Cleared evidence is gone from every slot; no weight above nothing is no guess.
    evidence.Clear(Evidence::kTurn);
    EXPECT_FALSE(evidence.Of(1).Has(Evidence::kTurn));
    EXPECT_TRUE(evidence.Any({Evidence::kLast}));
    SlotEvidence against(names.size());
    against.Mark(1, Evidence::kGapMention);
    EXPECT_EQ(against.Best(names).slot, 0);
}

TEST(LearnedCounts, learns_a_line_and_takes_it_back_exactly) {
    const std::vector<SlotName> slots =
        ReadSlotNames(std::vector<std::string>{"HOLMES", "MISS MORSTAN"});
    LearnedCounts counts;
    EXPECT_EQ(counts.SexOf(slots[0]), Sex::kUnknown);
    EXPECT_EQ(counts.SexOf(slots[1]), Sex::kFemale);  // the title tells

    ConfirmedLine said;
    said.speaker = "HOLMES";
    said.aliases = {"the detective", "he"};
    said.voice = {"watson"};
    counts.Learn(said);
    ConfirmedLine told;
    told.speaker = "HOLMES";
    told.sex = Sex::kMale;
    counts.Learn(told);
    EXPECT_EQ(counts.SexOf(slots[0]), Sex::kMale);
    ASSERT_NE(counts.Alias("he"), nullptr);
    EXPECT_EQ(counts.Alias("he")->at("HOLMES"), 2);
    EXPECT_EQ(Total(*counts.Alias("the detective")), 1);
    EXPECT_NE(counts.Voice("watson"), nullptr);

    // "she" said of her often enough outweighs her title? No: two answers equal a title.
    ConfirmedLine hers;
    hers.speaker = "MISS MORSTAN";
    hers.sex = Sex::kMale;
    counts.Learn(hers);
    counts.Learn(hers);
    EXPECT_EQ(counts.SexOf(slots[1]), Sex::kUnknown);
    counts.Learn(hers);
    EXPECT_EQ(counts.SexOf(slots[1]), Sex::kMale);

    for (int n = 0; n < 3; ++n) {
        counts.Unlearn(hers);
    }
    counts.Unlearn(told);
    counts.Unlearn(said);
    EXPECT_EQ(counts.Alias("he"), nullptr);
    EXPECT_EQ(counts.Alias("the detective"), nullptr);
    EXPECT_EQ(counts.Voice("watson"), nullptr);
    EXPECT_EQ(counts.SexOf(slots[0]), Sex::kUnknown);
}

TEST(LearnedCounts, a_phrase_mostly_meant_one_person_when_three_in_four_times) {
    EXPECT_TRUE(MostlyMeant(3, 4));
    EXPECT_FALSE(MostlyMeant(2, 3));
    EXPECT_TRUE(MostlyMeant(1, 1));
}

}  // namespace
}  // namespace velmora
