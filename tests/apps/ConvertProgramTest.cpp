// Runs the built velmora-convert as a user would and checks its files, output and exit status.

#include "tests/support/ScriptLines.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;

struct Run {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program in folder with the arguments (a shell command line), after the shell
// commands in before (limits for the program, say).
Run RunConvert(const fs::path& folder, const std::string& arguments,
               const std::string& before = "true") {
    const test::TempDir capture;
    const std::string command = "cd '" + folder.string() + "' && " + before + " && '" +
                                VELMORA_CONVERT_PROGRAM "' " + arguments + " >'" +
                                (capture / "out").string() + "' 2>'" + (capture / "err").string() +
                                "' </dev/null";
    const int result = std::system(command.c_str());
    Run run;
    run.status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    run.out = test::ReadAll(capture / "out");
    run.err = test::ReadAll(capture / "err");
    return run;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string joined;
    for (const auto& line : lines) {
        joined += line;
        joined += '\n';
    }
    return joined;
}

constexpr std::string_view kTwoLinesText =
    "Narration one.\r\n\r\n\"Hi,\" he said.\r\n\r\nMiddle.\r\n\r\n"
    "\"Bye,\" she said, \"now.\"\r\n\r\nEnd.";

const std::string kFinishedStatuses =
    Lines({"Loading text file", "Text file loaded successfully",
           "Generating script without characternames", "Script.html successfully generated"});

class ConvertProgramTest : public ::testing::Test {
protected:
    [[nodiscard]] std::string Script() const { return test::ReadAll(dir_ / "Script.htm"); }

    test::TempDir dir_;
};

TEST_F(ConvertProgramTest, without_names_finishes_with_placeholders) {
    dir_.Write("novel.txt", kTwoLinesText);
    const auto run = RunConvert(dir_.Path(), "novel.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, kFinishedStatuses);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Script(),
              "<HTML><BR>Narration one.<BR>"
              "<BR><CENTER>CHARACTERNAME</CENTER><DD>(he said)</DD><DD>Hi.</DD><BR>"
              "<BR>Middle.<BR>"
              "<BR><CENTER>CHARACTERNAME</CENTER><DD>(she said)</DD><DD>Bye, now.</DD><BR>"
              "<BR>End.<BR></HTML>");
}

TEST_F(ConvertProgramTest, stage_play_with_the_log) {
    dir_.Write("novel.txt", "Dark.\r\nStill dark.\r\n\r\n\"Hi,\" he said.");
    const auto run = RunConvert(dir_.Path(), "--stage --log novel.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              Lines({"Dark.", "Still dark.", "", "\"Hi,\" he said.", "", "", "<END OF FILE>"}));
    EXPECT_EQ(Script(),
              "<HTML><BR><DD><I>(Dark.\r\nStill dark)</I></DD>"
              "<BR><B><CENTER>CHARACTERNAME</CENTER></B><DD><I>(he said)</I></DD>"
              "Hi.<BR></HTML>");
}

TEST_F(ConvertProgramTest, log_keeps_one_output_line_per_log_line) {
    dir_.Write("novel.txt", "one\ntwo\r\nthree");
    const auto run = RunConvert(dir_.Path(), "--log novel.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, Lines({"one two", "three", "", "", "<END OF FILE>"}));
}

TEST_F(ConvertProgramTest, names_and_notes_from_a_file_then_the_rest_without_names) {
    fs::create_directory(dir_ / "texts");
    dir_.Write("texts/novel.txt", kTwoLinesText);
    dir_.Write("cast.txt", "TOM\r\nNOTE: aside\r\n");  // found before moving to texts/
    const auto run = RunConvert(dir_.Path(), "--log --names cast.txt texts/novel.txt");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, kFinishedStatuses);
    EXPECT_EQ(run.out,
              Lines({"Narration one.", "", "\"Hi,\" he said.", "", "Middle.", "",
                     "\"Bye,\" she said, \"now.\"", "", "NOTE: aside", "", "", "<END OF FILE>"}));
    EXPECT_EQ(test::ReadAll(dir_ / "texts" / "Script.htm"),
              "<HTML><BR>Narration one.<BR>"
              "<BR><CENTER>TOM</CENTER><DD>(he said)</DD><DD>Hi.</DD><BR>"
              "<BR>Middle.<BR>"
              "<BR>NOTE: aside<BR>"
              "<BR><CENTER>CHARACTERNAME</CENTER><DD>(she said)</DD><DD>Bye, now.</DD><BR>"
              "<BR>End.<BR></HTML>");
    EXPECT_FALSE(fs::exists(dir_ / "Script.htm"));
}

TEST_F(ConvertProgramTest, names_left_over_when_the_text_ends_are_not_used) {
    dir_.Write("novel.txt", kTwoLinesText);
    dir_.Write("cast.txt", "TOM\nANN\nBOB\nNOTE: never\n");
    const auto run = RunConvert(dir_.Path(), "--names=cast.txt novel.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              Lines({"Loading text file", "Text file loaded successfully",
                     "Script.html successfully generated", "1 name and 1 note were not used"}));
    const auto script = Script();
    EXPECT_NE(script.find("<CENTER>TOM</CENTER>"), std::string::npos);
    EXPECT_NE(script.find("<CENTER>ANN</CENTER>"), std::string::npos);
    EXPECT_EQ(script.find("BOB"), std::string::npos);
    EXPECT_EQ(script.find("never"), std::string::npos);
    EXPECT_TRUE(script.ends_with("<BR>End.<BR></HTML>"));
}

TEST_F(ConvertProgramTest, a_not_dialogue_line_writes_the_paragraph_as_narration) {
    dir_.Write("novel.txt", kTwoLinesText);
    dir_.Write("cast.txt", "NOT DIALOGUE:\nANN\nNOT DIALOGUE:\n");
    auto run = RunConvert(dir_.Path(), "--names cast.txt novel.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              Lines({"Loading text file", "Text file loaded successfully",
                     "Script.html successfully generated", "1 NOT DIALOGUE: line was not used"}));
    EXPECT_EQ(Script(),
              "<HTML><BR>Narration one.<BR>"
              "<BR>\"Hi,\" he said.<BR>"
              "<BR>Middle.<BR>"
              "<BR><CENTER>ANN</CENTER><DD>(she said)</DD><DD>Bye, now.</DD><BR>"
              "<BR>End.<BR></HTML>");

    // More after the mark is refused before the text is read, naming the line.
    dir_.Write("cast.txt", "ANN\r\nNOT DIALOGUE: TOM\r\n");
    fs::remove(dir_ / "Script.htm");
    run = RunConvert(dir_.Path(), "--names cast.txt novel.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "velmora-convert: the names file 'cast.txt' has more than NOT DIALOGUE: "
              "at line 2\n");
    EXPECT_FALSE(fs::exists(dir_ / "Script.htm"));
}

TEST_F(ConvertProgramTest, names_reach_the_script_in_the_text_character_set) {
    struct CharsetCase {
        const char* label;
        std::string text;
        std::string names;
        std::string written;
    };
    const CharsetCase cases[] = {
        {"Windows-1252 text", "Caf\xE9.\r\n\r\n\"Oui.\"\r\n\r\n\"Non.\"",
         "Jos\xC3\xA9\n\xCE\xA9mega\n",
         "<CENTER>Jos\xE9</CENTER><DD>Oui.</DD><BR>"
         "<BR><CENTER>&#937;mega</CENTER>"},
        {"ASCII text", "Cafe.\r\n\r\n\"Oui.\"\r\n\r\n\"Non.\"", "Jos\xC3\xA9\n\xCE\xA9mega\n",
         "<CENTER>Jos&#233;</CENTER><DD>Oui.</DD><BR>"
         "<BR><CENTER>&#937;mega</CENTER>"},
        {"UTF-8 text", "Caf\xC3\xA9.\r\n\r\n\"Oui.\"\r\n\r\n\"Non.\"",
         "Jos\xC3\xA9\n\xCE\xA9mega\n",
         "<CENTER>Jos\xC3\xA9</CENTER><DD>Oui.</DD><BR>"
         "<BR><CENTER>\xCE\xA9mega</CENTER>"},
    };
    for (const auto& c : cases) {
        dir_.Write("novel.txt", c.text);
        dir_.Write("cast.txt", c.names);
        const auto run = RunConvert(dir_.Path(), "--names cast.txt novel.txt");
        EXPECT_EQ(run.status, 0) << c.label;
        EXPECT_NE(Script().find(c.written), std::string::npos) << c.label << ": " << Script();
    }
}

TEST_F(ConvertProgramTest, refused_or_unstarted_conversions_exit_with_1) {
    dir_.Write("novel.txt", kTwoLinesText);

    auto run = RunConvert(dir_.Path(), "missing.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, Lines({"Loading text file", "*** Error - Text file failed to load ***",
                              "missing.txt could not be read: No such file or directory."}));

    run = RunConvert(dir_.Path(), "nowhere/novel.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, Lines({"Loading text file", "*** Error - Text file failed to load ***",
                              "nowhere/novel.txt could not be read: No such file or directory."}));

    run = RunConvert(dir_.Path(), "--names missing-cast.txt novel.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "velmora-convert: cannot open the names file 'missing-cast.txt'\n");
    EXPECT_FALSE(fs::exists(dir_ / "Script.htm"));

    fs::create_directory(dir_ / "Script.htm");
    run = RunConvert(dir_.Path(), "--log novel.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, Lines({"Loading text file", "Text file loaded successfully",
                              "*** Error - Script file failed to open ***",
                              "Script.htm is a folder or a device, not a file."}));
    EXPECT_EQ(run.out, Lines({" ", std::string(46, '*'), "Is 'Script.htm' open in MS Word?",
                              std::string(46, '*')}));
}

TEST_F(ConvertProgramTest, file_errors_exit_with_2_and_their_message) {
    std::string text;
    for (int paragraph = 0; paragraph < 200; ++paragraph) {
        text += kTwoLinesText;
        text += "\r\n\r\n";
    }
    dir_.Write("novel.txt", text);
    // A disk that fills after 1 KiB, the program told of it rather than ended.
    const auto run = RunConvert(dir_.Path(), "novel.txt", "trap '' XFSZ && ulimit -f 1");
    EXPECT_EQ(run.status, 2);
    const auto script = (fs::canonical(dir_.Path()) / "Script.htm").string();
    EXPECT_EQ(run.err,
              Lines({"Loading text file", "Text file loaded successfully",
                     "Generating script without characternames", "Text file loaded successfully",
                     "Disk full while accessing " + script + "."}));
    EXPECT_EQ(Script(), "<HTML><BR>Narration one.<BR>") << "cut back to before the command";
}

TEST_F(ConvertProgramTest, wrong_usage_exits_with_64) {
    for (const std::string arguments : {"", "--bogus novel.txt", "a.txt b.txt", "--names"}) {
        const auto run = RunConvert(dir_.Path(), arguments);
        EXPECT_EQ(run.status, 64) << arguments;
        EXPECT_TRUE(run.err.starts_with("velmora-convert: ")) << arguments;
        EXPECT_NE(run.err.find("Usage: velmora-convert"), std::string::npos) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
    }
    EXPECT_FALSE(fs::exists(dir_ / "Script.htm"));
}

constexpr const char* kKeptBackup = "The earlier Script.htm was kept as Script.htm.bak.";

// The novels of the corpus beside the repository, converted whole in both formats.
TEST_F(ConvertProgramTest, converts_every_corpus_text_in_both_formats) {
    const fs::path corpus = VELMORA_CORPUS_DIR;
    if (!fs::is_directory(corpus)) {
        GTEST_SKIP() << "no corpus at " << corpus;
    }
    int texts = 0;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        if (entry.path().extension() != ".txt") {
            continue;
        }
        ++texts;
        const test::TempDir folder;  // the corpus is read-only: link the text elsewhere
        fs::create_symlink(fs::absolute(entry.path()), folder / entry.path().filename().string());
        std::string earlier;
        for (const std::string format : {"", "--stage "}) {
            const auto label = format + entry.path().filename().string();
            const auto run = RunConvert(folder.Path(), label);
            EXPECT_EQ(run.status, 0) << label;
            // The second run keeps the first one's script beside its own.
            EXPECT_EQ(run.err, earlier.empty()
                                   ? kFinishedStatuses
                                   : Lines({"Loading text file", "Text file loaded successfully",
                                            kKeptBackup, "Generating script without characternames",
                                            "Script.html successfully generated"}))
                << label;
            if (!earlier.empty()) {
                EXPECT_TRUE(test::ReadAll(folder / "Script.htm.bak") == earlier) << label;
            }
            const auto script = test::ReadAll(folder / "Script.htm");
            earlier = script;
            EXPECT_TRUE(script.starts_with("<HTML><BR>")) << label;
            EXPECT_TRUE(script.ends_with("</HTML>")) << label;
            EXPECT_NE(script.find("CHARACTERNAME"), std::string::npos) << label;
        }
    }
    EXPECT_GT(texts, 0);
}

// The straight quotes of a text as typographic ones, opening and closing in turn within
// each paragraph, as an ebook would have them.
std::string WithTypographicQuotes(std::string_view text) {
    std::string curly;
    bool open = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 4) == "\r\n\r\n") {
            open = true;
        }
        if (text[i] == '"') {
            curly += open ? "\xE2\x80\x9C" : "\xE2\x80\x9D";
            open = !open;
        } else {
            curly += text[i];
        }
    }
    return curly;
}

// The META declaration the script gets for a UTF-8 text.
constexpr std::string_view kUtf8Declaration =
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">";

TEST_F(ConvertProgramTest, typographic_quotes_find_the_same_dialogue_as_straight_ones) {
    const fs::path novel = fs::path(VELMORA_CORPUS_DIR) / "pride-and-prejudice-crlf.txt";
    if (!fs::exists(novel)) {
        GTEST_SKIP() << "no corpus at " << novel;
    }
    const std::string straight = test::ReadAll(novel);
    const std::string curly = WithTypographicQuotes(straight);
    ASSERT_EQ(curly.find('"'), std::string::npos);

    const test::TempDir straightDir;
    straightDir.Write("novel.txt", straight);
    ASSERT_EQ(RunConvert(straightDir.Path(), "--stage novel.txt").status, 0);
    const std::string expected = test::ReadAll(straightDir / "Script.htm");
    std::size_t lines = 0;
    for (auto at = expected.find("<B><CENTER>"); at != std::string::npos;
         at = expected.find("<B><CENTER>", at + 1)) {
        ++lines;
    }
    ASSERT_GT(lines, 1000U) << "the novel has over a thousand lines of dialogue";

    dir_.Write("novel.txt", curly);
    auto run = RunConvert(dir_.Path(), "--stage --typographic-quotes=yes novel.txt");
    EXPECT_EQ(run.status, 0);
    std::string script = Script();
    ASSERT_TRUE(script.starts_with("<HTML>" + std::string(kUtf8Declaration)));
    script.erase(6, kUtf8Declaration.size());
    EXPECT_TRUE(script == expected) << "every line of dialogue found as with straight quotes";
    EXPECT_EQ(test::ReadAll(dir_ / "novel.txt"), curly) << "the text file is never changed";

    // Standard input is not a terminal here, so asking means yes.
    run = RunConvert(dir_.Path(), "--stage novel.txt");
    EXPECT_EQ(run.status, 0);
    script = Script();
    script.erase(6, kUtf8Declaration.size());
    EXPECT_TRUE(script == expected);

    run = RunConvert(dir_.Path(), "--stage --typographic-quotes=no novel.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Script().find("CHARACTERNAME"), std::string::npos) << "no dialogue found";
}

TEST_F(ConvertProgramTest, help_and_version) {
    auto run = RunConvert(dir_.Path(), "--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with("Usage: velmora-convert [--stage] [--names FILE] [--log]"));
    EXPECT_EQ(run.err, "");

    EXPECT_NE(run.out.find("  --blank-lines=ask|yes|no\n"), std::string::npos);
    EXPECT_NE(run.out.find("  --gutenberg=ask|yes|no\n"), std::string::npos);

    run = RunConvert(dir_.Path(), "--version");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "velmora-convert " VELMORA_VERSION "\n");
}

TEST_F(ConvertProgramTest, the_reading_options_answer_the_questions) {
    // LF line ends, and a quotation in Project Gutenberg's licence.
    const std::string_view text =
        "Header.\n\n*** START OF THE PROJECT GUTENBERG EBOOK DAWN ***\n\n"
        "\"Hi,\" said Ann.\n\nDusk.\n\n\"Bye,\" said Tom.\n\n"
        "*** END OF THE PROJECT GUTENBERG EBOOK DAWN ***\n\n\"Project Gutenberg\" is ours.\n";
    struct Case {
        const char* options;
        int lines;    // of dialogue
        bool header;  // the script begins with the header
    };
    const Case cases[] = {
        {"", 2, false},  // standard input is not a terminal: each question is answered yes
        {"--blank-lines=yes --gutenberg=yes", 2, false},
        {"--gutenberg=no", 3, true},
        {"--blank-lines=no", 1, false},
        {"--blank-lines=no --gutenberg=no", 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const test::TempDir folder;
        folder.Write("novel.txt", text);
        const auto run = RunConvert(folder.Path(), std::string(c.options) + " novel.txt");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, kFinishedStatuses);
        const std::string script = test::ReadAll(folder / "Script.htm");
        EXPECT_EQ(test::ScreenPlayLines(script).size(), static_cast<std::size_t>(c.lines));
        EXPECT_EQ(script.starts_with("<HTML><BR>Header.<BR>"), c.header);
    }
}

// One novel as plain text and as the documents pandoc and LibreOffice made of it (the book
// without Project Gutenberg's matter, as the text is read by default), named from the same
// names file: the same lines of dialogue with the same names. What the formats force: a
// paragraph's lines are joined (compared with white space as one space), and the EPUB's
// title page adds narration before the book.
TEST_F(ConvertProgramTest, documents_give_the_lines_of_their_plain_text_twin) {
    const fs::path novel = fs::path(VELMORA_CORPUS_DIR) / "pride-and-prejudice-crlf.txt";
    if (!fs::exists(novel)) {
        GTEST_SKIP() << "no corpus at " << novel;
    }
    const fs::path data = VELMORA_TEST_DATA_DIR;
    std::string names;
    for (const std::string& name :
         test::SpeakerNames(test::ReadAll(data / "pride-and-prejudice-first-100-speakers.txt"))) {
        names += name + "\n";
    }
    dir_.Write("names.txt", names);
    const auto linesOf = [&](const fs::path& file) {
        const test::TempDir folder;
        folder.Write(file.filename().string(), test::ReadAll(file));
        const auto run = RunConvert(folder.Path(), "--names '" + (dir_ / "names.txt").string() +
                                                       "' '" + file.filename().string() + "'");
        EXPECT_EQ(run.status, 0) << file << ": " << run.err;
        EXPECT_EQ(test::ReadAll(folder / file.filename().string()), test::ReadAll(file));
        return test::ScreenPlayLines(test::ReadAll(folder / "Script.htm"));
    };
    const auto named = [](const std::vector<std::string>& lines) {
        return std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
            return !line.starts_with("<CENTER>CHARACTERNAME<");
        });
    };
    const std::vector<std::string> expected = linesOf(novel);
    std::cout << novel.filename().string() << ": " << expected.size() << " lines of dialogue, "
              << named(expected) << " named\n";
    ASSERT_GT(expected.size(), 1000U);
    EXPECT_EQ(named(expected), 100);
    for (const char* file :
         {"pride-and-prejudice.pandoc.epub", "pride-and-prejudice.libreoffice.docx",
          "pride-and-prejudice.libreoffice.odt"}) {
        SCOPED_TRACE(file);
        const std::vector<std::string> lines = linesOf(data / "documents" / file);
        std::cout << file << ": " << lines.size() << " lines of dialogue, " << named(lines)
                  << " named\n";
        EXPECT_TRUE(lines == expected);
    }
}

}  // namespace
}  // namespace velmora
