#include "text/CharacterSet.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

using namespace std::string_literals;

TEST(CharacterSet, tells_ascii_utf8_and_windows1252_apart) {
    struct Case {
        const char* label;
        std::string text;
        CharacterSet expected;
    };
    const Case cases[] = {
        {"empty", "", CharacterSet::Ascii},
        {"plain ASCII with controls", "\"Hi,\" he said.\r\n\t\0\x7F"s, CharacterSet::Ascii},
        {"two-byte letters", "caf\xC3\xA9 na\xC3\xAFve", CharacterSet::Utf8},
        {"three-byte euro and quotes", "\xE2\x82\xAC 5 \xE2\x80\x9Cyes\xE2\x80\x9D",
         CharacterSet::Utf8},
        {"four-byte emoji", "ok \xF0\x9F\x98\x80", CharacterSet::Utf8},
        {"last code point U+10FFFF", "\xF4\x8F\xBF\xBF", CharacterSet::Utf8},
        {"just below the surrogates U+D7FF", "\xED\x9F\xBF", CharacterSet::Utf8},
        {"just above the surrogates U+E000", "\xEE\x80\x80", CharacterSet::Utf8},
        {"overlong two-byte slash", "a\xC0\xAF", CharacterSet::Windows1252},
        {"overlong C1 lead", "\xC1\xBF", CharacterSet::Windows1252},
        {"overlong three-byte", "\xE0\x80\xAF", CharacterSet::Windows1252},
        {"overlong four-byte", "\xF0\x80\x80\xAF", CharacterSet::Windows1252},
        {"surrogate U+D800", "\xED\xA0\x80", CharacterSet::Windows1252},
        {"surrogate U+DFFF", "\xED\xBF\xBF", CharacterSet::Windows1252},
        {"past U+10FFFF", "\xF4\x90\x80\x80", CharacterSet::Windows1252},
        {"lead F5", "\xF5\x80\x80\x80", CharacterSet::Windows1252},
        {"truncated at the end", "caf\xC3", CharacterSet::Windows1252},
        {"truncated four-byte at the end", "ok \xF0\x9F\x98", CharacterSet::Windows1252},
        {"truncated before ASCII", "\xE2\x82x", CharacterSet::Windows1252},
        {"lone continuation byte", "a\x80", CharacterSet::Windows1252},
        {"Windows-1252 letters", "caf\xE9 na\xEFve", CharacterSet::Windows1252},
        {"Windows-1252 curly quotes", "\x93Hello,\x94 she said.", CharacterSet::Windows1252},
        {"valid UTF-8 then a stray byte", "caf\xC3\xA9 \xE9", CharacterSet::Windows1252},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(DetectCharacterSet(row.text), row.expected);
        EXPECT_EQ(IsValidUtf8(row.text), row.expected != CharacterSet::Windows1252);
    }
}

TEST(CharacterSet, labels_are_what_the_script_declares) {
    EXPECT_EQ(CharacterSetLabel(CharacterSet::Ascii), "");
    EXPECT_EQ(CharacterSetLabel(CharacterSet::Utf8), "utf-8");
    EXPECT_EQ(CharacterSetLabel(CharacterSet::Windows1252), "windows-1252");
}

}  // namespace
}  // namespace velmora
