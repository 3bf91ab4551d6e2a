// The exports of a script read back, as the window and velmora-convert make them: the hint's
// speech tags left out in any character set, each file written beside the script, and every
// refusal a clear error that writes nothing.
#include "export/ScriptExport.h"

#include "conversion/ScriptReadBack.h"
#include "export/ExportProblem.h"
#include "platform/FileError.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using test::ReadAll;
using test::TempDir;
using Verdict = EarlierRun::Verdict;

constexpr std::string_view kNovel =
    "It was dark.\r\n\r\n"
    "\"Hello,\" said John, \"how are you?\"\r\n\r\n"
    "\"Well,\" she said, smiling.\r\n\r\n"
    "The end.";

ScriptReadBack ReadBack(const TempDir& dir, Verdict verdict, std::vector<EarlierRun::Step> steps) {
    ScriptReadBack script;
    script.run.verdict = verdict;
    script.run.steps = std::move(steps);
    script.text = kNovel;
    script.textName = "novel.txt";
    script.scriptPath = (dir / "Script.htm").string();
    return script;
}

TEST(HintSpeechTagTest, reads_the_exports_utf8_in_the_texts_character_set) {
    struct Case {
        CharacterSet set;
        std::string_view narration;  // UTF-8, as the exports hold it
        bool isTag;
    };
    const Case cases[] = {
        {CharacterSet::Ascii, "said Emma", true},
        {CharacterSet::Ascii, "he replied", true},
        {CharacterSet::Ascii, "said Emma to Harriet", false},
        {CharacterSet::Windows1252, "said Zo\xC3\xAB", true},
        {CharacterSet::Windows1252, "\xE2\x80\x94said Zo\xC3\xAB\xE2\x80\x94", true},
        {CharacterSet::Windows1252, "said Zo\xC3\xAB, smiling", false},
        {CharacterSet::Utf8, "cried the old man", true},
        {CharacterSet::Utf8, "said Zo\xC3\xAB", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HintSpeechTagTest(c.set)(c.narration), c.isTag) << c.narration;
    }
}

TEST(ScriptExport, writes_each_format_beside_the_script_without_bare_speech_tags) {
    const TempDir dir;
    const ScriptExport exports(ReadBack(dir, Verdict::Finished, {{false, "JOHN"}, {false, "Ann"}}),
                               {});
    for (const ExportFormat format : {ExportFormat::Fountain, ExportFormat::Fdx}) {
        const std::string name = exports.BesideScript(format);
        EXPECT_EQ(name, (dir / std::string(ExportFileName(format))).string());
        EXPECT_EQ(exports.Write(format, name), name);
        const std::string written = ReadAll(name);
        EXPECT_EQ(written.find("said John"), std::string::npos) << written;
        EXPECT_NE(written.find("she said, smiling"), std::string::npos) << written;
        EXPECT_NE(written.find("The end."), std::string::npos) << "finished: " << written;
    }
    EXPECT_EQ(ExportedAs("texts/Script.fdx"), "Exported the script as texts/Script.fdx.");
}

TEST(ScriptExport, refuses_what_is_no_script_of_the_text_and_writes_nothing) {
    const TempDir dir;
    ScriptReadBack other = ReadBack(dir, Verdict::OtherText, {});
    try {
        const ScriptExport exports(other, {});
        FAIL() << "a script of another text is not exported";
    } catch (const ExportProblem& problem) {
        EXPECT_STREQ(problem.what(),
                     "Script.htm was not exported: it is a script of another text.");
    }
    other.run.verdict = Verdict::ChangedText;
    other.run.partsAt = kNovel.find("The end.");
    EXPECT_EQ(NotExported("Script.htm", other.run, kNovel),
              "Script.htm was not exported: it is a script of this text as it was before a "
              "change (they part at line 7 of the text).");
}

TEST(ScriptExport, never_writes_over_what_it_is_made_from_nor_where_it_cannot) {
    const TempDir dir;
    const auto text = dir.Write("novel.txt", kNovel);
    ScriptReadBack script = ReadBack(dir, Verdict::Unfinished, {{false, "JOHN"}});
    script.protect = {IdentityOf(text.string()).value()};
    const ScriptExport exports(script, {});
    EXPECT_THROW((void)exports.Write(ExportFormat::Fountain, text.string()), ExportProblem);
    EXPECT_EQ(ReadAll(text), kNovel);

    const std::string nowhere = (dir / "no such folder" / "Script.fdx").string();
    try {
        (void)exports.Write(ExportFormat::Fdx, nowhere);
        FAIL() << "a folder that is not there takes no export";
    } catch (const FileError& error) {
        EXPECT_NE(error.FileName().find("Script.fdx"), std::string::npos) << error.what();
    }
}

}  // namespace
}  // namespace velmora
