#include "text/Lines.h"
#include "text/UpperCase.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace velmora {
namespace {

using namespace std::string_literals;

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    LineSplitter splitter(text);
    for (std::string_view line; splitter.Next(line);) {
        lines.emplace_back(line);
    }
    return lines;
}

TEST(LineSplitter, ends_a_line_at_cr_lf_a_lone_cr_or_a_lone_lf) {
    struct Case {
        const char* label;
        std::string text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"empty text", "", {""}},
        {"one line", "One", {"One"}},
        {"CR LF", "One\r\nTwo", {"One", "Two"}},
        {"lone CR", "One\rTwo", {"One", "Two"}},
        {"lone LF", "One\nTwo", {"One", "Two"}},
        {"LF CR is two ends", "One\n\rTwo", {"One", "", "Two"}},
        {"a final line end leaves an empty line", "One\r\n", {"One", ""}},
        {"a final CR", "One\r", {"One", ""}},
        {"an empty line between", "One\r\n\r\nTwo", {"One", "", "Two"}},
        {"spaces and other bytes stay", "  a\t\0\xFF\r\nb "s, {"  a\t\0\xFF"s, "b "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(Lines(c.text), c.expected);
    }
}

TEST(UpperCase, upper_cases_only_what_is_sure_to_be_a_letter) {
    struct Case {
        const char* label;
        std::string in;
        std::string ascii;
        std::string western;
    };
    const Case cases[] = {
        {"ASCII letters", "Mr. Palmer-2", "MR. PALMER-2", "MR. PALMER-2"},
        {"Windows-1252 letters pass", "Zo\xEB", "ZO\xEB", "ZO\xEB"},
        {"UTF-8 accented letters", "Zo\xC3\xAB \xC3\xA0\xC3\xBE", "ZO\xC3\xAB \xC3\xA0\xC3\xBE",
         "ZO\xC3\x8B \xC3\x80\xC3\x9E"},
        {"the division sign and y with diaeresis stay", "\xC3\xB7\xC3\xBF", "\xC3\xB7\xC3\xBF",
         "\xC3\xB7\xC3\xBF"},
        {"capitals and other characters stay", "\xC3\x89\xE2\x80\x9C", "\xC3\x89\xE2\x80\x9C",
         "\xC3\x89\xE2\x80\x9C"},
        {"a lead byte at the end", "a\xC3", "A\xC3", "A\xC3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(UpperCaseAscii(c.in), c.ascii);
        EXPECT_EQ(UpperCaseWestern(c.in), c.western);
    }
}

}  // namespace
}  // namespace velmora
