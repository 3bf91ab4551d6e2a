// velmora-convert --export run as a user would: the exports written beside Script.htm at the
// end of a run, or of the Script.htm already there with --existing, which changes nothing
// else and refuses what is no script of the text.
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string err;
};

Outcome RunConvert(const fs::path& folder, const std::string& arguments) {
    const test::TempDir capture;
    const std::string command = "cd '" + folder.string() + "' && '" VELMORA_CONVERT_PROGRAM "' " +
                                arguments + " >/dev/null 2>'" + (capture / "err").string() +
                                "' </dev/null";
    const int result = std::system(command.c_str());
    return {WIFEXITED(result) ? WEXITSTATUS(result) : -1, test::ReadAll(capture / "err")};
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string joined;
    for (const auto& line : lines) {
        joined += line + '\n';
    }
    return joined;
}

// Every file in a folder and below, with its bytes.
std::map<std::string, std::string> Files(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).string()] = test::ReadAll(entry.path());
        }
    }
    return files;
}

constexpr std::string_view kText =
    "Narration one.\r\n\r\n\"Hi,\" he said.\r\n\r\nMiddle.\r\n\r\n"
    "\"Bye,\" she said, \"now.\"\r\n\r\nEnd.";
// Script.htm of kText after its first line was named TOM, the window closed then.
constexpr std::string_view kUnfinished =
    "<HTML><BR>Narration one.<BR>"
    "<BR><CENTER>TOM</CENTER><DD>(he said)</DD><DD>Hi.</DD><BR>"
    "<BR>Middle.<BR>";

const std::string kStatuses =
    Lines({"Loading text file", "Text file loaded successfully",
           "Generating script without characternames", "Script.html successfully generated"});

// What each export starts with.
const std::map<std::string, std::string> kStarts = {
    {"Script.fountain", "Title: novel"},
    {"Script.fdx", "<?xml"},
    {"Script.pdf", "%PDF-"},
};

TEST(ExportProgram, each_list_form_writes_its_exports_beside_the_script_at_the_end) {
    struct Case {
        std::string list;
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {"fountain", {"Script.fountain"}},
        {"fdx,pdf", {"Script.fdx", "Script.pdf"}},
        {"pdf,fountain,pdf", {"Script.pdf", "Script.fountain"}},
        {"all", {"Script.fountain", "Script.fdx", "Script.pdf"}},
    };
    for (const Case& c : cases) {
        const test::TempDir dir;
        fs::create_directory(dir / "texts");
        dir.Write("texts/novel.txt", kText);
        const Outcome run = RunConvert(dir.Path(), "--export=" + c.list + " texts/novel.txt");
        EXPECT_EQ(run.status, 0) << c.list << ": " << run.err;
        std::string expected = kStatuses;
        for (const std::string& name : c.written) {
            expected += "Exported the script as texts/" + name + ".\n";
        }
        EXPECT_EQ(run.err, expected) << c.list;
        const auto files = Files(dir / "texts");
        EXPECT_EQ(files.size(), 2 + c.written.size()) << c.list << ": the text and Script.htm";
        for (const std::string& name : c.written) {
            ASSERT_EQ(files.count(name), 1U) << c.list << ": " << name;
            EXPECT_TRUE(files.at(name).starts_with(kStarts.at(name))) << c.list << ": " << name;
        }
    }
}

TEST(ExportProgram, existing_exports_a_script_of_the_text_and_changes_nothing_else) {
    struct Case {
        const char* label;
        std::string script;  // empty: made by a run naming the first line TOM
        int status;
        std::string err;
        bool holdsBye;  // the export goes on past the first line
    };
    const Case cases[] = {
        {"finished", "", 0, "Exported the script as texts/Script.fountain.\n", true},
        {"unfinished", std::string(kUnfinished), 0,
         "Exported the script as texts/Script.fountain.\n", false},
        {"another text's", "<HTML><BR>Another story.<BR></HTML>", 1,
         "texts/Script.htm was not exported: it is a script of another text.\n", false},
        {"not a script", "Dear diary,", 1,
         "texts/Script.htm was not exported: it is not a script.\n", false},
    };
    for (const Case& c : cases) {
        const test::TempDir dir;
        fs::create_directory(dir / "texts");
        dir.Write("texts/novel.txt", kText);
        if (c.script.empty()) {
            dir.Write("cast.txt", "TOM\n");
            ASSERT_EQ(RunConvert(dir.Path(), "--names cast.txt texts/novel.txt").status, 0);
        } else {
            dir.Write("texts/Script.htm", c.script);
        }
        const auto before = Files(dir.Path());
        const Outcome run =
            RunConvert(dir.Path(), "--export=fountain --existing --stage texts/novel.txt");
        EXPECT_EQ(run.status, c.status) << c.label;
        EXPECT_EQ(run.err, c.err) << c.label;
        auto after = Files(dir.Path());
        const auto exported = after.find("texts/Script.fountain");
        EXPECT_EQ(exported != after.end(), c.status == 0) << c.label;
        if (exported != after.end()) {
            EXPECT_NE(exported->second.find("TOM"), std::string::npos) << c.label;
            EXPECT_EQ(exported->second.find("Bye") != std::string::npos, c.holdsBye) << c.label;
            after.erase(exported);
        }
        EXPECT_TRUE(after == before) << c.label << ": every other file as it was, none added";
    }
}

// However the questions at load were answered when the script was made, --existing finds the
// reading that made it, whatever its own options say.
TEST(ExportProgram, existing_finds_the_reading_the_script_was_made_with) {
    std::string lfText(kText);
    for (std::size_t at = lfText.find("\r\n"); at != std::string::npos;
         at = lfText.find("\r\n", at)) {
        lfText.erase(at, 1);
    }
    struct Case {
        const char* label;
        std::string text;
        std::string options;  // of the run that made the script
        bool holdsBye;        // the dialogue of the last paragraph stands apart
    };
    const Case cases[] = {
        {"blank lines as breaks", lfText, "--blank-lines=yes", true},
        {"read as it is", lfText, "--blank-lines=no", false},
        {"typographic quotes kept", "\xE2\x80\x9CHi,\xE2\x80\x9D he said.\r\n\r\nEnd.",
         "--typographic-quotes=no", false},
    };
    for (const Case& c : cases) {
        const test::TempDir dir;
        dir.Write("novel.txt", c.text);
        dir.Write("cast.txt", "TOM\n");
        ASSERT_EQ(RunConvert(dir.Path(), "--names cast.txt " + c.options + " novel.txt").status, 0)
            << c.label;
        const Outcome run = RunConvert(dir.Path(), "--export=fountain --existing novel.txt");
        EXPECT_EQ(run.status, 0) << c.label << ": " << run.err;
        const std::string exported = test::ReadAll(dir / "Script.fountain");
        EXPECT_EQ(exported.find("\nBye") != std::string::npos, c.holdsBye) << c.label << exported;
    }
}

TEST(ExportProgram, refusals_and_wrong_usage_export_nothing) {
    const test::TempDir dir;
    struct Case {
        std::string arguments;
        int status;
        std::string err;  // its start
    };
    const Case cases[] = {
        {"--export=all --existing novel.txt", 1,
         "novel.txt could not be read: No such file or directory.\n"},
        {"--export=all --existing novel.txt", 1,
         "There is no Script.htm beside the text to export.\n"},
        {"--continue --export=all novel.txt", 1,
         Lines({"Loading text file", "Text file loaded successfully",
                "*** Error - Script file failed to open ***",
                "There is no Script.htm beside the text to go on with."})},
        {"--export=docx novel.txt", 64,
         "velmora-convert: option '--export' takes fountain, fdx, pdf (comma-separated) or all, "
         "not 'docx'\nUsage: "},
    };
    for (const Case& c : cases) {
        const Outcome run = RunConvert(dir.Path(), c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_TRUE(run.err.starts_with(c.err)) << c.arguments << ": " << run.err;
        dir.Write("novel.txt", kText);  // there from the second case on
    }
    EXPECT_EQ(Files(dir.Path()).size(), 1U) << "only the text";
}

}  // namespace
}  // namespace velmora
