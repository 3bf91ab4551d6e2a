#include "ui/ScreenText.h"

#include "text/Encoding.h"
#include "text/Utf8.h"

#include <algorithm>
#include <limits>

namespace velmora {
namespace {

// Decodes up to maxChars characters into UTF-8; true when bytes held more.
bool DecodeToUtf8(std::string_view bytes, std::size_t maxChars, bool breaksAsSpaces,
                  std::string& utf8) {
    utf8.reserve(std::min(bytes.size(), maxChars) + 16);
    std::size_t chars = 0;
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (chars == maxChars) {
            return true;
        }
        const char byte = bytes[at];
        if (breaksAsSpaces && (byte == '\r' || byte == '\n')) {
            utf8 += ' ';  // one space for a CR LF pair as for a lone CR or LF
            at += bytes.substr(at, 2) == "\r\n" ? 2U : 1U;
        } else if (const Utf8Step step = DecodeUtf8(bytes.substr(at)); step.valid) {
            utf8.append(bytes.substr(at, step.length));
            at += step.length;
        } else {
            utf8 += Windows1252ToUtf8(bytes.substr(at, 1));
            ++at;
        }
        ++chars;
    }
    return false;
}

}  // namespace

wxString ScreenText(std::string_view bytes) {
    std::string utf8;
    DecodeToUtf8(bytes, std::numeric_limits<std::size_t>::max(), false, utf8);
    return wxString::FromUTF8(utf8.data(), utf8.size());
}

wxString ScreenLine(std::string_view bytes, std::size_t maxChars) {
    std::string utf8;
    if (DecodeToUtf8(bytes, maxChars, true, utf8)) {
        utf8 += "\xE2\x80\xA6";  // "…"
    }
    return wxString::FromUTF8(utf8.data(), utf8.size());
}

std::string TypedText(const wxString& typed) {
    const wxScopedCharBuffer utf8 = typed.utf8_str();
    return std::string(utf8.data(), utf8.length());
}

}  // namespace velmora
