#include "conversion/ConversionController.h"

#include "platform/File.h"
#include "platform/FileError.h"
#include "tests/conversion/ControllerFixture.h"
#include "tests/conversion/RecordingView.h"
#include "tests/support/FileLock.h"
#include "tests/support/FullDisk.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

constexpr const char* kLoading = "SetStatus:Loading text file";
constexpr const char* kLoadFailed = "SetStatus:*** Error - Text file failed to load ***";
constexpr const char* kLoaded = "SetStatus:Text file loaded successfully";
constexpr const char* kScriptOpenFailed = "SetStatus:*** Error - Script file failed to open ***";
constexpr const char* kNotOpen = "SetStatus:*** Error - Files are not open ***";
constexpr const char* kGenerating = "SetStatus:Generating script without characternames";
constexpr const char* kFinished = "SetStatus:Script.html successfully generated";

const std::string kHintRule(46, '*');

// Two narration paragraphs around one line of dialogue.
constexpr std::string_view kWorkedText =
    "Narration one.\r\n\r\n\"Hi,\" he said.\r\n\r\nNarration two.";
constexpr std::string_view kWorkedScriptAfterOpen = "<HTML><BR>Narration one.<BR>";

// Two lines of dialogue with narration before, between and after them.
constexpr std::string_view kTwoLinesText =
    "Narration one.\r\n\r\n\"Hi,\" he said.\r\n\r\nMiddle.\r\n\r\n"
    "\"Bye,\" she said, \"now.\"\r\n\r\nEnd.";
constexpr std::string_view kTwoLinesWithoutNames =
    "<HTML><BR>Narration one.<BR>"
    "<BR><CENTER>CHARACTERNAME</CENTER><DD>(he said)</DD><DD>Hi.</DD><BR>"
    "<BR>Middle.<BR>"
    "<BR><CENTER>CHARACTERNAME</CENTER><DD>(she said)</DD><DD>Bye, now.</DD><BR>"
    "<BR>End.<BR></HTML>";

// The three generate commands, for checks that hold for each of them.
struct Command {
    const char* label;
    std::function<void(ConversionController&)> run;
};
const std::vector<Command> kGenerateCommands = {
    {"GenerateLine", [](ConversionController& c) { c.GenerateLine(1); }},
    {"GenerateNote", [](ConversionController& c) { c.GenerateNote(); }},
    {"GenerateWithoutNames", [](ConversionController& c) { c.GenerateWithoutNames(); }},
};

using test::FileSizeLimit;

class ConversionControllerTest : public test::ControllerFixture {
protected:
    // Runs each generate command and checks it is refused without any other effect.
    void ExpectEveryCommandRefused() {
        const auto script = Script();
        const auto log = view_.log;
        const auto dialogue = view_.dialogue;
        for (const auto& command : kGenerateCommands) {
            const auto before = view_.calls.size();
            command.run(controller_);
            EXPECT_EQ(view_.CallsSince(before), Calls{kNotOpen}) << command.label;
        }
        EXPECT_EQ(Script(), script);
        EXPECT_EQ(view_.log, log);
        EXPECT_EQ(view_.dialogue, dialogue);
        EXPECT_FALSE(controller_.IsAcceptingCommands());
    }
};

TEST_F(ConversionControllerTest, worked_example_stops_at_the_dialogue_and_finishes_with_tom) {
    view_.names[0] = "TOM";
    Open(kWorkedText);

    const Calls openCalls = {kLoading,
                             "DisableOpenControls",
                             "ChooseTextFile",
                             kLoaded,
                             "IsScreenPlaySelected",
                             "AppendLogLine:Narration one.",
                             "AppendLogLine:",
                             "LogLineCount",
                             "ScrollLogTo:1",
                             "AppendLogLine:\"Hi,\" he said.",
                             "AppendLogLine:",
                             "LogLineCount",
                             "ScrollLogTo:3",
                             "SetDialogueField:Hi."};
    Calls withHint = openCalls;
    for (int slot = 1; slot <= ConversionView::kNameSlots; ++slot) {
        withHint.push_back("GetNameField:" + std::to_string(slot));
    }
    withHint.emplace_back("ShowSpeakerHint:0,0");  // "TOM" is not in "he said"
    EXPECT_EQ(view_.calls, withHint);
    EXPECT_EQ(Script(), kWorkedScriptAfterOpen);
    EXPECT_EQ(view_.dialogue, "Hi.");
    EXPECT_EQ(view_.status, "Text file loaded successfully");
    EXPECT_FALSE(view_.openControlsEnabled);
    EXPECT_TRUE(controller_.IsAcceptingCommands());

    const auto before = view_.calls.size();
    controller_.GenerateLine(1);

    const Calls lineCalls = {"GetNameField:1", "AppendLogLine:Narration two.",
                             "AppendLogLine:", "LogLineCount",
                             "ScrollLogTo:5",  "SetDialogueField:",
                             "AppendLogLine:", "AppendLogLine:<END OF FILE>",
                             "LogLineCount",   "ScrollLogTo:7",
                             kFinished};
    EXPECT_EQ(view_.CallsSince(before), lineCalls);
    EXPECT_EQ(Script(),
              "<HTML><BR>Narration one.<BR><BR><CENTER>TOM</CENTER><DD>(he said)</DD>"
              "<DD>Hi.</DD><BR><BR>Narration two.<BR></HTML>");
    const Calls log = {"Narration one.", "", "\"Hi,\" he said.", "", "Narration two.", "", "",
                       "<END OF FILE>"};
    EXPECT_EQ(view_.log, log);
    EXPECT_EQ(view_.topLogLine, 7);
    EXPECT_EQ(view_.dialogue, "");
    EXPECT_EQ(view_.status, "Script.html successfully generated");
    EXPECT_TRUE(controller_.IsScriptFinished());

    // Finished: every command is refused and nothing else changes.
    ExpectEveryCommandRefused();
    EXPECT_EQ(view_.status, "*** Error - Files are not open ***");
}

TEST_F(ConversionControllerTest, worked_example_as_a_stage_play) {
    view_.screenPlay = false;
    view_.names[0] = "TOM";
    Open(kWorkedText);
    EXPECT_EQ(Script(), "<HTML><BR><DD><I>(Narration one)</I></DD>");
    controller_.GenerateLine(1);
    EXPECT_EQ(Script(),
              "<HTML><BR><DD><I>(Narration one)</I></DD>"
              "<BR><B><CENTER>TOM</CENTER></B><DD><I>(he said)</I></DD>Hi.<BR>"
              "<BR><DD><I>(Narration two)</I></DD></HTML>");
}

TEST_F(ConversionControllerTest, script_lands_in_the_folder_of_the_chosen_text) {
    fs::create_directory(dir_ / "texts");
    dir_.Write("texts/novel.txt", kWorkedText);
    view_.choice = dir_ / "texts" / "novel.txt";
    controller_.OpenTextFile();
    EXPECT_EQ(test::ReadAll(dir_ / "texts" / "Script.htm"), kWorkedScriptAfterOpen);
    EXPECT_FALSE(fs::exists(dir_ / "Script.htm"));
}

TEST_F(ConversionControllerTest, text_without_dialogue_is_logged_written_and_finished) {
    Open("First.\r\n\r\nSecond.\r\nline two\r\n\r\n");
    EXPECT_EQ(Script(), "<HTML><BR>First.<BR><BR>Second.\r\nline two<BR></HTML>");
    const Calls log = {"First.", "", "Second.", "line two", "", "", "<END OF FILE>"};
    EXPECT_EQ(view_.log, log);
    EXPECT_EQ(view_.topLogLine, 6);
    EXPECT_EQ(view_.dialogue, "");
    EXPECT_EQ(view_.status, "Script.html successfully generated");
    EXPECT_TRUE(controller_.IsScriptFinished());
    ExpectEveryCommandRefused();
}

TEST_F(ConversionControllerTest, text_without_paragraphs_gives_an_empty_finished_script) {
    for (const std::string_view text : {"", "\r\n \r\n\n  "}) {
        test::TempDir dir;
        test::CurrentDirectory inDir(dir.Path());
        test::RecordingView view;
        ConversionController controller(view);
        dir.Write("empty.txt", text);
        view.choice = "empty.txt";
        controller.OpenTextFile();

        const Calls calls = {kLoading,
                             "DisableOpenControls",
                             "ChooseTextFile",
                             kLoaded,
                             "IsScreenPlaySelected",
                             "SetDialogueField:",
                             "AppendLogLine:",
                             "AppendLogLine:<END OF FILE>",
                             "LogLineCount",
                             "ScrollLogTo:1",
                             kFinished};
        EXPECT_EQ(view.calls, calls) << text.size() << " bytes";
        EXPECT_EQ(test::ReadAll(dir / "Script.htm"), "<HTML></HTML>");
        EXPECT_TRUE(controller.IsScriptFinished());
    }
}

TEST_F(ConversionControllerTest, a_text_that_does_not_load_is_refused_and_controls_stay_off) {
    fs::create_directory(dir_ / "folder");
    const std::vector<std::optional<fs::path>> choices = {std::nullopt, "missing.txt", "folder"};
    for (const auto& choice : choices) {
        test::RecordingView view;
        ConversionController controller(view);
        view.choice = choice;
        controller.OpenTextFile();
        const Calls calls = {kLoading, "DisableOpenControls", "ChooseTextFile", kLoadFailed};
        EXPECT_EQ(view.calls, calls) << choice.value_or("(cancelled)");
        EXPECT_FALSE(view.openControlsEnabled);
        for (const auto& command : kGenerateCommands) {
            command.run(controller);
            EXPECT_EQ(view.calls.back(), kNotOpen) << command.label;
        }
        EXPECT_EQ(view.calls.size(), calls.size() + kGenerateCommands.size());
    }
    EXPECT_FALSE(fs::exists(dir_ / "Script.htm"));
}

TEST_F(ConversionControllerTest, commands_before_loading_are_refused) {
    ExpectEveryCommandRefused();
    EXPECT_EQ(view_.calls.size(), kGenerateCommands.size());
    EXPECT_FALSE(fs::exists(dir_ / "Script.htm"));
}

TEST_F(ConversionControllerTest, a_script_that_cannot_be_created_shows_the_hint_and_blocks) {
    struct Obstacle {
        const char* label;
        std::function<void(const test::TempDir&)> place;
    };
    File holder;  // a program that has the script open
    const std::vector<Obstacle> obstacles = {
        {"folder named Script.htm",
         [](const test::TempDir& dir) { fs::create_directory(dir / "Script.htm"); }},
        {"held by another program",
         [&holder](const test::TempDir& dir) {
             ASSERT_TRUE(holder.OpenForWriting((dir / "Script.htm").string()));
             holder.Write("kept");
         }},
        {"open in a word processor",
         [](const test::TempDir& dir) {
             dir.Write("Script.htm", "kept");
             dir.Write(".~lock.Script.htm#", "");
         }},
    };
    for (const auto& obstacle : obstacles) {
        test::TempDir dir;
        test::CurrentDirectory inDir(dir.Path());
        test::RecordingView view;
        ConversionController controller(view);
        obstacle.place(dir);
        dir.Write("novel.txt", kWorkedText);
        view.choice = "novel.txt";
        controller.OpenTextFile();

        const Calls calls = {kLoading,
                             "DisableOpenControls",
                             "ChooseTextFile",
                             kLoaded,
                             "IsScreenPlaySelected",
                             kScriptOpenFailed,
                             "AppendLogLine: ",
                             "AppendLogLine:" + kHintRule,
                             "AppendLogLine:Is 'Script.htm' open in MS Word?",
                             "AppendLogLine:" + kHintRule};
        EXPECT_EQ(view.calls, calls) << obstacle.label;
        if (fs::is_regular_file(dir / "Script.htm")) {
            EXPECT_EQ(test::ReadAll(dir / "Script.htm"), "kept") << obstacle.label;
        }
        for (const auto& command : kGenerateCommands) {
            command.run(controller);
            EXPECT_EQ(view.calls.back(), kNotOpen) << obstacle.label << ", " << command.label;
        }
        EXPECT_EQ(view.calls.size(), calls.size() + kGenerateCommands.size()) << obstacle.label;
        EXPECT_FALSE(controller.IsScriptFinished());
        holder.Close();
    }
}

TEST_F(ConversionControllerTest, note_goes_before_the_pending_line_in_either_format) {
    struct NoteCase {
        bool screenPlay;
        const char* note;
        const char* markup;
        const char* logged;
    };
    const NoteCase cases[] = {
        {true, "call back.", "<BR>NOTE: call back.<BR>", "NOTE: call back."},
        {false, "call back.", "<BR><DD><I>(NOTE: call back)</I></DD>", "NOTE: call back."},
        {true, "", "<BR>NOTE: <BR>", "NOTE: "},
        {false, "", "<BR><DD><I>(NOTE)</I></DD>", "NOTE: "},
    };
    for (const auto& c : cases) {
        const std::string label =
            std::string(c.screenPlay ? "screen" : "stage") + " '" + c.note + "'";
        test::TempDir dir;
        test::CurrentDirectory inDir(dir.Path());
        test::RecordingView view;
        ConversionController controller(view);
        view.screenPlay = c.screenPlay;
        view.note = c.note;
        view.names[0] = "TOM";
        dir.Write("novel.txt", kWorkedText);
        view.choice = "novel.txt";
        controller.OpenTextFile();
        const auto scriptAfterOpen = test::ReadAll(dir / "Script.htm");

        const auto before = view.calls.size();
        controller.GenerateNote();
        const Calls calls = {"GetNoteField",   "AppendLogLine:" + std::string(c.logged),
                             "AppendLogLine:", "LogLineCount",
                             "ScrollLogTo:5",  "SetNoteField:"};
        EXPECT_EQ(view.CallsSince(before), calls) << label;
        EXPECT_EQ(test::ReadAll(dir / "Script.htm"), scriptAfterOpen + c.markup) << label;
        EXPECT_EQ(view.note, "") << label;
        EXPECT_EQ(view.dialogue, "Hi.") << label;
        EXPECT_EQ(view.status, "Text file loaded successfully") << label;

        controller.GenerateLine(1);
        const auto script = test::ReadAll(dir / "Script.htm");
        const auto name = script.find("TOM");
        ASSERT_NE(name, std::string::npos) << label;
        EXPECT_EQ(script.rfind(c.markup, name), scriptAfterOpen.size()) << label;
    }
}

TEST_F(ConversionControllerTest, without_names_right_after_loading_writes_the_rest_unlogged) {
    Open(kTwoLinesText);
    const auto log = view_.log;
    const auto before = view_.calls.size();
    controller_.GenerateWithoutNames();

    const Calls calls = {"BeginWaitCursor", kGenerating,      "SetDialogueField:",
                         kFinished,         "AppendLogLine:", "AppendLogLine:<END OF FILE>",
                         "LogLineCount",    "ScrollLogTo:5",  "EndWaitCursor"};
    EXPECT_EQ(view_.CallsSince(before), calls);
    EXPECT_EQ(Script(), kTwoLinesWithoutNames);
    auto expectedLog = log;
    expectedLog.insert(expectedLog.end(), {"", "<END OF FILE>"});
    EXPECT_EQ(view_.log, expectedLog);
    EXPECT_TRUE(controller_.IsScriptFinished());
    ExpectEveryCommandRefused();
}

TEST_F(ConversionControllerTest, without_names_after_a_named_line_finishes_from_the_pending_one) {
    view_.names[4] = "ANN";
    Open(kTwoLinesText);
    controller_.GenerateLine(5);
    EXPECT_EQ(view_.dialogue, "Bye, now.");
    controller_.GenerateWithoutNames();
    EXPECT_EQ(Script(),
              "<HTML><BR>Narration one.<BR>"
              "<BR><CENTER>ANN</CENTER><DD>(he said)</DD><DD>Hi.</DD><BR>"
              "<BR>Middle.<BR>"
              "<BR><CENTER>CHARACTERNAME</CENTER><DD>(she said)</DD>"
              "<DD>Bye, now.</DD><BR>"
              "<BR>End.<BR></HTML>");
}

TEST_F(ConversionControllerTest, each_slot_writes_its_own_name) {
    std::string text;
    for (int line = 1; line <= ConversionView::kNameSlots; ++line) {
        text += "\"Line " + std::to_string(line) + ",\" said someone.\r\n\r\n";
    }
    for (int slot = 1; slot <= ConversionView::kNameSlots; ++slot) {
        view_.names.at(static_cast<std::size_t>(slot - 1)) = "NAME " + std::to_string(slot);
    }
    Open(text);

    // Slots taken from the bottom up, so no slot matches its line by accident.
    std::string expected = "<HTML>";
    for (int line = 1; line <= ConversionView::kNameSlots; ++line) {
        const int slot = ConversionView::kNameSlots + 1 - line;
        const auto before = view_.calls.size();
        controller_.GenerateLine(slot);
        EXPECT_EQ(view_.calls.at(before), "GetNameField:" + std::to_string(slot));
        expected += "<BR><CENTER>NAME " + std::to_string(slot) +
                    "</CENTER><DD>(said someone)</DD><DD>Line " + std::to_string(line) +
                    ".</DD><BR>";
    }
    expected += "</HTML>";
    EXPECT_EQ(Script(), expected);
    EXPECT_EQ(view_.status, "Script.html successfully generated");
}

TEST_F(ConversionControllerTest, an_empty_name_field_still_writes_the_name_markup) {
    Open(kWorkedText);
    controller_.GenerateLine(12);
    EXPECT_EQ(Script(),
              "<HTML><BR>Narration one.<BR><BR><CENTER></CENTER><DD>(he said)</DD>"
              "<DD>Hi.</DD><BR><BR>Narration two.<BR></HTML>");
}

TEST_F(ConversionControllerTest, script_declares_the_character_set_of_the_text) {
    struct CharsetCase {
        const char* label;
        std::string text;
        CharacterSet set;
        std::string head;
    };
    const std::string meta = R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=)";
    const CharsetCase cases[] = {
        {"ASCII", "Plain.", CharacterSet::Ascii, "<HTML><BR>Plain.<BR>"},
        {"UTF-8", "Caf\xC3\xA9.", CharacterSet::Utf8,
         "<HTML>" + meta + "utf-8\"><BR>Caf\xC3\xA9.<BR>"},
        {"Windows-1252", "Caf\xE9.", CharacterSet::Windows1252,
         "<HTML>" + meta + "windows-1252\"><BR>Caf\xE9.<BR>"},
        {"UTF-8 but for one byte", "Caf\xC3\xA9.\r\n\r\nNa\xEFve.", CharacterSet::Windows1252,
         "<HTML>" + meta + "windows-1252\"><BR>Caf\xC3\xA9.<BR>"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        test::CurrentDirectory inDir(dir.Path());
        test::RecordingView view;
        ConversionController controller(view);
        dir.Write("novel.txt", c.text);
        view.choice = "novel.txt";
        controller.OpenTextFile();
        EXPECT_EQ(controller.TextCharacterSet(), c.set) << c.label;
        const auto script = test::ReadAll(dir / "Script.htm");
        EXPECT_EQ(script.substr(0, c.head.size()), c.head) << c.label;
        EXPECT_TRUE(script.ends_with("</HTML>")) << c.label;
    }
}

// A failed write ends the command where it happened: what was written stays, nothing after
// it runs, and the error reaches the caller with the script's full path.
TEST_F(ConversionControllerTest, write_failure_in_a_line_stops_there_with_the_error) {
    VELMORA_NEEDS_A_FULL_DISK();
    view_.names[0] = "TOM";
    Open(kWorkedText);
    const auto scriptPath = (fs::current_path() / "Script.htm").string();
    const auto before = view_.calls.size();
    {
        const FileSizeLimit full(kWorkedScriptAfterOpen.size() + 12);  // "<BR><CENTER>"
        try {
            controller_.GenerateLine(1);
            ADD_FAILURE() << "no FileError";
        } catch (const FileError& error) {
            EXPECT_EQ(error.Cause(), FileErrorCause::DiskFull);
            EXPECT_EQ(error.FileName(), scriptPath);
            EXPECT_STREQ(error.what(), ("Disk full while accessing " + scriptPath + ".").c_str());
        }
    }
    EXPECT_EQ(Script(), std::string(kWorkedScriptAfterOpen) + "<BR><CENTER>");
    EXPECT_EQ(view_.CallsSince(before), Calls{"GetNameField:1"});
    EXPECT_EQ(view_.dialogue, "Hi.");
    EXPECT_EQ(view_.status, "Text file loaded successfully");
    EXPECT_TRUE(controller_.IsAcceptingCommands());
}

TEST_F(ConversionControllerTest, write_failure_in_the_advance_keeps_what_was_logged) {
    VELMORA_NEEDS_A_FULL_DISK();
    view_.names[0] = "TOM";
    Open(kWorkedText);
    const std::string line = "<BR><CENTER>TOM</CENTER><DD>(he said)</DD><DD>Hi.</DD><BR>";
    {
        const FileSizeLimit full(kWorkedScriptAfterOpen.size() + line.size() + 4);
        EXPECT_THROW(controller_.GenerateLine(1), FileError);
    }
    EXPECT_EQ(Script(), std::string(kWorkedScriptAfterOpen) + line + "<BR>");
    EXPECT_EQ(view_.log.back(), "");
    EXPECT_EQ(view_.log.at(view_.log.size() - 2), "Narration two.");
    EXPECT_EQ(view_.status, "Text file loaded successfully");
    EXPECT_FALSE(controller_.IsScriptFinished());
}

TEST_F(ConversionControllerTest, write_failure_in_a_note_leaves_the_note_field) {
    VELMORA_NEEDS_A_FULL_DISK();
    Open(kWorkedText);
    view_.note = "call back.";
    const auto log = view_.log;
    const auto before = view_.calls.size();
    {
        const FileSizeLimit full(kWorkedScriptAfterOpen.size() + 2);
        EXPECT_THROW(controller_.GenerateNote(), FileError);
    }
    EXPECT_EQ(Script(), std::string(kWorkedScriptAfterOpen) + "<B");
    EXPECT_EQ(view_.CallsSince(before), Calls{"GetNoteField"});
    EXPECT_EQ(view_.note, "call back.");
    EXPECT_EQ(view_.log, log);
}

TEST_F(ConversionControllerTest, write_failure_without_names_ends_the_wait_cursor) {
    VELMORA_NEEDS_A_FULL_DISK();
    Open(kTwoLinesText);
    const auto log = view_.log;
    const auto before = view_.calls.size();
    const std::size_t limit = kWorkedScriptAfterOpen.size() + 50;
    {
        const FileSizeLimit full(limit);
        EXPECT_THROW(controller_.GenerateWithoutNames(), FileError);
    }
    EXPECT_EQ(Script(), kTwoLinesWithoutNames.substr(0, limit));
    const Calls calls = {"BeginWaitCursor", kGenerating, "EndWaitCursor"};
    EXPECT_EQ(view_.CallsSince(before), calls);
    EXPECT_EQ(view_.log, log);
    EXPECT_EQ(view_.dialogue, "Hi.");
    EXPECT_FALSE(controller_.IsScriptFinished());
}

TEST_F(ConversionControllerTest, write_failure_while_closing_claims_no_finished_script) {
    VELMORA_NEEDS_A_FULL_DISK();
    view_.names[0] = "TOM";
    Open(kWorkedText);
    const std::string withoutEnd =
        "<HTML><BR>Narration one.<BR><BR><CENTER>TOM</CENTER>"
        "<DD>(he said)</DD><DD>Hi.</DD><BR><BR>Narration two.<BR>";
    {
        const FileSizeLimit full(withoutEnd.size());
        EXPECT_THROW(controller_.GenerateLine(1), FileError);
    }
    EXPECT_EQ(Script(), withoutEnd);
    EXPECT_EQ(view_.log.back(), "<END OF FILE>");
    EXPECT_EQ(view_.dialogue, "");
    EXPECT_EQ(view_.status, "Text file loaded successfully");
    EXPECT_FALSE(controller_.IsScriptFinished());
}

TEST_F(ConversionControllerTest, script_on_a_full_device_fails_while_opening) {
    VELMORA_NEEDS_A_FULL_DISK();
    fs::create_symlink("/dev/full", dir_ / "Script.htm");
    dir_.Write("novel.txt", kWorkedText);
    view_.choice = "novel.txt";
    EXPECT_THROW(controller_.OpenTextFile(), FileError);
    EXPECT_EQ(view_.status, "Text file loaded successfully");
    EXPECT_TRUE(view_.log.empty());
}

}  // namespace
}  // namespace velmora
