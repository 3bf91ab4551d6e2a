#pragma once

#include "text/CharacterSet.h"

#include <string>
#include <string_view>

namespace velmora {

// What the exports put on the title page, in UTF-8.
struct TitlePage {
    std::string title;
    std::string source;  // "based on the novel", and its author when the text names one
};

// The title page of a script made from text (in set), kept in the file fileName.
// The title is the one a Project Gutenberg text gives in its "Title:" line near the top;
// failing that, the file's name without its folder and extension.
[[nodiscard]] TitlePage TitlePageOf(std::string_view text, CharacterSet set,
                                    std::string_view fileName);

}  // namespace velmora
