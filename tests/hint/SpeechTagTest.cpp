#include "hint/SpeechTag.h"

#include "text/QuoteSplitter.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

struct Case {
    const char* label;
    std::string paragraph;  // its narration is what is asked about
    bool onlyTag;
};

TEST(SpeechTag, tells_a_bare_speech_tag_from_narration_that_is_more) {
    const Case cases[] = {
        {"verb then name", "\"It is late,\" said Emma.", true},
        {"name then verb", "\"It is late,\" Emma said.", true},
        {"pronoun then verb", "\"It is late,\" he replied.", true},
        {"verb then pronoun", "\"It is late,\" said she.", true},
        {"the narrator", "\"It is late,\" I said.", true},
        {"a description", "\"It is late,\" cried the old man.", true},
        {"a description before the verb", "\"It is late,\" the old man cried.", true},
        {"a titled name", "\"It is late,\" said Mr. Knightley.", true},
        {"a particle before the name", "\"It is late,\" put in Freddy.", true},
        {"a particle after the verb", "\"It is late,\" he went on.", true},
        {"the speech named as hers", "\"It is late,\" was her answer.", true},
        {"the speech named as a name's", "\"It is late,\" was Mr. Palmer's reply.", true},
        {"between two parts of a speech", "\"It is late,\" said Emma, \"and cold.\"", true},
        {"leading into the speech", "Emma said, \"It is late.\"", true},
        {"a dash around the tag", "\"It is late\"--said Emma--\"and cold.\"", true},
        {"a UTF-8 dash", "\"It is late\"\xE2\x80\x94said Emma.", true},
        {"a Windows-1252 dash", "\"It is late\"\x97said Emma.", true},
        // More than a tag.
        {"whom it is said to", "\"It is late,\" said Emma to Harriet.", false},
        {"an adverb", "\"It is late,\" he said quietly.", false},
        {"an adverb before the verb", "\"It is late,\" he hastily exclaimed.", false},
        {"an adverb after a description", "\"It is late,\" cried his wife impatiently.", false},
        {"a description, then an adverb", "\"It is late,\" the old man slowly said.", false},
        {"an action after the tag", "\"It is late,\" she said, smiling.", false},
        {"an action after a name", "\"It is late,\" said Emma, rising.", false},
        {"a description with a place", "\"It is late,\" said the man at the door.", false},
        {"a manner, no speaker", "\"It is late,\" said in a whisper.", false},
        {"two tags", "\"It is late,\" said Emma. \"Yes,\" said Jane.", false},
        {"a thought is not spoken", "\"It is late,\" Emma thought.", false},
        {"an action alone", "Emma rose. \"It is late.\"", false},
        {"a sentence of narration", "\"It is late.\" The clock struck ten.", false},
        {"no narration at all", "\"It is late.\"", false},
        {"a name alone", "\"It is late,\" Emma.", false},
        {"a verb alone", "\"It is late,\" said.", false},
        {"was, but not a speech", "\"Who is it?\" It was her mother.", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(IsOnlySpeechTag(ExtractNarration(c.paragraph)), c.onlyTag)
            << "narration: [" << ExtractNarration(c.paragraph) << "]";
    }
}

TEST(SpeechTag, reads_only_a_short_narration) {
    std::string narration = "said Emma";
    EXPECT_TRUE(IsOnlySpeechTag(narration));
    narration.append(3'000'000, ' ');
    EXPECT_TRUE(IsOnlySpeechTag(narration));
    narration.insert(0, 3'000'000, ',');
    EXPECT_FALSE(IsOnlySpeechTag(narration));
}

}  // namespace
}  // namespace velmora
