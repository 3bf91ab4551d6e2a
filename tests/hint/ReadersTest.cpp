// The hint's readers on their own: words, names and speech tags.
#include "hint/Paragraph.h"
#include "hint/SlotNames.h"
#include "hint/SpeechTagReader.h"
#include "hint/Tokenizer.h"
#include "hint/Words.h"
#include "text/NameSlots.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

TEST(Tokenizer, keeps_what_the_rules_need_of_each_word) {
    const std::vector<Token> tokens = Tokenize("Mr. Palmer's \"dog,\" he said--don't! Caf\xE9");
    ASSERT_EQ(tokens.size(), 7U);
    struct Expected {
        const char* word;
        bool capital;
        int segment;
        char after;
        bool possessive;
        bool quoteAfter;
    };
    const Expected expected[] = {
        {"mr", true, 0, '.', false, false},       {"palmer", true, 0, '"', true, true},
        {"dog", false, 1, ',', false, true},      {"he", false, 2, 's', false, false},
        {"said", false, 2, '-', false, false},    {"don't", false, 2, '!', false, false},
        {"caf\xE9", true, 2, '\0', false, false},
    };
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        SCOPED_TRACE(expected[i].word);
        EXPECT_EQ(tokens[i].word, expected[i].word);
        EXPECT_EQ(tokens[i].capital, expected[i].capital);
        EXPECT_EQ(tokens[i].segment, expected[i].segment);
        EXPECT_EQ(tokens[i].after, expected[i].after);
        EXPECT_EQ(tokens[i].possessive, expected[i].possessive);
        EXPECT_EQ(tokens[i].quoteAfter, expected[i].quoteAfter);
    }
    // A title's full stop ends no sentence; another word's does.
    EXPECT_FALSE(EndsSentence(tokens[0]));
    EXPECT_TRUE(EndsSentence(Tokenize("Palmer.").front()));
    EXPECT_TRUE(EndsClause(tokens[4]));
    EXPECT_FALSE(EndsClause(tokens[3]));
}

TEST(SlotNames, score_how_well_words_name_a_slot) {
    const std::vector<std::string> names = {"MRS. DASHWOOD", "COLONEL BRANDON", "THE WIFE",
                                            "NOAH CLAYPOLE", ""};
    const std::vector<SlotName> slots = ReadSlotNames(names);
    EXPECT_EQ(slots[0].titled, Sex::kFemale);
    EXPECT_EQ(slots[1].titled, Sex::kUnknown);
    EXPECT_EQ(SlotOf(slots, "COLONEL BRANDON"), 2);
    EXPECT_EQ(SlotOf(slots, ""), 0);
    struct Case {
        const char* words;
        int slot;  // 1-based
        int score;
    };
    const Case cases[] = {
        {"Mrs. Dashwood", 1, 3}, {"Dashwood", 1, 2}, {"Miss Dashwood", 1, 0}, {"the colonel", 2, 2},
        {"the major", 2, 0},     {"Brandon", 2, 2},  {"his wife", 3, 2},      {"his sister", 3, 0},
        {"Mr. Claypole", 4, 2},  {"claypole", 4, 0}, {"Noah Claypole", 4, 3}, {"Noah", 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        const std::vector<Token> tokens = Tokenize(c.words);
        EXPECT_EQ(NameScore(slots[SlotIndex(c.slot)], tokens, 0, tokens.size()), c.score);
    }
    // Of two names as good, the one in the conversation.
    const std::vector<SlotName> twins = ReadSlotNames(std::vector<std::string>{"JOHN", "JOHN"});
    const std::vector<Token> john = Tokenize("John");
    const Phrase phrase{0, 1, "john", false, true};
    EXPECT_EQ(BestName(twins, john, phrase, {}).first, 1);
    EXPECT_EQ(BestName(twins, john, phrase, {2}).first, 2);
}

TEST(SpeechTagReader, reads_the_tag_of_a_paragraph) {
    struct Case {
        const char* paragraph;
        const char* phrase;  // empty: no tag
        bool spoken;
        const char* listener;  // empty: none
    };
    const Case cases[] = {
        {"\"Yes,\" said Emma.", "emma", true, ""},
        {"\"Yes,\" Emma said.", "emma", true, ""},
        {"\"Yes,\" said she to Harriet.", "she", true, "harriet"},
        {"\"Yes,\" cried out Mrs. Lynde.", "mrs lynde", true, ""},
        {"\"Yes,\" was Mr. Palmer's reply.", "mr palmer", true, ""},
        {"\"Yes,\" was her answer.", "she", true, ""},
        // The verb far from the subject: an action that names her, not a tag.
        {"Emma turned to Harriet and said, \"Yes.\"", "emma", false, "harriet"},
        {"Suddenly he hastily exclaimed, \"Yes.\"", "he", true, ""},
        {"Emma nodded. \"Yes.\"", "emma", false, ""},
        {"\"Yes.\"", "", false, ""},
        {"\"Yes,\" and so on.", "", false, ""},
        {"\"Yes,\" he said, \"and no,\" said Emma.", "he", true, ""},
        {"Mrs. Weston came in. \"Well,\" she said.", "she", true, ""},
        {"\"Yes,\" queried Anne.", "anne", true, ""},
        {"\"Yes.\" Anne nodded.", "anne", false, ""},
        // A semicolon joins two parts of one sentence: its subject may stand before it.
        {"Emma put down her work; and, turning round, said, \"Yes.\"", "emma", false, ""},
        {"Emma looked up; then said quietly, \"Yes.\"", "emma", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paragraph);
        const std::string text = c.paragraph;
        const auto tag = FindTag(ReadParagraph(text, 0, text.size()));
        if (*c.phrase == '\0') {
            EXPECT_FALSE(tag.has_value());
            continue;
        }
        ASSERT_TRUE(tag.has_value());
        EXPECT_EQ(tag->phrase.text, c.phrase);
        EXPECT_EQ(tag->spoken, c.spoken);
        EXPECT_EQ(tag->listener ? tag->listener->text : "", c.listener);
    }
}

TEST(SpeechTagReader, reads_a_tag_leading_in_from_the_narration_before) {
    const std::string text = "Soon afterwards he began again,\r\n\r\n\"It is late.\"";
    const std::size_t begin = text.find('"');
    const Paragraph paragraph = ReadParagraph(text, begin, text.size());
    const TagReading reading =
        ReadTag(paragraph, text, NarrationBetween(text, 0, begin), text.size());
    ASSERT_TRUE(reading.tag.has_value());
    EXPECT_TRUE(reading.joined.has_value());
    EXPECT_EQ(reading.tag->phrase.text, "he");
    EXPECT_TRUE(reading.tag->spoken);

    // Narration that ends its sentence leads into nothing.
    const std::string closed = "Soon afterwards he began again.\r\n\r\n\"It is late.\"";
    const std::size_t at = closed.find('"');
    const TagReading none = ReadTag(ReadParagraph(closed, at, closed.size()), closed,
                                    NarrationBetween(closed, 0, at), closed.size());
    EXPECT_FALSE(none.tag.has_value());
}

TEST(Paragraph, finds_the_narration_between_two_lines) {
    const std::string text = "\"One.\"\r\n\r\nThe rain fell.\r\n\r\n\"Two.\"";
    const std::size_t second = text.rfind('"', text.size() - 2);
    EXPECT_EQ(NarrationBetween(text, 6, second), "The rain fell.");
    EXPECT_EQ(NarrationBetween(text, second, second), "");
    // Lines out of order, or past the end of the text, have none between them.
    EXPECT_EQ(NarrationBetween(text, second, 6), "");
    EXPECT_EQ(NarrationBetween(text, text.size() + 5, text.size() + 9), "");
}

TEST(Paragraph, finds_the_paragraph_that_follows) {
    const std::string text = "\"One.\"\r\n\r\n\"Two,\" said Emma.";
    const Bounds next = NextParagraph(text, 6);
    EXPECT_EQ(text.substr(next.begin, next.end - next.begin), "\"Two,\" said Emma.");
    // The last paragraph, and a position past the text, have none after them.
    EXPECT_EQ(NextParagraph(text, text.size()).begin, NextParagraph(text, text.size()).end);
    EXPECT_EQ(NextParagraph(text, text.size() + 4).begin, text.size());
}

TEST(Paragraph, tells_how_its_speech_ends) {
    struct Case {
        const char* paragraph;
        bool leftOpen;
        bool question;
        bool startsWithQuote;
    };
    const Case cases[] = {
        {"\"Is it late?\" said Emma.", false, true, true},
        {"\"It is late,\" said Emma. \"And the", true, false, true},
        {"--\"It is late.\"", false, false, true},
        {"Emma said, \"Is it?\"", false, true, false},
        {"No quotation at all?", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paragraph);
        const std::string text = c.paragraph;
        EXPECT_EQ(LeftOpen(text, 0, text.size()), c.leftOpen);
        EXPECT_EQ(EndsWithQuestion(text, 0, text.size()), c.question);
        EXPECT_EQ(ReadParagraph(text, 0, text.size()).startsWithQuote, c.startsWithQuote);
    }
}

TEST(Paragraph, tells_narration_that_leads_into_a_speech) {
    const std::string longNarration =
        "Emma sat with her friend as long as she could, and tried to raise her spirits by every "
        "means she had. She talked of the weather, of the garden, and of the letters that were "
        "sure to come from town before the week was out; ";
    struct Case {
        std::string paragraph;
        bool introduces;
        bool mostlyNarration;
    };
    const Case cases[] = {
        {"Then she added, in a whisper, \"I named no names, you will observe.\"", true, false},
        {"She turned to him: \"We will all go to the ball tonight!\"", true, false},
        {"He asked, \"Shall we all go to the ball tonight?\" and smiled.", true, false},
        // A phrase, not a speech: too short, not set off, or no sentence.
        {"She added, \"Very true.\"", false, false},
        {"He called it \"a cottage of eight rooms for the family\" once.", false, false},
        {"She began, \"If you would only listen to me for", false, false},
        {"She began, \"if you would only listen to me\" and stopped", false, false},
        // A paragraph that opens with the speech has no narration leading into it.
        {"\"I named no names, you will observe,\" she said.", false, false},
        {longNarration + "but Harriet said \"perhaps\" and looked at the rain.", false, true},
        {longNarration + "but Harriet said, \"Perhaps it will rain all the week.\"", true, true},
        // Not most of it: as many words quoted as a third of the narration, or too few words.
        {longNarration + "but Harriet said, \"Perhaps it will rain all the week, and the "
                         "lane will be too wet for walking, and we shall sit here and talk.\"",
         true, false},
        {"Emma talked of the weather, and Harriet said \"perhaps\" and looked at the rain.", false,
         false},
        {"\"Perhaps,\" said Harriet. " + longNarration, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paragraph);
        const Paragraph paragraph = ReadParagraph(c.paragraph, 0, c.paragraph.size());
        EXPECT_EQ(IntroducesSpeech(paragraph), c.introduces);
        EXPECT_EQ(MostlyNarration(paragraph), c.mostlyNarration);
    }
}

TEST(Words, tell_the_sex_of_a_noun_for_a_person) {
    struct Case {
        const char* word;
        Sex sex;
    };
    const Case cases[] = {
        {"man", Sex::kMale},           {"clergyman", Sex::kMale}, {"boy", Sex::kMale},
        {"father", Sex::kMale},        {"woman", Sex::kFemale},   {"lady", Sex::kFemale},
        {"mother", Sex::kFemale},      {"voice", Sex::kUnknown},  {"stranger", Sex::kUnknown},
        {"men", Sex::kUnknown},        {"ladies", Sex::kUnknown}, {"old", Sex::kUnknown},
        {"washerwoman", Sex::kFemale}, {"chairman", Sex::kMale},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(NounSex(c.word), c.sex);
    }
}

}  // namespace
}  // namespace velmora
