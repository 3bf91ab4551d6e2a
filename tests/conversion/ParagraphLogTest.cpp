#include "conversion/ParagraphLog.h"

#include "tests/conversion/RecordingView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

struct LogCase {
    const char* label;
    std::string text;
    Lines lines;
};

// One log line per text line, cut at every CR; the byte after a CR is dropped only when it
// is the LF of a CR LF, then one empty line closes the paragraph.
const std::vector<LogCase> kLogCases = {
    {"one line", "One line", {"One line", ""}},
    {"CR LF inside", "First\r\nSecond", {"First", "Second", ""}},
    {"ends in CR LF", "Last\r\n", {"Last", "", ""}},
    {"lone CR keeps the byte after it", "a\rbc", {"a", "bc", ""}},
    {"ends in lone CR", "x\r", {"x", "", ""}},
    {"note line", "NOTE: call back", {"NOTE: call back", ""}},
    {"empty", "", {"", ""}},
    {"only CR LF", "\r\n", {"", "", ""}},
    {"only CR", "\r", {"", "", ""}},
    {"lone CR before CR LF", "a\r\r\nb", {"a", "", "b", ""}},
    {"CR LF then lone CR", "a\r\n\rb", {"a", "", "b", ""}},
    {"LF alone is no break", "one\n\ntwo", {"one\n\ntwo", ""}},
    {"blank line inside", "a\r\n \r\nb", {"a", " ", "b", ""}},
    {"LF CR pair", "a\n\rb", {"a\n", "b", ""}},
};

TEST(ParagraphLog, adds_one_line_per_text_line_then_an_empty_line) {
    for (const auto& c : kLogCases) {
        test::RecordingView view;
        LogParagraph(view, c.text);
        EXPECT_EQ(view.log, c.lines) << c.label;
    }
}

TEST(ParagraphLog, scrolls_once_to_the_last_line_after_all_lines) {
    test::RecordingView view;
    view.log = {"earlier", "lines", "here"};
    LogParagraph(view, "First\r\nSecond");
    const Lines expected = {"AppendLogLine:First", "AppendLogLine:Second",
                            "AppendLogLine:", "ScrollLogTo:5"};
    EXPECT_EQ(view.calls, expected);
}

TEST(ParagraphLog, handles_a_paragraph_of_many_thousand_lines) {
    std::string text;
    constexpr int kLines = 50000;
    for (int i = 0; i < kLines; ++i) {
        text += "line\r\n";
    }
    test::RecordingView view;
    LogParagraph(view, text);
    ASSERT_EQ(view.log.size(), kLines + 2U);
    EXPECT_EQ(view.log.front(), "line");
    EXPECT_EQ(view.log[kLines - 1], "line");
    EXPECT_EQ(view.log[kLines], "");
    EXPECT_EQ(view.topLogLine, kLines + 1);
}

}  // namespace
}  // namespace velmora
