// Bytes of a text as characters on the screen, and typed characters as bytes of the text.
#include "ui/ScreenText.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

struct DecodeCase {
    const char* what;
    std::string bytes;
    const wchar_t* shown;
};

TEST(ScreenTextTest, DecodesUtf8AndReadsEveryOtherByteAsWindows1252) {
    const DecodeCase cases[] = {
        {"ASCII", "Hello, \"world\".", L"Hello, \"world\"."},
        {"UTF-8", "Zo\xC3\xAB \xE2\x80\x9CHi\xE2\x80\x9D \xF0\x9F\x8E\xAD",
         L"Zo\u00EB \u201CHi\u201D \U0001F3AD"},
        {"Windows-1252", "Zo\xEB \x93Hi\x94 \x80", L"Zo\u00EB \u201CHi\u201D \u20AC"},
        {"undefined Windows-1252 bytes keep their number", "\x81\x8D\x8F\x90\x9D",
         L"\u0081\u008D\u008F\u0090\u009D"},
        {"a mixture", "caf\xC3\xA9 caf\xE9", L"caf\u00E9 caf\u00E9"},
        {"a cut sequence at the end", "ab\xE2\x80", L"ab\u00E2\u20AC"},
        {"an overlong form", "\xC0\xAF", L"\u00C0\u00AF"},
        {"a surrogate", "\xED\xA0\x80", L"\u00ED\u00A0\u20AC"},
        {"line breaks kept", "a\r\nb", L"a\r\nb"},
        {"nothing", "", L""},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(ScreenText(c.bytes), wxString(c.shown)) << c.what;
    }
}

TEST(ScreenTextTest, ALineShowsBreaksAsOneSpaceAndStopsAtTheLimitWithAnEllipsis) {
    EXPECT_EQ(ScreenLine("one\r\ntwo\rthree\nfour", 100), wxS("one two three four"));
    EXPECT_EQ(ScreenLine("exactly", 7), wxS("exactly"));
    EXPECT_EQ(ScreenLine("exactly!", 7), wxString(L"exactly\u2026"));
    // Characters are counted, not bytes.
    EXPECT_EQ(ScreenLine("\xC3\xA9\xC3\xA9\xC3\xA9", 2), wxString(L"\u00E9\u00E9\u2026"));
    const std::string megabyte(1 << 20, 'a');
    EXPECT_EQ(ScreenLine(megabyte, 10).length(), 11U);
}

TEST(ScreenTextTest, TypedTextIsHandedOnAsUtf8) {
    const struct {
        const char* what;
        const wchar_t* typed;
        std::string utf8;
    } cases[] = {
        {"ASCII", L"MR. DARCY", "MR. DARCY"},
        {"accents and quotes", L"Zo\u00EB \u201CX\u201D", "Zo\xC3\xAB \xE2\x80\x9CX\xE2\x80\x9D"},
        {"beyond the basic plane", L"\U0001F3AD", "\xF0\x9F\x8E\xAD"},
        {"nothing", L"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TypedText(wxString(c.typed)), c.utf8) << c.what;
    }
}

}  // namespace
}  // namespace velmora
