#include "script/ScriptWriter.h"

#include "script/MemoryScript.h"
#include "script/ScriptFormat.h"
#include "script/ScriptOutput.h"

#include "platform/FileError.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace velmora {
namespace {

enum class Element { Name, Parenthetical, Dialogue, Narration, Note };

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
    case Element::Note:
        writer.WriteNote(text);
        break;
    }
}

// A writer on a script kept in memory; script() shows what it wrote.
struct InMemory {
    explicit InMemory(ScriptFormat format, CharacterSet set = CharacterSet::Ascii)
        : writer(MakeScriptWriter(format)) {
        auto output = std::make_unique<MemoryScript>();
        memory = output.get();
        writer->Open(std::move(output), set);
    }
    [[nodiscard]] const std::string& script() const { return memory->Bytes(); }

    std::unique_ptr<ScriptWriter> writer;
    MemoryScript* memory = nullptr;
};

// The markup one element produces, without the root tags around it.
std::string Markup(ScriptFormat format, Element element, const std::string& text,
                   CharacterSet set = CharacterSet::Ascii) {
    InMemory script(format, set);
    const std::size_t start = script.script().size();
    Write(*script.writer, element, text);
    return script.script().substr(start);
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
        {"note", Element::Note, "Act two.", "<BR>Act two.<BR>", "<BR><DD><I>(Act two)</I></DD>"},
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
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(Markup(ScriptFormat::ScreenPlay, row.element, row.text), row.screen) << "screen";
        EXPECT_EQ(Markup(ScriptFormat::StagePlay, row.element, row.text), row.stage) << "stage";
    }
}

TEST(ScriptWriter, a_finished_line_of_dialogue_in_both_formats) {
    for (const auto& [format, expected] :
         {std::pair{ScriptFormat::ScreenPlay,
                    "<HTML><BR><CENTER>JOHN</CENTER><DD>(said John)</DD>"
                    "<DD>Hello, how are you?</DD><BR></HTML>"},
          std::pair{ScriptFormat::StagePlay,
                    "<HTML><BR><B><CENTER>JOHN</CENTER></B>"
                    "<DD><I>(said John)</I></DD>Hello, how are you?<BR></HTML>"}}) {
        SCOPED_TRACE(format == ScriptFormat::ScreenPlay ? "screen" : "stage");
        InMemory script(format);
        script.writer->WriteCharacterName("JOHN");
        script.writer->WriteParenthetical("  said John, ");
        script.writer->WriteDialogue("Hello, how are you?");
        script.writer->Close();
        EXPECT_FALSE(script.writer->IsOpen());
        EXPECT_EQ(script.script(), expected);
        script.writer->Close();
        EXPECT_EQ(script.script(), expected) << "closing twice writes nothing more";
    }
}

TEST(ScriptWriter, declares_the_character_set_of_a_text_that_is_not_ascii) {
    struct Case {
        CharacterSet set;
        const char* expected;
    };
    const Case cases[] = {
        {CharacterSet::Ascii, "<HTML>"},
        {CharacterSet::Utf8,
         "<HTML><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">"},
        {CharacterSet::Windows1252,
         "<HTML><META HTTP-EQUIV=\"Content-Type\" "
         "CONTENT=\"text/html; charset=windows-1252\">"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(CharacterSetLabel(row.set));
        const InMemory script(ScriptFormat::ScreenPlay, row.set);
        EXPECT_EQ(script.script(), row.expected);
    }
}

// What the user typed is UTF-8; the script holds it in its own character set, and what that
// set cannot hold as a character reference, so every script shows it in any browser.
TEST(ScriptWriter, typed_names_and_notes_stay_readable_in_every_character_set) {
    struct Case {
        const char* label;
        std::string typed;
        CharacterSet set;
        std::string written;
    };
    const Case cases[] = {
        {"ASCII name in an ASCII script", "ZOE", CharacterSet::Ascii, "ZOE"},
        {"accented name in an ASCII script", "ZO\xC3\x8B", CharacterSet::Ascii, "ZO&#203;"},
        {"accented name in a UTF-8 script", "ZO\xC3\x8B", CharacterSet::Utf8, "ZO\xC3\x8B"},
        {"accented name in a Windows-1252 script", "ZO\xC3\x8B", CharacterSet::Windows1252,
         "ZO\xCB"},
        {"euro sign has a Windows-1252 byte", "\xE2\x82\xAC", CharacterSet::Windows1252, "\x80"},
        {"Greek is not in Windows-1252", "\xCE\xA9", CharacterSet::Windows1252, "&#937;"},
        {"four-byte character", "\xF0\x9F\x98\x80", CharacterSet::Ascii, "&#128512;"},
        {"four-byte character in UTF-8", "\xF0\x9F\x98\x80", CharacterSet::Utf8,
         "\xF0\x9F\x98\x80"},
        {"markup is escaped", "A&B <C>", CharacterSet::Utf8, "A&amp;B &lt;C&gt;"},
        {"ill-formed UTF-8 is a replacement character",
         "A\xFF"
         "B",
         CharacterSet::Ascii, "A&#65533;B"},
        {"cut-off sequence", "A\xC3", CharacterSet::Utf8, "A\xEF\xBF\xBD"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        const std::string name =
            Markup(ScriptFormat::ScreenPlay, Element::Name, row.typed, row.set);
        EXPECT_EQ(name, "<BR><CENTER>" + row.written + "</CENTER>");
        const std::string note =
            Markup(ScriptFormat::ScreenPlay, Element::Note, row.typed, row.set);
        EXPECT_EQ(note, "<BR>" + row.written + "<BR>");
    }
}

TEST(ScriptWriter, novel_bytes_are_never_re_encoded) {
    // The text's own bytes are copied as they are, even where typed text would be encoded.
    EXPECT_EQ(
        Markup(ScriptFormat::ScreenPlay, Element::Dialogue, "ZO\xCB", CharacterSet::Windows1252),
        "<DD>ZO\xCB</DD><BR>");
    EXPECT_EQ(Markup(ScriptFormat::ScreenPlay, Element::Narration, "\xC3\x8B", CharacterSet::Ascii),
              "<BR>\xC3\x8B<BR>");
}

TEST(ScriptWriter, reads_back_the_names_and_notes_it_wrote) {
    struct Case {
        const char* label;
        CharacterSet set;
        std::string typed;
    };
    const Case cases[] = {
        {"plain", CharacterSet::Ascii, "MR. DARCY"},
        {"escaped markup", CharacterSet::Ascii, "A&B <C> &amp;"},
        {"character references", CharacterSet::Ascii, "ZO\xC3\x8B \xF0\x9F\x98\x80"},
        {"Windows-1252 bytes", CharacterSet::Windows1252, "ZO\xC3\x8B \xE2\x82\xAC \xCE\xA9"},
        {"UTF-8", CharacterSet::Utf8, "ZO\xC3\x8B"},
        {"empty", CharacterSet::Ascii, ""},
    };
    for (const auto format : {ScriptFormat::ScreenPlay, ScriptFormat::StagePlay}) {
        for (const auto& row : cases) {
            SCOPED_TRACE(row.label);
            InMemory script(format, row.set);
            const std::size_t start = script.script().size();
            script.writer->WriteCharacterName(row.typed);
            const std::size_t nameEnd = script.script().size();
            script.writer->WriteNote("note " + row.typed + " end");
            const std::string_view markup = std::string_view(script.script()).substr(start);

            const auto name = script.writer->ReadCharacterName(markup);
            ASSERT_TRUE(name);
            EXPECT_EQ(name->text, row.typed);
            EXPECT_EQ(name->length, nameEnd - start);
            const auto note = script.writer->ReadNote(markup.substr(name->length));
            ASSERT_TRUE(note);
            EXPECT_EQ(note->text, "note " + row.typed + " end");
            EXPECT_EQ(name->length + note->length, markup.size());
            EXPECT_FALSE(script.writer->ReadNote(markup)) << "a name is not a note";
        }
    }
}

TEST(ScriptWriter, does_not_read_back_markup_it_never_writes) {
    InMemory script(ScriptFormat::ScreenPlay);
    const ScriptWriter& writer = *script.writer;
    EXPECT_FALSE(writer.ReadCharacterName("<BR><CENTER>JO"));
    EXPECT_FALSE(writer.ReadCharacterName("<BR><CENTER>A<B</CENTER>"));
    EXPECT_FALSE(writer.ReadCharacterName("<BR><CENTER>A&B</CENTER>"));
    EXPECT_FALSE(writer.ReadCharacterName("<DD>JOHN</DD>"));
    EXPECT_TRUE(writer.CouldStartNameOrNote("<BR><CEN", "NOTE"));
    EXPECT_TRUE(writer.CouldStartNameOrNote("<B", "NOTE"));
    EXPECT_TRUE(writer.CouldStartNameOrNote("<BR>NOTE: asi", "NOTE"));
    EXPECT_FALSE(writer.CouldStartNameOrNote("<DD>", "NOTE"));
    EXPECT_FALSE(writer.CouldStartNameOrNote("<BR>Dawn.", "NOTE")) << "narration is no note";

    // The other format's markup: a screen play's name is neither in a stage play.
    InMemory stage(ScriptFormat::StagePlay);
    EXPECT_FALSE(stage.writer->CouldStartNameOrNote("<BR><CENTER>ANN", "NOTE"));
    EXPECT_TRUE(stage.writer->CouldStartNameOrNote("<BR><DD><I>(NOTE", "NOTE"));
    EXPECT_TRUE(stage.writer->CouldStartNameOrNote("<BR><B><CENTER>AN", "NOTE"));
}

// An output whose every step can be made to fail, as a full disk does.
class FailingOutput final : public ScriptOutput {
public:
    bool failWrites = false;
    bool failClose = false;
    std::string bytes;

    [[nodiscard]] bool IsOpen() const noexcept override { return open_; }
    void Write(std::string_view more) override {
        if (failWrites) {
            throw FileError(FileErrorCause::DiskFull, "/x/Script.htm");
        }
        bytes += more;
    }
    [[nodiscard]] std::int64_t Length() override { return static_cast<std::int64_t>(bytes.size()); }
    void Truncate(std::int64_t length) override { bytes.resize(static_cast<std::size_t>(length)); }
    void Close() override {
        if (failClose) {
            throw FileError(FileErrorCause::DiskFull, "/x/Script.htm");
        }
        open_ = false;
    }

private:
    bool open_ = true;
};

TEST(ScriptWriter, is_open_exactly_while_its_output_is) {
    auto owned = std::make_unique<FailingOutput>();
    FailingOutput& output = *owned;
    const auto writer = MakeScriptWriter(ScriptFormat::StagePlay);
    EXPECT_FALSE(writer->IsOpen());
    writer->Open(std::move(owned), CharacterSet::Ascii);
    EXPECT_TRUE(writer->IsOpen());

    output.failClose = true;
    EXPECT_THROW(writer->Close(), FileError);
    EXPECT_TRUE(writer->IsOpen()) << "a close that failed leaves the script open";
    output.failClose = false;
    writer->Truncate(writer->Length() - 7);  // take back the "</HTML>" written before
    writer->Close();
    EXPECT_FALSE(writer->IsOpen());
    EXPECT_EQ(output.bytes, "<HTML></HTML>");
}

TEST(ScriptWriter, truncating_takes_back_whole_elements) {
    InMemory script(ScriptFormat::ScreenPlay);
    script.writer->WriteNarration("Dawn.");
    const std::int64_t before = script.writer->Length();
    script.writer->WriteCharacterName("JOHN");
    script.writer->WriteDialogue("Hello.");
    script.writer->Truncate(before);
    script.writer->WriteNarration("Dusk.");
    EXPECT_EQ(script.script(), "<HTML><BR>Dawn.<BR><BR>Dusk.<BR>");
}

TEST(ScriptWriter, continues_a_script_without_writing_its_opening_again) {
    auto output = std::make_unique<MemoryScript>();
    MemoryScript& memory = *output;
    memory.Write("<HTML><BR>Dawn.<BR>");
    const auto writer = MakeScriptWriter(ScriptFormat::ScreenPlay);
    writer->Continue(std::move(output), CharacterSet::Ascii);
    writer->WriteNote("Later.");
    writer->Close();
    EXPECT_EQ(memory.Bytes(), "<HTML><BR>Dawn.<BR><BR>Later.<BR></HTML>");
}

}  // namespace
}  // namespace velmora
