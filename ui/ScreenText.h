#pragma once

#include <wx/string.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// Where a text's bytes meet the screen. The conversion keeps the file's bytes; the screen
// needs characters. A well-formed UTF-8 sequence is its character and every other byte is
// taken as Windows-1252, so a text in either encoding (or a mixture) reads right.
[[nodiscard]] wxString ScreenText(std::string_view bytes);

// The same for one line of a field or list: at most maxChars characters, followed by "…"
// when the bytes hold more; a line break (CR LF, CR or LF) shows as one space. Only the
// bytes needed are decoded, so a line of megabytes costs no more than a short one.
[[nodiscard]] wxString ScreenLine(std::string_view bytes, std::size_t maxChars);

// What was typed into a field, as UTF-8.
[[nodiscard]] std::string TypedText(const wxString& typed);

}  // namespace velmora
