#include "apps/convert/CommandLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace velmora {
namespace {

using Action = ConvertOptions::Action;
using Arguments = std::vector<std::string_view>;

struct ConvertCase {
    Arguments arguments;
    bool stagePlay;
    bool printLog;
    std::optional<std::string> namesFile;
    std::string textFile;
};

TEST(CommandLine, reads_the_options_of_a_conversion) {
    const ConvertCase cases[] = {
        {{"novel.txt"}, false, false, std::nullopt, "novel.txt"},
        {{"--stage", "novel.txt"}, true, false, std::nullopt, "novel.txt"},
        {{"novel.txt", "--log"}, false, true, std::nullopt, "novel.txt"},
        {{"--names", "cast.txt", "dir/novel.txt"}, false, false, "cast.txt", "dir/novel.txt"},
        {{"--names=cast.txt", "--stage", "--log", "n.txt"}, true, true, "cast.txt", "n.txt"},
        {{"--names", "a", "--names", "b", "n.txt"}, false, false, "b", "n.txt"},
        {{"--", "--stage"}, false, false, std::nullopt, "--stage"},
        {{"--log", "--", "-"}, false, true, std::nullopt, "-"},
        {{"-"}, false, false, std::nullopt, "-"},
        {{"--names", "--log", "n.txt"}, false, false, "--log", "n.txt"},
    };
    for (const auto& c : cases) {
        const auto label = ::testing::PrintToString(c.arguments);
        const auto options = ParseCommandLine(c.arguments);
        ASSERT_EQ(options.action, Action::Convert) << label << ": " << options.error;
        EXPECT_EQ(options.stagePlay, c.stagePlay) << label;
        EXPECT_EQ(options.printLog, c.printLog) << label;
        EXPECT_EQ(options.namesFile, c.namesFile) << label;
        EXPECT_EQ(options.textFile, c.textFile) << label;
    }
}

TEST(CommandLine, typographic_quotes_answer) {
    using Answer = ConvertOptions::Answer;
    const std::vector<std::pair<Arguments, Answer>> cases = {
        {{"n.txt"}, Answer::Ask},
        {{"--typographic-quotes=ask", "n.txt"}, Answer::Ask},
        {{"--typographic-quotes=yes", "n.txt"}, Answer::Yes},
        {{"--typographic-quotes=no", "n.txt"}, Answer::No},
    };
    for (const auto& [arguments, answer] : cases) {
        const auto options = ParseCommandLine(arguments);
        ASSERT_EQ(options.action, Action::Convert) << ::testing::PrintToString(arguments);
        EXPECT_EQ(options.typographicQuotes, answer) << ::testing::PrintToString(arguments);
    }
    for (const Arguments& wrong : {Arguments{"--typographic-quotes=maybe", "n.txt"},
                                   Arguments{"--typographic-quotes", "n.txt"}}) {
        EXPECT_EQ(ParseCommandLine(wrong).action, Action::UsageError)
            << ::testing::PrintToString(wrong);
    }
}

TEST(CommandLine, reading_answers) {
    using Answer = ConvertOptions::Answer;
    struct ReadingCase {
        Arguments arguments;
        Answer blankLines;
        Answer gutenberg;
        Answer typographicQuotes;
    };
    const ReadingCase cases[] = {
        {{"n.txt"}, Answer::Ask, Answer::Ask, Answer::Ask},
        {{"--blank-lines=no", "n.epub"}, Answer::No, Answer::Ask, Answer::Ask},
        {{"--gutenberg=yes", "--blank-lines=yes", "n.txt"}, Answer::Yes, Answer::Yes, Answer::Ask},
        {{"--gutenberg=no", "--typographic-quotes=no", "--gutenberg=ask", "n.txt"},
         Answer::Ask,
         Answer::Ask,
         Answer::No},
    };
    for (const auto& c : cases) {
        const auto label = ::testing::PrintToString(c.arguments);
        const auto options = ParseCommandLine(c.arguments);
        ASSERT_EQ(options.action, Action::Convert) << label << ": " << options.error;
        EXPECT_EQ(options.blankLines, c.blankLines) << label;
        EXPECT_EQ(options.gutenberg, c.gutenberg) << label;
        EXPECT_EQ(options.typographicQuotes, c.typographicQuotes) << label;
    }
    const std::pair<Arguments, const char*> wrong[] = {
        {{"--blank-lines=maybe", "n.txt"}, "option '--blank-lines' takes ask, yes or no"},
        {{"--gutenberg=", "n.txt"}, "option '--gutenberg' takes ask, yes or no"},
        {{"--gutenberg", "n.txt"}, "unknown option '--gutenberg'"},
    };
    for (const auto& [arguments, error] : wrong) {
        const auto options = ParseCommandLine(arguments);
        EXPECT_EQ(options.action, Action::UsageError) << ::testing::PrintToString(arguments);
        EXPECT_EQ(options.error, error);
    }
}

TEST(CommandLine, help_and_version_answer_at_once) {
    const std::vector<std::pair<Arguments, Action>> cases = {
        {{"--help"}, Action::ShowHelp},
        {{"--version"}, Action::ShowVersion},
        {{"novel.txt", "--help"}, Action::ShowHelp},
        {{"--help", "--bogus"}, Action::ShowHelp},
        {{"--version", "--help"}, Action::ShowVersion},
        {{"--bogus", "--help"}, Action::UsageError},
        {{"--", "--help"}, Action::Convert},
    };
    for (const auto& [arguments, action] : cases) {
        EXPECT_EQ(ParseCommandLine(arguments).action, action)
            << ::testing::PrintToString(arguments);
    }
}

TEST(CommandLine, wrong_usage_says_why) {
    const std::vector<std::pair<Arguments, std::string>> cases = {
        {{}, "no text file given"},
        {{"--stage", "--log"}, "no text file given"},
        {{"a.txt", "b.txt"}, "one text file at a time ('b.txt' is one too many)"},
        {{"--names"}, "option '--names' needs a file"},
        {{"novel.txt", "--names"}, "option '--names' needs a file"},
        {{"--names=", "novel.txt"}, "option '--names' needs a file"},
        {{"--bogus", "novel.txt"}, "unknown option '--bogus'"},
        {{"-s", "novel.txt"}, "unknown option '-s'"},
        {{"--stage=yes", "novel.txt"}, "unknown option '--stage=yes'"},
    };
    for (const auto& [arguments, error] : cases) {
        const auto options = ParseCommandLine(arguments);
        EXPECT_EQ(options.action, Action::UsageError) << ::testing::PrintToString(arguments);
        EXPECT_EQ(options.error, error) << ::testing::PrintToString(arguments);
    }
}

}  // namespace
}  // namespace velmora
