#include "conversion/SpeakerHint.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {
namespace {

constexpr int kSlots = 12;

// Twelve name slots, the first ones filled as given.
std::vector<std::string> Slots(std::initializer_list<std::string_view> filled) {
    std::vector<std::string> names(filled.begin(), filled.end());
    names.resize(kSlots);
    return names;
}

struct HintCase {
    const char* label;
    std::vector<std::string> names;
    std::string_view narration;
    int lastSlot;
    int slotBeforeLast;
    int expected;
};

TEST(SpeakerHint, picks_the_slot_named_in_the_narration_or_the_turn_taker) {
    const auto bennets = Slots({"MRS. BENNET", "MR. BENNET", "ELIZABETH"});
    const HintCase cases[] = {
        // Speech tags, as ExtractNarration leaves them.
        {"tag after the dialogue", bennets, "  said Elizabeth, ", 0, 0, 3},
        {"tag before the dialogue", bennets, "Elizabeth turned to her and said:\r\n", 0, 0, 3},
        {"tag with a title", bennets, "  said Mr. Bennet; ", 0, 0, 2},
        {"title and name on two lines", bennets, "  said Mrs.\r\nBennet; ", 0, 0, 1},
        {"case is folded", Slots({"elizabeth"}), "  said ELIZABETH.", 0, 0, 1},
        {"spaces around the name", Slots({"  JANE  "}), "  said Jane.", 0, 0, 1},
        {"narration is only the name", Slots({"JANE"}), "Jane", 0, 0, 1},
        {"empty slots are skipped", Slots({"", " ", "JANE"}), "  said Jane.", 0, 0, 3},
        {"punctuation inside a name", Slots({"O'BRIEN"}), "  said O'Brien.", 0, 0, 1},
        {"lower slot wins", Slots({"JANE", "ELIZABETH"}), "  said Elizabeth to Jane.", 0, 0, 1},
        // Last words.
        {"last word of a titled name", Slots({"MR. DARCY"}), "  replied Darcy coldly.", 0, 0, 1},
        {"last word after a first name", Slots({"MR. DARCY"}), "  said Fitzwilliam Darcy.", 0, 0,
         1},
        {"whole name beats another's last word", bennets, "  said Mr. Bennet.", 0, 0, 2},
        {"another title before the last word", Slots({"MRS. BENNET"}), "  said Miss Bennet.", 0, 0,
         0},
        {"one-letter last word", Slots({"MR. B"}), "  said b.", 0, 0, 0},
        {"title as last word", Slots({"THE COLONEL"}), "  said Colonel Forster.", 0, 0, 0},
        {"title-only name as a whole", Slots({"THE COLONEL"}), "  said the colonel.", 0, 0, 1},
        // Names inside other words or names.
        {"Ann is not Anne", Slots({"ANN"}), "  said Anne.", 0, 0, 0},
        {"Anne is its own slot", Slots({"ANN", "ANNE"}), "  said Anne.", 0, 0, 2},
        {"Tom is not Tomorrow", Slots({"TOM"}), "  Tomorrow, she said.", 0, 0, 0},
        {"digits join words", Slots({"R2"}), "  beeped R2D2.", 0, 0, 0},
        {"accented letters join words", Slots({"REN"}),
         "  said Ren\xC3\xA9"
         "e.",
         0, 0, 0},
        {"inside a longer slot's name", Slots({"BINGLEY", "MISS BINGLEY"}), "  said Miss Bingley.",
         0, 0, 2},
        {"shorter name on its own", Slots({"BINGLEY", "MISS BINGLEY"}), "  said Bingley.", 0, 0, 1},
        {"same start as a longer name", Slots({"MISS", "MISS BINGLEY"}), "  said Miss Bingley.", 0,
         0, 2},
        {"same name in two slots", Slots({"JANE", "JANE"}), "  said Jane.", 0, 0, 1},
        // No name: turn-taking.
        {"no match, no history", bennets, "  said his lady to him one day, ", 0, 0, 0},
        {"two speakers take turns", bennets, "", 1, 2, 2},
        {"turns the other way", bennets, "", 2, 1, 1},
        {"same speaker twice", bennets, "", 1, 1, 0},
        {"only one line so far", bennets, "", 1, 0, 0},
        {"slot before last emptied", Slots({"MRS. BENNET", ""}), "", 1, 2, 0},
        {"slot out of range", bennets, "", 13, 1, 0},
        {"name beats turn-taking", bennets, "  said Elizabeth.", 1, 2, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(HintSpeaker(c.names, c.narration, c.lastSlot, c.slotBeforeLast), c.expected);
    }
}

// A long paragraph repeats a name that lies inside a longer one: telling each occurrence
// apart must not take a quadratic scan, and the one free-standing occurrence must count.
TEST(SpeakerHint, weighs_many_occurrences_inside_longer_names) {
    const auto names = Slots({"BINGLEY", "MISS BINGLEY"});
    std::string narration;
    for (int i = 0; i < 100'000; ++i) {
        narration += "said Miss Bingley,\r\n";
    }
    EXPECT_EQ(HintSpeaker(names, narration, 0, 0), 2);
    narration += "said Bingley.";
    EXPECT_EQ(HintSpeaker(names, narration, 0, 0), 1);
}

}  // namespace
}  // namespace velmora
