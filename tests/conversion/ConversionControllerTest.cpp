#include "conversion/ConversionController.h"

#include "platform/File.h"
#include "platform/FileError.h"
#include "tests/conversion/ControllerFixture.h"
#include "tests/conversion/RecordingView.h"
#include "tests/support/FileLock.h"
#include "tests/support/FullDisk.h"
#include "tests/support/TempDir.h"
#include "text/NameSlots.h"

#include <gtest/gtest.h>

#include <cerrno>
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

// The system's error number for a missing file, whose words the reason line quotes.
#ifdef _WIN32
constexpr int kNoSuchFile = 2;  // ERROR_FILE_NOT_FOUND
#else
constexpr int kNoSuchFile = ENOENT;
#endif

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
                             "AppendLogLine:Narration one.",
                             "AppendLogLine:",
                             "ScrollLogTo:1",
                             "AppendLogLine:\"Hi,\" he said.",
                             "AppendLogLine:",
                             "ScrollLogTo:3",
                             "SetDialogueField:Hi."};
    Calls withHint = openCalls;
    withHint.emplace_back("ShowSpeakerHint:0,0");  // "TOM" is not in "he said"
    EXPECT_EQ(view_.calls, withHint);
    EXPECT_EQ(Script(), kWorkedScriptAfterOpen);
    EXPECT_EQ(view_.dialogue, "Hi.");
    EXPECT_EQ(view_.status, "Text file loaded successfully");
    EXPECT_FALSE(view_.openControlsEnabled);
    EXPECT_TRUE(controller_.IsAcceptingCommands());

    const auto before = view_.calls.size();
    controller_.GenerateLine(1);

    const Calls lineCalls = {"AppendLogLine:Narration two.",
                             "AppendLogLine:",
                             "ScrollLogTo:5",
                             "SetDialogueField:",
                             "AppendLogLine:",
                             "AppendLogLine:<END OF FILE>",
                             "ScrollLogTo:7",
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
        test::ControllerRun run;
        auto& view = run.view;
        auto& controller = run.controller;
        run.Open(text, "empty.txt");

        const Calls calls = {kLoading,
                             "DisableOpenControls",
                             "ChooseTextFile",
                             kLoaded,
                             "SetDialogueField:",
                             "AppendLogLine:",
                             "AppendLogLine:<END OF FILE>",
                             "ScrollLogTo:1",
                             kFinished};
        EXPECT_EQ(view.calls, calls) << text.size() << " bytes";
        EXPECT_EQ(run.Script(), "<HTML></HTML>");
        EXPECT_TRUE(controller.IsScriptFinished());
    }
}

TEST_F(ConversionControllerTest, a_text_that_does_not_load_is_refused_and_controls_stay_off) {
    fs::create_directory(dir_ / "folder");
    const std::vector<std::pair<std::optional<fs::path>, std::string>> choices = {
        {std::nullopt, ""},
        {"missing.txt", "missing.txt could not be read: " + SystemErrorText(kNoSuchFile) + "."},
        {"folder", "folder is a folder or a device, not a file."},
    };
    for (const auto& [choice, reason] : choices) {
        test::RecordingView view;
        ConversionController controller(view);
        view.choice = choice;
        controller.OpenTextFile();
        Calls calls = {kLoading, "DisableOpenControls", "ChooseTextFile", kLoadFailed};
        if (!reason.empty()) {
            calls.push_back("Explain:" + reason);
        }
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
        std::function<void(const test::ControllerRun&)> place;
        std::string reason;
    };
    File holder;  // a program that has the script open
    const std::vector<Obstacle> obstacles = {
        {"folder named Script.htm",
         [](const test::ControllerRun& run) { fs::create_directory(run / "Script.htm"); },
         "Script.htm is a folder or a device, not a file."},
        {"held by another program",
         [&holder](const test::ControllerRun& run) {
             ASSERT_TRUE(holder.OpenForWriting((run / "Script.htm").string()));
             holder.Write("kept");
         },
         "Script.htm is in use by another program."},
        {"open in a word processor",
         [](const test::ControllerRun& run) {
             run.Write("Script.htm", "kept");
             run.Write(".~lock.Script.htm#", "");
         },
         "Script.htm is open in a word processor (its lock file .~lock.Script.htm# is beside it)."},
    };
    for (const auto& obstacle : obstacles) {
        test::ControllerRun run;
        auto& view = run.view;
        auto& controller = run.controller;
        obstacle.place(run);
        run.Open(kWorkedText);

        const Calls calls = {kLoading,
                             "DisableOpenControls",
                             "ChooseTextFile",
                             kLoaded,
                             kScriptOpenFailed,
                             "AppendLogLine: ",
                             "AppendLogLine:" + kHintRule,
                             "AppendLogLine:Is 'Script.htm' open in MS Word?",
                             "AppendLogLine:" + kHintRule,
                             "Explain:" + obstacle.reason};
        EXPECT_EQ(view.calls, calls) << obstacle.label;
        if (fs::is_regular_file(run / "Script.htm")) {
            EXPECT_EQ(run.Script(), "kept") << obstacle.label;
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
        test::ControllerRun run;
        auto& view = run.view;
        auto& controller = run.controller;
        view.screenPlay = c.screenPlay;
        view.note = c.note;
        view.names[0] = "TOM";
        run.Open(kWorkedText);
        const auto scriptAfterOpen = run.Script();

        const auto before = view.calls.size();
        controller.GenerateNote();
        const Calls calls = {"AppendLogLine:" + std::string(c.logged),
                             "AppendLogLine:", "ScrollLogTo:5", "SetNoteField:"};
        EXPECT_EQ(view.CallsSince(before), calls) << label;
        EXPECT_EQ(run.Script(), scriptAfterOpen + c.markup) << label;
        EXPECT_EQ(view.note, "") << label;
        EXPECT_EQ(view.dialogue, "Hi.") << label;
        EXPECT_EQ(view.status, "Text file loaded successfully") << label;

        controller.GenerateLine(1);
        const auto script = run.Script();
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
                         "ScrollLogTo:5",   "EndWaitCursor"};
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
        view_.names.at(SlotIndex(slot)) = "NAME " + std::to_string(slot);
    }
    Open(text);

    // Slots taken from the bottom up, so no slot matches its line by accident.
    std::string expected = "<HTML>";
    for (int line = 1; line <= ConversionView::kNameSlots; ++line) {
        const int slot = ConversionView::kNameSlots + 1 - line;
        const auto before = view_.queries.size();
        controller_.GenerateLine(slot);
        EXPECT_EQ(view_.queries.at(before), "GetNameField:" + std::to_string(slot));
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
        test::ControllerRun run;
        run.Open(c.text);
        EXPECT_EQ(run.controller.TextCharacterSet(), c.set) << c.label;
        const auto script = run.Script();
        EXPECT_EQ(script.substr(0, c.head.size()), c.head) << c.label;
        EXPECT_TRUE(script.ends_with("</HTML>")) << c.label;
    }
}

// A run of kTwoLinesText: open, one command, then the rest without names. With a file-size
// limit on the command, it must fail and leave everything as it was, and trying it again
// must give exactly the script of a run that never failed.
struct FailingCommand {
    const char* label;
    std::function<void(ConversionController&)> prepare;  // done before the disk fills
    std::function<void(ConversionController&)> run;
};
const FailingCommand kFailingCommands[] = {
    {"a named line", [](ConversionController&) {},
     [](ConversionController& c) { c.GenerateLine(1); }},
    {"a note", [](ConversionController&) {}, [](ConversionController& c) { c.GenerateNote(); }},
    {"the rest without names", [](ConversionController&) {},
     [](ConversionController& c) { c.GenerateWithoutNames(); }},
    {"the last line, which finishes the script", [](ConversionController& c) { c.GenerateLine(1); },
     [](ConversionController& c) { c.GenerateLine(2); }},
};

struct FinishedRun {
    std::string script;
    std::size_t beforeCommand = 0;  // the script's length when the command begins
    std::size_t afterCommand = 0;   // the script's length once the command is done
};

FinishedRun RunToTheEnd(const FailingCommand& command, std::optional<std::size_t> limit) {
    test::ControllerRun run;
    auto& view = run.view;
    auto& controller = run.controller;
    view.names[0] = "TOM";
    view.names[1] = "ANN";
    view.note = "call back.";
    run.Open(kTwoLinesText);
    command.prepare(controller);
    const std::size_t beforeCommand = run.Script().size();
    if (limit) {
        const auto script = run.Script();
        const auto log = view.log;
        const auto dialogue = view.dialogue;
        const auto status = view.status;
        const auto scriptPath = (fs::current_path() / "Script.htm").string();
        try {
            const FileSizeLimit full(*limit);
            command.run(controller);
            ADD_FAILURE() << "no FileError at " << *limit << " bytes";
        } catch (const FileError& error) {
            EXPECT_EQ(error.Cause(), FileErrorCause::DiskFull);
            EXPECT_EQ(error.FileName(), scriptPath);
        }
        EXPECT_EQ(view.waitCursorsBegun, view.waitCursorsEnded) << "the wait cursor is off again";
        EXPECT_TRUE(controller.IsAcceptingCommands());
        EXPECT_FALSE(controller.IsScriptFinished());
        EXPECT_EQ(view.note, "call back.") << "a note that failed is still there to retry";
        EXPECT_EQ(run.Script(), script) << "cut back to before";
        EXPECT_EQ(view.log, log);
        EXPECT_EQ(view.dialogue, dialogue);
        EXPECT_EQ(view.status, status);
        // The user frees some space and presses the same button again.
        command.run(controller);
    } else {
        command.run(controller);
    }
    const std::size_t afterCommand = run.Script().size();
    if (controller.IsAcceptingCommands()) {
        controller.GenerateWithoutNames();
    }
    EXPECT_TRUE(controller.IsScriptFinished());
    EXPECT_EQ(view.status, "Script.html successfully generated");
    return {run.Script(), beforeCommand, afterCommand};
}

TEST(ConversionControllerFailures, a_command_that_fails_leaves_everything_as_it_was) {
    VELMORA_NEEDS_A_FULL_DISK();
    for (const auto& command : kFailingCommands) {
        SCOPED_TRACE(command.label);
        const FinishedRun uninterrupted = RunToTheEnd(command, std::nullopt);
        // Every limit from the script's length before the command to just before the command's end,
        // so the disk fills inside each tag and each text the command writes, "</HTML>" included.
        for (std::size_t limit = uninterrupted.beforeCommand; limit < uninterrupted.afterCommand;
             ++limit) {
            SCOPED_TRACE(limit);
            const std::string retried = RunToTheEnd(command, limit).script;
            if (retried != uninterrupted.script) {
                ADD_FAILURE() << "after a retry at " << limit << " bytes:\n"
                              << retried << "\ninstead of\n"
                              << uninterrupted.script;
                break;
            }
        }
    }
}

// Script.htm must be a regular file or nothing: a device would store nothing, or fail.
TEST_F(ConversionControllerTest, a_device_is_never_taken_for_the_script) {
    VELMORA_NEEDS_A_FULL_DISK();
    for (const char* device : {"/dev/full", "/dev/null"}) {
        SCOPED_TRACE(device);
        test::ControllerRun run;
        fs::create_symlink(device, run / "Script.htm");
        run.Open(kWorkedText);
        EXPECT_EQ(run.view.status, "*** Error - Script file failed to open ***");
        EXPECT_EQ(run.view.explanations, Calls{"Script.htm is a folder or a device, not a file."});
        EXPECT_TRUE(fs::is_symlink(run / "Script.htm"));
        for (const auto& command : kGenerateCommands) {
            command.run(run.controller);
            EXPECT_EQ(run.view.calls.back(), kNotOpen) << command.label;
        }
    }
}

// A new script that cannot even be started puts the earlier one back in its place and
// leaves the older kept ones alone, and says nothing of keeping what it gave back.
TEST_F(ConversionControllerTest, an_earlier_script_is_given_back_when_opening_fails) {
    VELMORA_NEEDS_A_FULL_DISK();
    const std::string earlier = "<HTML><BR>An earlier, finished script.<BR></HTML>";
    dir_.Write("Script.htm", earlier);
    dir_.Write("Script.htm.bak", "the oldest script");
    dir_.Write("novel.txt", kWorkedText);
    view_.choice = "novel.txt";
    {
        const FileSizeLimit full(3);  // not even "<HTML>" fits
        EXPECT_THROW(controller_.OpenTextFile(), FileError);
    }
    EXPECT_EQ(Script(), earlier);
    EXPECT_EQ(test::ReadAll(dir_ / "Script.htm.bak"), "the oldest script");
    EXPECT_FALSE(fs::exists(dir_ / "Script.htm.bak2"));
    EXPECT_TRUE(view_.explanations.empty());
    EXPECT_EQ(view_.status, "*** Error - Script file failed to open ***");

    test::RecordingView view;
    ConversionController controller(view);
    view.choice = "novel.txt";
    controller.OpenTextFile();
    EXPECT_EQ(test::ReadAll(dir_ / "Script.htm.bak2"), earlier);
    EXPECT_EQ(test::ReadAll(dir_ / "Script.htm.bak"), "the oldest script");
    EXPECT_EQ(Script(), kWorkedScriptAfterOpen);
    EXPECT_EQ(view.explanations, Calls{"The earlier Script.htm was kept as Script.htm.bak2."});
}

TEST_F(ConversionControllerTest, the_script_is_never_the_text_itself) {
    const std::string novel(kWorkedText);
    struct Case {
        const char* label;
        const char* textName;
        std::function<void()> link;
    };
    const Case cases[] = {
        {"a text named Script.htm", "Script.htm", [] {}},
        {"a symbolic link to the text", "novel.txt",
         [] { fs::create_symlink("novel.txt", "Script.htm"); }},
        {"a hard link to the text", "novel.txt",
         [] { fs::create_hard_link("novel.txt", "Script.htm"); }},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        test::ControllerRun run;
        run.Write(row.textName, novel);
        row.link();
        run.OpenAgain(row.textName);
        EXPECT_EQ(run.view.status, "*** Error - Script file failed to open ***");
        EXPECT_EQ(run.view.explanations,
                  Calls{"The text file itself is Script.htm; rename the text or move it to "
                        "another folder."});
        EXPECT_EQ(test::ReadAll(run / row.textName), novel);
        EXPECT_FALSE(run.controller.IsAcceptingCommands());
    }
}

}  // namespace
}  // namespace velmora
