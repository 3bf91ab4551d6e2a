#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::test {

// The lines of dialogue a screen play holds, in order, each from its name's "<CENTER>" to
// the "<BR>" that ends it (name, parenthetical and dialogue), with each run of white space
// as one space: a document joins its paragraphs' lines, which a text file keeps apart.
inline std::vector<std::string> ScreenPlayLines(std::string_view script) {
    std::vector<std::string> lines;
    for (auto at = script.find("<CENTER>"); at != std::string_view::npos;
         at = script.find("<CENTER>", at + 1)) {
        const auto end = script.find("<BR>", at);
        std::string line;
        bool space = false;
        for (const char byte : script.substr(at, end - at)) {
            const bool white = byte == ' ' || byte == '\r' || byte == '\n' || byte == '\t';
            if (!white && space && !line.empty()) {
                line += ' ';
            }
            space = white;
            if (!white) {
                line += byte;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

// The names of the speakers in a names file of the form NAME, a tab, a comment; lines
// starting with "#" skipped.
inline std::vector<std::string> SpeakerNames(std::string_view file) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at < file.size();) {
        const std::size_t end = std::min(file.find('\n', at), file.size());
        const std::string_view line = file.substr(at, end - at);
        if (!line.starts_with('#')) {
            names.emplace_back(line.substr(0, line.find('\t')));
        }
        at = end + 1;
    }
    return names;
}

}  // namespace velmora::test
