#include "text/TypographicQuotes.h"

#include "text/Marks.h"

#include <algorithm>

namespace velmora {
namespace {

// Windows-1252 has one byte for each quote.
constexpr char kCp1252Open = '\x93';
constexpr char kCp1252Close = '\x94';

// UTF-8 spells both quotes as this prefix and one final byte. In valid UTF-8 the lead byte
// E2 can only start a character, so a plain byte search cannot hit the middle of one.
constexpr std::string_view kUtf8Prefix = "\xE2\x80";
constexpr char kUtf8OpenLast = '\x9C';
constexpr char kUtf8CloseLast = '\x9D';
constexpr std::string_view kUtf8Open = "\xE2\x80\x9C";
constexpr std::string_view kUtf8Close = "\xE2\x80\x9D";

bool IsCp1252Quote(char byte) { return byte == kCp1252Open || byte == kCp1252Close; }

bool IsUtf8QuoteAt(std::string_view text, std::size_t i) {
    return text.size() - i >= 3 && text.substr(i, 2) == kUtf8Prefix &&
           (text[i + 2] == kUtf8OpenLast || text[i + 2] == kUtf8CloseLast);
}

}  // namespace

bool HasOnlyTypographicQuotes(std::string_view text, CharacterSet set) noexcept {
    if (text.find(kQuote) != std::string_view::npos) {
        return false;
    }
    switch (set) {
    case CharacterSet::Utf8:
        return text.find(kUtf8Open) != std::string_view::npos ||
               text.find(kUtf8Close) != std::string_view::npos;
    case CharacterSet::Windows1252:
        return std::any_of(text.begin(), text.end(), IsCp1252Quote);
    case CharacterSet::Ascii:
        break;
    }
    return false;
}

std::size_t StraightenTypographicQuotes(std::string& text, CharacterSet set) noexcept {
    std::size_t count = 0;
    switch (set) {
    case CharacterSet::Windows1252:
        for (char& byte : text) {
            if (IsCp1252Quote(byte)) {
                byte = kQuote;
                ++count;
            }
        }
        break;
    case CharacterSet::Utf8: {
        // Compacts in place: the write position never passes the read position.
        std::size_t write = text.find(kUtf8Prefix);
        if (write == std::string::npos) {
            break;
        }
        const std::string_view view = text;
        for (std::size_t read = write; read < view.size();) {
            if (IsUtf8QuoteAt(view, read)) {
                text[write++] = kQuote;
                read += 3;
                ++count;
            } else {
                text[write++] = view[read++];
            }
        }
        text.resize(write);
        break;
    }
    case CharacterSet::Ascii:
        break;
    }
    return count;
}

}  // namespace velmora
