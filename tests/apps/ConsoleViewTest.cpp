#include "apps/convert/ConsoleView.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(ConsoleView, choosing_the_text_moves_to_its_folder) {
    test::TempDir dir;
    test::CurrentDirectory inDir(dir.Path());
    fs::create_directories(dir / "a" / "b");
    std::ostringstream status;

    ConsoleView nested("a/b/novel.txt", true, status, nullptr);
    EXPECT_EQ(nested.ChooseTextFile(), "novel.txt");
    EXPECT_EQ(fs::current_path(), fs::canonical(dir / "a" / "b"));

    ConsoleView bare("other.txt", true, status, nullptr);
    EXPECT_EQ(bare.ChooseTextFile(), "other.txt");
    EXPECT_EQ(fs::current_path(), fs::canonical(dir / "a" / "b"));

    ConsoleView absolute((dir / "a" / "x.txt").string(), true, status, nullptr);
    EXPECT_EQ(absolute.ChooseTextFile(), "x.txt");
    EXPECT_EQ(fs::current_path(), fs::canonical(dir / "a"));

    ConsoleView missing((dir / "nowhere" / "x.txt").string(), true, status, nullptr);
    EXPECT_EQ(missing.ChooseTextFile(), (dir / "nowhere" / "x.txt").string())
        << "a folder that cannot be entered is left for loading to report";
    EXPECT_EQ(fs::current_path(), fs::canonical(dir / "a"));
}

TEST(ConsoleView, statuses_and_log_lines_go_out_one_per_line) {
    std::ostringstream status;
    std::ostringstream log;
    ConsoleView view("novel.txt", false, status, &log);
    view.SetStatus("Loading text file");
    view.AppendLogLine("one\ntwo\n");
    view.AppendLogLine("");
    view.AppendLogLine("<END OF FILE>");
    view.SetStatus("Script.html successfully generated");
    EXPECT_EQ(status.str(), "Loading text file\nScript.html successfully generated\n");
    EXPECT_EQ(log.str(), "one two \n\n<END OF FILE>\n");
    EXPECT_EQ(view.LogLineCount(), 3);
    EXPECT_FALSE(view.IsScreenPlaySelected());

    ConsoleView quiet("novel.txt", true, status, nullptr);
    quiet.AppendLogLine("unseen");
    EXPECT_EQ(quiet.LogLineCount(), 1);
}

}  // namespace
}  // namespace velmora
