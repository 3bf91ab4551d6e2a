#include "hint/SpeakerHinter.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {
namespace {

constexpr int kSlots = 12;

std::vector<std::string> Slots(std::initializer_list<std::string_view> filled) {
    std::vector<std::string> names(filled.begin(), filled.end());
    names.resize(kSlots);
    return names;
}

// A paragraph of the text and the slot the user named it with; 0 for narration, which is
// never named.
struct Paragraph {
    std::string text;
    int slot = 0;
};

// The paragraphs laid out as Replay lays them out.
std::string NovelOf(const std::vector<Paragraph>& paragraphs) {
    std::string text;
    for (const Paragraph& paragraph : paragraphs) {
        text += (text.empty() ? "" : "\r\n\r\n") + paragraph.text;
    }
    return text;
}

// Lays the paragraphs out as a text with CR LF CR LF breaks, names the earlier ones through
// Confirm and guesses the last.
class Replay {
public:
    Replay(std::vector<std::string> names, const std::vector<Paragraph>& paragraphs)
        : names_(std::move(names)) {
        for (const Paragraph& paragraph : paragraphs) {
            if (!text_.empty()) {
                text_ += "\r\n\r\n";
            }
            spans_.push_back({text_.size(), text_.size() + paragraph.text.size(), paragraph.slot});
            text_ += paragraph.text;
        }
    }

    // Confirms every paragraph but the last that has a slot.
    void ConfirmAllButLast(SpeakerHinter& hinter) const {
        for (std::size_t i = 0; i + 1 < spans_.size(); ++i) {
            if (spans_[i].slot != 0) {
                hinter.Confirm(names_, text_, spans_[i].begin, spans_[i].end, spans_[i].slot);
            }
        }
    }

    [[nodiscard]] SpeakerGuess GuessLast(const SpeakerHinter& hinter) const {
        return hinter.Guess(names_, text_, spans_.back().begin, spans_.back().end);
    }

    // Guesses the paragraph before the last, which reads on into the last.
    [[nodiscard]] SpeakerGuess GuessBeforeLast(const SpeakerHinter& hinter) const {
        const Span& span = spans_[spans_.size() - 2];
        return hinter.Guess(names_, text_, span.begin, span.end);
    }

    [[nodiscard]] HintEvidence WeighLast(const SpeakerHinter& hinter) const {
        return hinter.Weigh(names_, text_, spans_.back().begin, spans_.back().end);
    }

    void ConfirmLast(SpeakerHinter& hinter, int slot) const {
        hinter.Confirm(names_, text_, spans_.back().begin, spans_.back().end, slot);
    }

private:
    struct Span {
        std::size_t begin;
        std::size_t end;
        int slot;
    };
    std::vector<std::string> names_;
    std::string text_;
    std::vector<Span> spans_;
};

struct Case {
    const char* label;
    std::vector<std::string> names;
    std::vector<Paragraph> paragraphs;  // the last one is guessed
    int expected;
    std::string newName = {};
};

void Check(const Case& c) {
    SCOPED_TRACE(c.label);
    const Replay replay(c.names, c.paragraphs);
    SpeakerHinter hinter;
    replay.ConfirmAllButLast(hinter);
    const SpeakerGuess guess = replay.GuessLast(hinter);
    EXPECT_EQ(guess.slot, c.expected);
    EXPECT_EQ(guess.newName, c.newName);
}

// The Dashwoods: 1 ELINOR, 2 MARIANNE, 3 EDWARD FERRARS, 4 MRS. JENNINGS, 5 COLONEL BRANDON.
const std::vector<std::string> kFamily =
    Slots({"ELINOR", "MARIANNE", "EDWARD FERRARS", "MRS. JENNINGS", "COLONEL BRANDON"});

TEST(SpeakerHinter, reads_the_speech_tag_in_either_order) {
    const Case cases[] = {
        {"name after the verb", kFamily, {{"\"It is late,\" said Marianne."}}, 2},
        {"name before the verb", kFamily, {{"\"It is late,\" Marianne said."}}, 2},
        {"tag leading into the quotation",
         kFamily,
         {{"Marianne turned to the window and said, \"It is late.\""}},
         2},
        {"one word of the name", kFamily, {{"\"It is late,\" replied Edward."}}, 3},
        {"a title with the last word", kFamily, {{"\"It is late,\" said Mr. Ferrars."}}, 3},
        {"an adjective before the name", kFamily, {{"\"It is late,\" cried poor Marianne."}}, 2},
        // Marianne breaks into Elinor and Edward's talk, so only her tag can name her.
        {"an adverb between name and verb",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"\"It is late,\" Marianne slowly said."}},
         2},
        {"an adverb in the tag leading in",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"Turning to Elinor, Marianne hastily exclaimed, \"It is late.\""}},
         2},
        {"the verb's particle before the name",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"\"It is late,\" put in Marianne."}},
         2},
        {"a description that is a slot's but for its first word",
         Slots({"THE HUSBAND", "THE WIFE"}),
         {{"\"It is late,\" his wife said."}},
         2},
        {"the tag of a later quotation",
         kFamily,
         {{"Marianne came to the door. \"Late,\" she said, \"and cold.\""}},
         2},
        // Counter-cases: the names that are not the speaker's.
        {"said to someone", kFamily, {{"\"It is late,\" said Marianne to Elinor."}}, 2},
        {"the listener before the quotation",
         kFamily,
         {{"Colonel Brandon turned to Elinor and said, \"It is late.\""}},
         5},
        {"another title on the same surname",
         Slots({"MRS. FERRARS", "MISS STEELE"}),
         {{"\"It is late,\" said Miss Ferrars."}},
         0,
         "MISS FERRARS"},
        {"a name inside a longer word",
         Slots({"ROB"}),
         {{"\"It is late,\" said Robin."}},
         0,
         "ROBIN"},
        {"a title for the one who bears it", kFamily, {{"\"It is late,\" said the colonel."}}, 5},
        {"a title no one bears", kFamily, {{"\"It is late,\" said the captain."}}, 0},
        {"a particle before no name", kFamily, {{"\"It is late,\" said in a whisper."}}, 0},
        {"the same description with another noun",
         Slots({"THE HUSBAND", "THE WIFE"}),
         {{"\"It is late,\" his sister said."}},
         0},
    };
    for (const Case& c : cases) {
        Check(c);
    }
}

TEST(SpeakerHinter, offers_a_name_no_slot_holds) {
    const Case cases[] = {
        {"a first name", kFamily, {{"\"Come in,\" said Fanny."}}, 0, "FANNY"},
        {"a titled name", kFamily, {{"\"Come in,\" said Mr. Palmer."}}, 0, "MR. PALMER"},
        {"an uncommon verb after a speech broken off",
         kFamily,
         {{"\"Come in,\" queried Fanny."}},
         0,
         "FANNY"},
        {"the speech named as the speaker's",
         kFamily,
         {{"\"Come in,\" was Mr. Palmer's reply."}},
         0,
         "MR. PALMER"},
        // Counter-cases: no name, or a word that only starts a sentence.
        {"a description", kFamily, {{"\"Come in,\" said the servant."}}, 0},
        {"a held name", kFamily, {{"\"Come in,\" said Elinor."}}, 1},
        {"a sentence opening", kFamily, {{"\"Come in.\" Then she said nothing."}}, 0},
        {"a past tense after a finished sentence is an action",
         kFamily,
         {{"\"Come in.\" Fanny nodded."}},
         0},
        {"a verb later in the sentence",
         kFamily,
         {{"Before anyone could move, a voice called, \"Come in!\""}},
         0},
        {"a word opening the sentence before a pronoun",
         kFamily,
         {{"Suddenly he said, \"Come in.\""}},
         0},
        {"everybody is no one's name", kFamily, {{"Everybody said, \"Come in.\""}}, 0},
    };
    for (const Case& c : cases) {
        Check(c);
    }
}

TEST(SpeakerHinter, follows_the_conversation_when_no_tag_says_who) {
    const Case cases[] = {
        {"turns between two",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"\"Then let us go now.\""}},
         1},
        {"the one addressed answers",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"\"Ask Marianne,\" said Elinor to Marianne.", 1},
          {"\"I would rather not.\""}},
         2},
        {"a speech runs on into the next paragraph",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward. \"The lane is dry, and the hill", 3},
          {"\"will give us a view.\""}},
         3},
        {"the person the narration just named",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"Before they could rise, the door opened and in came Mrs. Jennings.", 0},
          {"\"Not without me, I hope!\""}},
         4},
        {"not one named after a preposition",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"Elinor had not lost her faith in Marianne.", 0},
          {"\"Then let us go now.\""}},
         1},
        {"narration that leads in on a dash",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"Marianne looked at Elinor and began--", 0},
          {"\"Not without me.\""}},
         2},
        // Counter-cases.
        {"narration that leads into the speech says who",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"Marianne looked up at Elinor, and said in a low voice,", 0},
          {"\"Not without me.\""}},
         2},
        {"narration that ends its sentence says no one",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"Marianne looked up, and Elinor smiled.", 0},
          {"\"Then let us go now.\""}},
         1},
        {"a closed speech does not run on",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward. \"The lane is dry.\"", 3},
          {"\"Then let us go now.\""}},
         1},
        {"the person spoken to is not the speaker",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"\"Elinor, the lane is dry.\""}},
         3},
    };
    for (const Case& c : cases) {
        Check(c);
    }
}

TEST(SpeakerHinter, resolves_pronouns_by_sex_and_narration) {
    const auto couple = Slots({"MR. PALMER", "MRS. JENNINGS", "MISS STEELE"});
    const Case cases[] = {
        {"she is the woman of the two",
         couple,
         {{"\"Good day,\" said Mr. Palmer.", 1},
          {"\"Good day,\" said Mrs. Jennings.", 2},
          {"\"Well,\" said Mr. Palmer.", 1},
          {"\"You are late,\" said she."}},
         2},
        {"he is the man of the two",
         couple,
         {{"\"Good day,\" said Mrs. Jennings.", 2},
          {"\"Good day,\" said Mr. Palmer.", 1},
          {"\"Well,\" said Mrs. Jennings.", 2},
          {"\"You are early,\" he said."}},
         1},
        {"her answer is hers",
         couple,
         {{"\"Good day,\" said Mrs. Jennings.", 2},
          {"\"Good day,\" said Mr. Palmer.", 1},
          {"\"Well,\" said Mrs. Jennings.", 2},
          {"\"Indeed,\" was her answer."}},
         2},
        {"the old woman is the woman of the three, though the other party is a man",
         couple,
         {{"\"Good day,\" said Mrs. Jennings.", 2},
          {"\"Good day,\" said Mr. Palmer.", 1},
          {"\"Good day,\" said Miss Steele.", 3},
          {"\"You are late,\" said the old woman."}},
         2},
        {"the old woman is not the woman who just spoke",
         couple,
         {{"\"Good day,\" said Mr. Palmer.", 1},
          {"\"Good day,\" said Mrs. Jennings.", 2},
          {"\"You are late,\" said the old woman."}},
         1},
        {"a clergyman is a man, though the other party is a woman",
         couple,
         {{"\"Good day,\" said Mr. Palmer.", 1},
          {"\"Good day,\" said Mrs. Jennings.", 2},
          {"\"Good day,\" said Miss Steele.", 3},
          {"\"You are late,\" said the clergyman."}},
         1},
        {"the woman the narration just named",
         couple,
         {{"\"Good day,\" said Mr. Palmer.", 1},
          {"\"Good day,\" said Mrs. Jennings.", 2},
          {"Miss Steele came in with her parcels.", 0},
          {"\"I am so tired,\" she said."}},
         3},
        {"not the man a he of the narration looked at",
         Slots({"MR. PALMER", "MRS. JENNINGS", "MR. ELTON"}),
         {{"\"Good day,\" said Mr. Palmer.", 1},
          {"\"Good day,\" said Mrs. Jennings.", 2},
          {"Mr. Palmer sat down. Then he looked across at Mr. Elton.", 0},
          {"\"Well,\" he said."}},
         1},
        {"the man the narration names last",
         Slots({"MR. PALMER", "MRS. JENNINGS", "MR. ELTON"}),
         {{"\"Good day,\" said Mr. Palmer.", 1},
          {"\"Good day,\" said Mrs. Jennings.", 2},
          {"Mr. Palmer sat down. Then Mrs. Jennings looked across at Mr. Elton.", 0},
          {"\"Well,\" he said."}},
         3},
        {"the last named, whose sex is not known yet",
         Slots({"MR. PALMER", "MRS. JENNINGS", "HOLMES"}),
         {{"\"Good day,\" said Mr. Palmer.", 1},
          {"\"Good day,\" said Mrs. Jennings.", 2},
          {"Holmes rose and went to the window.", 0},
          {"\"Well,\" he said."}},
         3},
        {"one named earlier, whose sex is not known yet",
         Slots({"MR. PALMER", "MRS. JENNINGS", "HOLMES"}),
         {{"\"Good day,\" said Mr. Palmer.", 1},
          {"\"Good day,\" said Mrs. Jennings.", 2},
          {"Holmes rose, and Mr. Palmer watched the window.", 0},
          {"\"Well,\" he said."}},
         1},
        {"not the one the tag says she speaks to",
         couple,
         {{"\"Good day,\" said Mrs. Jennings.", 2},
          {"\"Good day,\" said Miss Steele.", 3},
          {"\"Is it late?\" said she to Mrs. Jennings."}},
         3},
        {"a name with a man's title is no she",
         Slots({"MR. PALMER", "MRS. JENNINGS", "LUCAS"}),
         {{"\"Good day,\" said Mr. Palmer.", 1},
          {"\"Good day,\" said Mrs. Jennings.", 2},
          {"Sir John Lucas came in.", 0},
          {"\"Well,\" she said."}},
         2},
        {"the conversation's people of unknown sex before a woman who spoke long ago",
         kFamily,
         {{"\"Good day,\" said Mrs. Jennings.", 4},
          {"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" said Marianne.", 2},
          {"\"The lane is dry.\"", 1},
          {"\"And the hill?\"", 2},
          {"\"Dry too.\"", 1},
          {"\"Then let us go.\"", 2},
          {"\"Well,\" said she."}},
         1},
        {"no one in the conversation is a he: the last man to speak",
         Slots({"MR. PALMER", "MRS. JENNINGS", "MISS STEELE"}),
         {{"\"Good day,\" said Mr. Palmer.", 1},
          {"\"Good day,\" said Mrs. Jennings.", 2},
          {"\"Good day,\" said Miss Steele.", 3},
          {"\"Well,\" said Mrs. Jennings.", 2},
          {"\"Well,\" said Miss Steele.", 3},
          {"\"Well,\" said Mrs. Jennings.", 2},
          {"\"Well,\" said Miss Steele.", 3},
          {"\"Well,\" said Mrs. Jennings.", 2},
          {"\"Well,\" said Miss Steele.", 3},
          {"\"Enough,\" he said."}},
         1},
    };
    for (const Case& c : cases) {
        Check(c);
    }
}

TEST(SpeakerHinter, resolves_pronouns_in_the_scene) {
    const auto women = Slots({"MRS. JENNINGS", "MISS STEELE", "MR. PALMER", "COLONEL BRANDON"});
    const Case cases[] = {
        // After narration that names no one, "she" is the last speaker going on.
        {"after narration the last speaker goes on",
         women,
         {{"\"Good day,\" said Mrs. Jennings.", 1},
          {"\"Good day,\" said Miss Steele.", 2},
          {"She paused, and looked out of the window for a long while.", 0},
          {"\"It is late,\" she said."}},
         2},
        {"straight on, the other party answers",
         women,
         {{"\"Good day,\" said Mrs. Jennings.", 1},
          {"\"Good day,\" said Miss Steele.", 2},
          {"\"It is late,\" she said."}},
         1},
        // Two men talk; the woman the narration named between their lines is in the scene.
        {"one the narration named between the lines",
         women,
         {{"\"Good day,\" said Mrs. Jennings.", 1},
          {"\"Good day,\" said Mr. Palmer.", 3},
          {"\"Good day,\" said Colonel Brandon.", 4},
          {"\"Well,\" said Mr. Palmer.", 3},
          {"Miss Steele sat by the fire with her work.", 0},
          {"\"Well,\" said Colonel Brandon.", 4},
          {"\"Indeed,\" said Mr. Palmer.", 3},
          {"\"Quite,\" said Colonel Brandon.", 4},
          {"\"Is it?\" said she."}},
         2},
    };
    for (const Case& c : cases) {
        Check(c);
    }
}

TEST(SpeakerHinter, sets_apart_quoted_phrases_in_narration) {
    const auto names = Slots({"ELINOR", "EDWARD FERRARS", "NARRATOR"});
    const Case cases[] = {
        {"a phrase quoted in narration",
         names,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 2},
          {"The house was what the neighbours called \"a cottage\", though it had eight rooms."}},
         3},
        {"lines of verse indented",
         names,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 2},
          {"\"The rain it raineth every day,\r\n    Upon the just and unjust fellow.\""}},
         3},
        // Counter-case: narration that is an action of a speaker before her speech.
        {"an action before the speech",
         names,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 2},
          {"Elinor smiled at him. \"Then let us go now.\""}},
         1},
        // Counter-case: narration that leads into a speech, and names its speaker.
        {"narration that leads into a speech",
         names,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 2},
          {"It was Edward who broke the silence, after a while, with a smile: \"The lane will "
           "be dry by noon.\""}},
         2},
        {"a dash before the speech is no narration",
         names,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 2},
          {"--\"Then let us go now.\""}},
         1},
        {"a speech whose lines are set as the first is",
         names,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 2},
          {"  \"The rain it raineth every day,\r\n  and the lane is wet.\""}},
         1},
    };
    for (const Case& c : cases) {
        Check(c);
    }
}

// An action beside the quotation makes a paragraph that opens with narration no aside,
// unless narration is most of it.
TEST(SpeakerHinter, keeps_the_aside_of_narration_that_quotes_beside_an_action) {
    const auto names = Slots({"ELINOR", "EDWARD FERRARS", "NARRATOR"});
    const std::string action =
        "Edward only smiled, \"Perhaps, perhaps not,\" and looked out at the rain.";
    const std::string story =
        "Elinor sat with her sister as long as she could, and tried to raise her spirits by every "
        "means she had. She talked of the weather, of the garden, and of the letters that were "
        "sure to come from town before the week was out; but " +
        action;
    for (const auto& [last, aside] : {std::pair{action, false}, std::pair{story, true}}) {
        SCOPED_TRACE(last);
        const Replay replay(names, {{"\"Shall we walk?\" said Elinor.", 1}, {last}});
        SpeakerHinter hinter;
        replay.ConfirmAllButLast(hinter);
        const HintEvidence weighed = replay.WeighLast(hinter);
        EXPECT_TRUE(weighed.slots.Any({Evidence::kBeatName, Evidence::kBeatPronoun}));
        EXPECT_EQ(weighed.slots.Of(3).Has(Evidence::kNarratorAside), aside);
    }
}

// Where no slot holds NARRATOR, the paragraphs the narrator's quoted-word and verse rules set
// apart are guessed to be no dialogue; where one does, that slot is guessed, as the user
// names such lines. Other narration before a speech guesses a speaker either way.
TEST(SpeakerHinter, guesses_not_dialogue_where_no_slot_holds_narrator) {
    const std::vector<Paragraph> before = {{"\"Shall we walk?\" said Elinor.", 1},
                                           {"\"If you like,\" replied Edward.", 2}};
    struct NotDialogueCase {
        const char* label;
        std::string paragraph;
        bool notDialogue;  // without a NARRATOR slot
        bool narrator;     // with one: the NARRATOR slot is guessed
    };
    const NotDialogueCase cases[] = {
        {"a word quoted in a sentence", "Their house was a \"cottage\" of eight rooms.", true,
         true},
        {"lines of verse indented",
         "\"The rain it raineth every day,\r\n    Upon the just and unjust fellow.\"", true, true},
        // The narration opening the paragraph alone is too often a speaker's own.
        {"narration before the quotes",
         "The house was what the neighbours called \"a cottage\", though it had eight rooms.",
         false, true},
        {"an action before the speech", "Elinor smiled at him. \"Then let us go now.\"", false,
         false},
        {"a speech", "\"Then let us go now.\"", false, false},
    };
    for (const NotDialogueCase& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<Paragraph> paragraphs = before;
        paragraphs.push_back({c.paragraph});
        SpeakerHinter hinter;
        const Replay withoutNarrator(Slots({"ELINOR", "EDWARD FERRARS"}), paragraphs);
        withoutNarrator.ConfirmAllButLast(hinter);
        const SpeakerGuess guess = withoutNarrator.GuessLast(hinter);
        EXPECT_EQ(guess.notDialogue, c.notDialogue);
        if (c.notDialogue) {
            EXPECT_EQ(guess.slot, 0);
            EXPECT_STREQ(guess.rule, "not dialogue");
        } else {
            EXPECT_NE(guess.slot, 0);
        }
        const Replay withNarrator(Slots({"ELINOR", "EDWARD FERRARS", "NARRATOR"}), paragraphs);
        const SpeakerGuess named = withNarrator.GuessLast(hinter);
        EXPECT_FALSE(named.notDialogue);
        EXPECT_EQ(named.slot == 3, c.narrator);
    }
}

// A paragraph written as narration is learned as the narrator's: it takes no turn, and it
// is taken back as a named line is.
TEST(SpeakerHinter, learns_a_paragraph_that_is_not_dialogue_as_the_narrators) {
    const std::vector<Paragraph> paragraphs = {{"\"Shall we walk?\" said Elinor.", 1},
                                               {"\"If you like,\" replied Edward.", 2},
                                               {"Their house was a \"cottage\" of eight rooms.", 3},
                                               {"\"Then let us go now.\""}};
    const auto names = Slots({"ELINOR", "EDWARD FERRARS"});
    const Replay replay(names, paragraphs);
    const Replay named(Slots({"ELINOR", "EDWARD FERRARS", "NARRATOR"}), paragraphs);
    SpeakerHinter asNarrator;
    named.ConfirmAllButLast(asNarrator);

    SpeakerHinter hinter;
    // The first two as named, the third written as narration.
    Replay(names, {paragraphs[0], paragraphs[1], {paragraphs[2].text}}).ConfirmAllButLast(hinter);
    const SpeakerGuess before = replay.GuessLast(hinter);
    const std::size_t thirdBegin = paragraphs[0].text.size() + paragraphs[1].text.size() + 8;
    hinter.ConfirmNotDialogue(names, NovelOf(paragraphs), thirdBegin,
                              thirdBegin + paragraphs[2].text.size());
    EXPECT_EQ(hinter.ConfirmedCount(), 3U);
    EXPECT_EQ(replay.GuessLast(hinter).slot, 1) << "Elinor's turn: the narrator took none";
    EXPECT_EQ(replay.GuessLast(hinter).slot, named.GuessLast(asNarrator).slot);
    hinter.Retract();
    EXPECT_EQ(hinter.ConfirmedCount(), 2U);
    EXPECT_EQ(replay.GuessLast(hinter).slot, before.slot);
}

// What the user named teaches the hinter what the text's words stand for.
TEST(SpeakerHinter, learns_from_the_lines_named) {
    const auto names = Slots({"ELINOR", "EDWARD FERRARS", "THE STRANGER"});
    struct Learning {
        const char* label;
        std::vector<Paragraph> taught;  // named lines that teach
        std::vector<Paragraph> scene;   // then a conversation, its last line guessed
        int expected;
    };
    const Learning cases[] = {
        {"a description names whom it meant",
         {{"\"Good evening,\" said the old gentleman.", 3}},
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 2},
          {"\"A fine evening,\" said the old gentleman."}},
         3},
        {"a longer description begins with a learned one",
         {{"\"Good evening,\" said the old gentleman.", 3}},
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 2},
          {"\"A fine evening,\" said the old gentleman greatly pleased."}},
         3},
        {"the narrator's I",
         {{"\"Good evening,\" I said.", 3}},
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 2},
          {"\"A fine evening,\" I said."}},
         3},
        {"a pronoun tells the sex of a name without a title",
         {{"\"Good evening,\" said she.", 1}, {"\"Good evening,\" said he.", 2}},
         {{"\"Shall we walk?\" said Edward.", 2},
          {"\"If you like,\" replied Elinor.", 1},
          {"\"Then let us go,\" said she."}},
         1},
        {"a name the user gave a slot, said to them",
         {{"\"Good evening,\" said Ned.", 2}, {"\"Good night,\" said Ned.", 2}},
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" said the stranger.", 3},
          {"\"Ned, will you come?\" said Elinor.", 1},
          {"\"Gladly.\""}},
         2},
        {"a name the user gave a slot, in the narration",
         {{"\"Good evening,\" said Ned.", 2},
          {"\"Good night,\" said Ned.", 2},
          {"\"Good evening,\" said she.", 1}},
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" said the stranger.", 3},
          {"Ned rose and went to the door.", 0},
          {"\"Then come,\" he said."}},
         2},
        {"a form of address only one speaker uses",
         {{"\"Yes, papa.\"", 1}, {"\"No, papa.\"", 1}, {"\"Well, papa!\"", 1}},
         {{"\"Shall we walk?\" said Edward.", 2},
          {"\"If you like,\" replied the stranger.", 3},
          {"\"I think so, papa.\""}},
         1},
    };
    for (const Learning& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<Paragraph> all = c.taught;
        all.insert(all.end(), c.scene.begin(), c.scene.end());
        const Replay taught(names, all);
        SpeakerHinter hinter;
        taught.ConfirmAllButLast(hinter);
        EXPECT_EQ(taught.GuessLast(hinter).slot, c.expected);

        // Counter-case: the same scene without the lines that teach.
        const Replay untaught(names, c.scene);
        SpeakerHinter fresh;
        untaught.ConfirmAllButLast(fresh);
        EXPECT_NE(untaught.GuessLast(fresh).slot, c.expected);
    }
}

TEST(SpeakerHinter, offers_again_a_speaker_whose_slot_was_reused) {
    struct Reuse {
        const char* label;
        const char* firstTag;  // the first line, named in slot 3 as named
        const char* named;
        const char* lastTag;  // the line guessed once slot 3 holds someone else
        const char* offered;
        const char* offeredUntaught;  // when the first line was never named
    };
    const Reuse cases[] = {
        {"by a word of the name", "said Harriet", "HARRIET SMITH", "said Harriet", "HARRIET SMITH",
         "HARRIET"},
        {"by what the phrase was named", "said Lucy", "MISS HONEYCHURCH", "said Lucy",
         "MISS HONEYCHURCH", "LUCY"},
    };
    for (const Reuse& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string first = std::string("\"Good evening,\" ") + c.firstTag + ".";
        const std::string second = "\"Good evening,\" said the stranger.";
        const std::string last = std::string("\"Good night,\" ") + c.lastTag + ".";
        std::string text = first;
        text += "\r\n\r\n";
        text += second;
        text += "\r\n\r\n";
        text += last;
        const std::size_t secondBegin = first.size() + 4;
        const std::size_t lastBegin = secondBegin + second.size() + 4;
        const auto before = Slots({"ELINOR", "EDWARD FERRARS", c.named});
        const auto after = Slots({"ELINOR", "EDWARD FERRARS", "THE STRANGER"});

        SpeakerHinter hinter;
        hinter.Confirm(before, text, 0, first.size(), 3);
        hinter.Confirm(after, text, secondBegin, secondBegin + second.size(), 3);
        EXPECT_EQ(hinter.Guess(after, text, lastBegin, text.size()).newName, c.offered);

        SpeakerHinter untaught;
        untaught.Confirm(after, text, secondBegin, secondBegin + second.size(), 3);
        EXPECT_EQ(untaught.Guess(after, text, lastBegin, text.size()).newName, c.offeredUntaught);
    }
}

// The next paragraph's tag names who speaks next, and so, seldom, who speaks this line.
TEST(SpeakerHinter, reads_ahead_to_the_tag_of_the_next_speech) {
    const Case cases[] = {
        {"the next speech is tagged with the one whose turn it was",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"\"Then let us go now.\""},
          {"\"Very well,\" said Elinor."}},
         3},
        // Counter-cases: the next tag says nothing of this line.
        {"narration opens the next paragraph",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"\"Then let us go now.\""},
          {"Elinor rose and said, \"Very well.\""}},
         1},
        {"this speech runs on into the next paragraph",
         kFamily,
         {{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 3},
          {"\"Then let us go now, before the rain"},
          {"\"comes on,\" said Elinor."}},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const Replay replay(c.names, c.paragraphs);
        SpeakerHinter hinter;
        replay.ConfirmAllButLast(hinter);
        EXPECT_EQ(replay.GuessBeforeLast(hinter).slot, c.expected);
    }
}

// Each guess names the evidence that decided it, as the table of evidence calls it.
TEST(SpeakerHinter, names_the_evidence_that_decided) {
    const auto names = Slots({"ELINOR", "EDWARD FERRARS", "NARRATOR"});
    struct Named {
        std::vector<Paragraph> paragraphs;
        const char* rule;
    };
    const Named cases[] = {
        {{{"\"Shall we walk?\" said Elinor."}}, "tag"},
        {{{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 2},
          {"\"Then let us go now.\""}},
         "turn"},
        {{{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward. \"The lane is dry, and the hill", 2},
          {"\"will give us a view.\""}},
         "continued"},
        {{{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 2},
          {"Their house was a \"cottage\" of eight rooms."}},
         "quoted"},
        {{{"\"Shall we walk?\" said Elinor.", 1},
          {"\"If you like,\" replied Edward.", 2},
          {"The rain had stopped, and Edward, at the window, spoke again at last: \"The lane "
           "will be dry by noon.\""}},
         "intro"},
        {{{"\"Come in,\" said Fanny."}}, "new name"},
    };
    for (const Named& c : cases) {
        SCOPED_TRACE(c.rule);
        const Replay replay(names, c.paragraphs);
        SpeakerHinter hinter;
        replay.ConfirmAllButLast(hinter);
        const SpeakerGuess guess = replay.GuessLast(hinter);
        EXPECT_STREQ(guess.rule, c.rule);
        // The evidence behind the guess weighs most for the slot guessed.
        const HintEvidence weighed = replay.WeighLast(hinter);
        EXPECT_EQ(weighed.newName, guess.newName);
        if (guess.slot != 0) {
            EXPECT_EQ(weighed.slots.Best(names).slot, guess.slot);
            EXPECT_EQ(KindOf(weighed.slots.Of(guess.slot).Strongest()).name, guess.rule);
        }
    }
}

TEST(SpeakerHinter, retract_restores_what_was_learned) {
    const auto names = Slots({"ELINOR", "EDWARD FERRARS", "THE STRANGER"});
    const Replay replay(names, {{"\"Shall we walk?\" said Elinor.", 1},
                                {"\"If you like,\" replied Edward.", 2},
                                {"\"A fine evening,\" said the old gentleman."}});
    SpeakerHinter hinter;
    replay.ConfirmAllButLast(hinter);
    const SpeakerGuess before = replay.GuessLast(hinter);
    ASSERT_NE(before.slot, 3);
    ASSERT_EQ(hinter.ConfirmedCount(), 2U);

    // Naming the line teaches "the old gentleman"; asking again (as after an undo and a
    // second look) then gives that slot, and taking it back gives the first guess again.
    replay.ConfirmLast(hinter, 3);
    EXPECT_EQ(hinter.ConfirmedCount(), 3U);
    EXPECT_EQ(replay.GuessLast(hinter).slot, 3);
    hinter.Retract();
    EXPECT_EQ(hinter.ConfirmedCount(), 2U);
    EXPECT_EQ(replay.GuessLast(hinter).slot, before.slot);
    EXPECT_EQ(replay.GuessLast(hinter).newName, before.newName);

    // Taking back every line, and once more than there are, leaves a hinter as new.
    hinter.Retract();
    hinter.Retract();
    hinter.Retract();
    EXPECT_EQ(hinter.ConfirmedCount(), 0U);
    EXPECT_EQ(replay.GuessLast(hinter).slot, SpeakerHinter().Guess(names, "", 0, 0).slot);
}

// A text without blank lines is one paragraph of megabytes: the tag at its start is still
// read, and positions beyond the text are read as an empty paragraph at its end.
TEST(SpeakerHinter, reads_only_the_start_of_a_huge_paragraph) {
    std::string text = "\"Come in,\" said Elinor. ";
    while (text.size() < 3'000'000) {
        text += "The rain went on and on over the fields and the lane. ";
    }
    const auto names = Slots({"MARIANNE", "ELINOR"});
    SpeakerHinter hinter;
    EXPECT_EQ(hinter.Guess(names, text, 0, text.size()).slot, 2);
    hinter.Confirm(names, text, 0, text.size(), 2);
    EXPECT_EQ(hinter.Guess(names, text, text.size() + 10, text.size() + 20).slot,
              hinter.Guess(names, text, text.size(), text.size()).slot);
}

}  // namespace
}  // namespace velmora
