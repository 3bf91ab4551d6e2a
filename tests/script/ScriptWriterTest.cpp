#include "script/ScreenPlayWriter.h"
#include "script/ScriptWriter.h"
#include "script/StagePlayWriter.h"

#include "platform/File.h"
#include "platform/FileError.h"
#include "tests/support/FileLock.h"
#include "tests/support/FullDisk.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace velmora {
namespace {

using test::CurrentDirectory;
using test::IsLockedElsewhere;
using test::ReadAll;
using test::TempDir;

enum class Format { Screen, Stage };

std::unique_ptr<ScriptWriter> MakeWriter(Format format) {
    if (format == Format::Screen) {
        return std::make_unique<ScreenPlayWriter>();
    }
    return std::make_unique<StagePlayWriter>();
}

enum class Element { Name, Parenthetical, Dialogue, Narration };

void Write(ScriptWriter& writer, Element element, const std::string& text) {
    switch (element) {
    case Element::Name:
        writer.WriteCharacterName(text);
        break;
    case Element::Parenthetical:
        writer.WriteParenthetical(text);
        break;
    case Element::Dialogue:
        writer.WriteDialogue(text);
        break;
    case Element::Narration:
        writer.WriteNarration(text);
        break;
    }
}

// The markup one element produces, without the root tags around it.
std::string Markup(const TempDir& dir, Format format, Element element, const std::string& text) {
    const auto path = dir / "Script.htm";
    const auto writer = MakeWriter(format);
    writer->Open(path.string());
    EXPECT_TRUE(writer->IsOpen());
    Write(*writer, element, text);
    writer->Close();
    const std::string script = ReadAll(path);
    EXPECT_TRUE(script.starts_with("<HTML>") && script.ends_with("</HTML>")) << script;
    return script.size() < 13 ? script : script.substr(6, script.size() - 13);
}

TEST(ScriptWriter, each_format_gives_each_element_its_markup) {
    struct Case {
        const char* label;
        Element element;
        std::string text;
        std::string screen;
        std::string stage;
    };
    const Case cases[] = {
        {"name", Element::Name, "JOHN", "<BR><CENTER>JOHN</CENTER>",
         "<BR><B><CENTER>JOHN</CENTER></B>"},
        {"empty name", Element::Name, "", "<BR><CENTER></CENTER>", "<BR><B><CENTER></CENTER></B>"},
        {"parenthetical", Element::Parenthetical, "  said John, ", "<DD>(said John)</DD>",
         "<DD><I>(said John)</I></DD>"},
        {"parenthetical trimmed to nothing", Element::Parenthetical, "  ,.\r\n", "", ""},
        {"parenthetical of a blank line", Element::Parenthetical, " \r\n \r\n", "<DD>( )</DD>",
         "<DD><I>( )</I></DD>"},
        {"dialogue", Element::Dialogue, "Hello, how are you?", "<DD>Hello, how are you?</DD><BR>",
         "Hello, how are you?<BR>"},
        {"empty dialogue", Element::Dialogue, "", "<DD></DD><BR>", "<BR>"},
        {"narration", Element::Narration, "It was dark.\r\n", "<BR>It was dark.\r\n<BR>",
         "<BR><DD><I>(It was dark)</I></DD>"},
        {"narration trimmed to nothing", Element::Narration, " .\r\n", "<BR> .\r\n<BR>", "<BR>"},
        {"bytes pass through", Element::Dialogue, "\xE9t\xE9 \"q\" 'x'\r\n\t",
         "<DD>\xE9t\xE9 \"q\" 'x'\r\n\t</DD><BR>", "\xE9t\xE9 \"q\" 'x'\r\n\t<BR>"},
        {"escaped name", Element::Name, "<B>&Co", "<BR><CENTER>&lt;B&gt;&amp;Co</CENTER>",
         "<BR><B><CENTER>&lt;B&gt;&amp;Co</CENTER></B>"},
        {"escaped dialogue", Element::Dialogue, "a < b && c > d",
         "<DD>a &lt; b &amp;&amp; c &gt; d</DD><BR>", "a &lt; b &amp;&amp; c &gt; d<BR>"},
        {"escaped narration", Element::Narration, "Fish & chips <i>.",
         "<BR>Fish &amp; chips &lt;i&gt;.<BR>", "<BR><DD><I>(Fish &amp; chips &lt;i&gt;)</I></DD>"},
        {"escaped after trimming", Element::Parenthetical, "  he said <", "<DD>(he said &lt;)</DD>",
         "<DD><I>(he said &lt;)</I></DD>"},
        {"escaped after trimming a full stop", Element::Parenthetical, "&.", "<DD>(&amp;)</DD>",
         "<DD><I>(&amp;)</I></DD>"},
    };
    const TempDir dir;
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(Markup(dir, Format::Screen, row.element, row.text), row.screen) << "screen";
        EXPECT_EQ(Markup(dir, Format::Stage, row.element, row.text), row.stage) << "stage";
    }
}

TEST(ScriptWriter, a_line_of_dialogue_in_both_formats) {
    const TempDir dir;
    const auto path = dir / "Script.htm";
    for (const auto& [format, expected] :
         {std::pair{Format::Screen,
                    "<HTML><BR><CENTER>JOHN</CENTER><DD>(said John)</DD>"
                    "<DD>Hello, how are you?</DD><BR></HTML>"},
          std::pair{Format::Stage,
                    "<HTML><BR><B><CENTER>JOHN</CENTER></B>"
                    "<DD><I>(said John)</I></DD>Hello, how are you?<BR></HTML>"}}) {
        SCOPED_TRACE(format == Format::Screen ? "screen" : "stage");
        const auto writer = MakeWriter(format);
        writer->Open(path.string());
        const std::string narration = "  said John, ";
        writer->WriteCharacterName("JOHN");
        writer->WriteParenthetical(narration);
        writer->WriteDialogue("Hello, how are you?");
        writer->Close();
        EXPECT_EQ(narration, "  said John, ") << "the argument is left alone";
        EXPECT_EQ(ReadAll(path), expected);
    }
}

TEST(ScriptWriter, declares_the_character_set_only_when_given) {
    const TempDir dir;
    const auto path = dir / "Script.htm";
    struct Case {
        const char* label;
        const char* expected;
    };
    const Case cases[] = {
        {"", "<HTML></HTML>"},
        {"utf-8",
         "<HTML><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\"></HTML>"},
        {"windows-1252",
         "<HTML><META HTTP-EQUIV=\"Content-Type\" "
         "CONTENT=\"text/html; charset=windows-1252\"></HTML>"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        ScreenPlayWriter writer;
        writer.Open(path.string(), row.label);
        writer.Close();
        EXPECT_EQ(ReadAll(path), row.expected);
    }
}

TEST(ScriptWriter, writes_through_and_holds_the_script_until_closed) {
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    dir.Write("Script.htm", "an older, longer script from an earlier run");
    StagePlayWriter writer;
    EXPECT_FALSE(writer.IsOpen());
    writer.Open("Script.htm");
    ASSERT_TRUE(writer.IsOpen());
    EXPECT_EQ(ReadAll(dir / "Script.htm"), "<HTML>");
    writer.WriteNarration("He waits.");
    EXPECT_EQ(ReadAll(dir / "Script.htm"), "<HTML><BR><DD><I>(He waits)</I></DD>")
        << "no buffering: the file holds everything so far";
    EXPECT_TRUE(IsLockedElsewhere(dir / "Script.htm"));
    writer.Close();
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_FALSE(IsLockedElsewhere(dir / "Script.htm"));
    writer.Close();
    EXPECT_EQ(ReadAll(dir / "Script.htm"), "<HTML><BR><DD><I>(He waits)</I></DD></HTML>");
}

TEST(ScriptWriter, open_fails_while_another_program_has_the_script) {
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    const auto held = dir / "held";
    const auto lockFile = dir / "lockFile";
    const auto folder = dir / "folder";
    std::filesystem::create_directories(held);
    std::filesystem::create_directories(lockFile);
    std::filesystem::create_directories(folder / "Script.htm");
    const auto heldScript = dir.Write("held/Script.htm", "previous script");
    const auto lockedScript = dir.Write("lockFile/Script.htm", "previous script");
    dir.Write("lockFile/.~lock.Script.htm#", ",someone,host,01.01.2026 10:00,someone;");
    File holder;
    ASSERT_TRUE(holder.OpenForReading(heldScript.string()));

    for (const auto& folderOfScript : {held, lockFile, folder}) {
        SCOPED_TRACE(folderOfScript.filename().string());
        const CurrentDirectory inFolder(folderOfScript);
        ScreenPlayWriter writer;
        writer.Open("Script.htm");
        EXPECT_FALSE(writer.IsOpen());
        writer.Close();  // nothing to close
    }
    EXPECT_EQ(ReadAll(heldScript), "previous script");
    EXPECT_EQ(ReadAll(lockedScript), "previous script");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Script.htm"));
}

TEST(ScriptWriter, write_failure_names_the_script_by_its_full_path) {
    VELMORA_NEEDS_A_FULL_DISK();
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    std::filesystem::create_symlink("/dev/full", "Script.htm");
    const std::string fullPath = (std::filesystem::current_path() / "Script.htm").string();
    ScreenPlayWriter writer;
    try {
        writer.Open("Script.htm");
        FAIL() << "writing \"<HTML>\" to a full device must throw";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Cause(), FileErrorCause::DiskFull);
        EXPECT_EQ(error.FileName(), fullPath);
        EXPECT_EQ(error.what(), "Disk full while accessing " + fullPath + ".");
        EXPECT_TRUE(writer.IsOpen()) << "a failed write leaves the writer open";
    }
}

TEST(ScriptWriter, write_failure_keeps_what_was_written_before) {
    VELMORA_NEEDS_A_FULL_DISK();
    const TempDir dir;
    const auto path = dir / "Script.htm";
    ScreenPlayWriter writer;
    writer.Open(path.string());
    ASSERT_TRUE(writer.IsOpen());
    writer.WriteNarration("Dawn.");
    const std::string before = "<HTML><BR>Dawn.<BR>";
    {
        // Room for the tags of the name and two bytes of it: the disk fills mid-string.
        const test::FileSizeLimit nearlyFull(before.size() + 14);
        try {
            writer.WriteCharacterName("JOHN");
            FAIL() << "a write past the limit must throw";
        } catch (const FileError& error) {
            EXPECT_EQ(error.Cause(), FileErrorCause::DiskFull);
            EXPECT_EQ(error.FileName(), path.string());
        }
    }
    EXPECT_TRUE(writer.IsOpen());
    EXPECT_EQ(ReadAll(path), before + "<BR><CENTER>JO");
}

}  // namespace
}  // namespace velmora
