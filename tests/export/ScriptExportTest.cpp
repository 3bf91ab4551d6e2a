// What the exports of a script read back add to the writers: the hint's speech tags asked in
// the text's own character set, and never an export over what the script is made from.
#include "export/ScriptExport.h"

#include "conversion/ScriptReadBack.h"
#include "export/ExportProblem.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(HintSpeechTagTest, reads_the_exports_utf8_in_the_texts_character_set) {
    struct Case {
        CharacterSet set;
        std::string_view narration;  // UTF-8, as the exports hold it
        bool isTag;
    };
    const Case cases[] = {
        {CharacterSet::Ascii, "said Emma", true},
        {CharacterSet::Ascii, "said Emma to Harriet", false},
        {CharacterSet::Windows1252, "said Zo\xC3\xAB", true},
        {CharacterSet::Windows1252, "\xE2\x80\x94said Zo\xC3\xAB\xE2\x80\x94", true},
        {CharacterSet::Windows1252, "said Zo\xC3\xAB, smiling", false},
        {CharacterSet::Utf8, "said Zo\xC3\xAB", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HintSpeechTagTest(c.set)(c.narration), c.isTag) << c.narration;
    }
}

TEST(ScriptExport, never_writes_over_the_files_the_script_is_made_from) {
    const test::TempDir dir;
    const auto text = dir.Write("novel.txt", "\"Hello,\" said John.");
    ScriptReadBack script;
    script.run.verdict = EarlierRun::Verdict::Finished;
    script.text = "\"Hello,\" said John.";
    script.scriptPath = (dir / "Script.htm").string();
    script.protect = {IdentityOf(text.string()).value()};
    const ScriptExport exports(script, {});
    EXPECT_THROW((void)exports.Write(ExportFormat::Fountain, text.string()), ExportProblem);
    EXPECT_EQ(test::ReadAll(text), "\"Hello,\" said John.");
    EXPECT_EQ(exports.BesideScript(ExportFormat::Fdx), (dir / "Script.fdx").string());
}

}  // namespace
}  // namespace velmora
