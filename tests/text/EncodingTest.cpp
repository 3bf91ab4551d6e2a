#include "text/Encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

struct EncodingCase {
    const char* label;
    std::string utf8;
    std::string windows1252;
};

// Both directions agree on these.
const std::vector<EncodingCase> kBothWays = {
    {"ASCII", "Tom & Ann\r\n", "Tom & Ann\r\n"},
    {"empty", "", ""},
    {"Latin-1 letters", "Jos\xC3\xA9 M\xC3\xBCller \xC3\xBF", "Jos\xE9 M\xFCller \xFF"},
    {"no-break space", "\xC2\xA0", "\xA0"},
    {"euro sign", "\xE2\x82\xAC", "\x80"},
    {"typographic quotes", "\xE2\x80\x9CHi\xE2\x80\x9D \xE2\x80\x98x\xE2\x80\x99",
     "\x93Hi\x94 \x91x\x92"},
    {"dashes and ellipsis", "\xE2\x80\x93\xE2\x80\x94\xE2\x80\xA6", "\x96\x97\x85"},
    {"letters in 0x80-0x9F", "\xC5\xA0\xC5\x92\xC5\xBD\xC5\xB8\xC6\x92", "\x8A\x8C\x8E\x9F\x83"},
    {"undefined bytes as controls", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D",
     "\x81\x8D\x8F\x90\x9D"},
};

TEST(Encoding, converts_both_ways) {
    for (const auto& c : kBothWays) {
        EXPECT_EQ(Utf8ToWindows1252(c.utf8), c.windows1252) << c.label;
        EXPECT_EQ(Windows1252ToUtf8(c.windows1252), c.utf8) << c.label;
    }
}

TEST(Encoding, every_byte_survives_a_round_trip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
}

TEST(Encoding, what_the_code_page_cannot_hold_becomes_a_question_mark) {
    // Split literals keep a hex escape from running into the next letter.
    // clang-format off
    const std::vector<EncodingCase> cases = {
        {"Greek omega", "\xCE\xA9", "?"},
        {"emoji (four bytes)", "a\xF0\x9F\x98\x80" "b", "a?b"},
        {"C1 control the code page uses for a letter", "\xC2\x80", "?"},
        {"lone continuation byte", "a\x80" "b", "a?b"},
        {"Windows-1252 byte given as UTF-8", "Jos\xE9", "Jos?"},
        {"sequence cut short", "\xE2\x82" "x", "?x"},
        {"sequence cut short at the end", "x\xE2\x82", "x?"},
        {"overlong form", "\xC0\xAF", "??"},
        {"surrogate", "\xED\xA0\x80", "???"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", "????"},
        {"invalid lead", "\xFF" "a", "?a"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToWindows1252(c.utf8), c.windows1252) << c.label;
    }
}

}  // namespace
}  // namespace velmora
