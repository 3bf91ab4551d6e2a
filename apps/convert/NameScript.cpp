#include "apps/convert/NameScript.h"

#include "script/NoteLine.h"
#include "text/CharacterSet.h"

namespace velmora {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

NameScriptStep StepOf(std::string_view line) {
    if (line.starts_with(kNotDialogueMark)) {
        return NameScriptStep::NotDialogue();
    }
    if (!line.starts_with(kNoteMark)) {
        return NameScriptStep::Line(std::string(line));
    }
    line.remove_prefix(kNoteMark.size());
    if (line.starts_with(' ')) {
        line.remove_prefix(1);
    }
    return NameScriptStep::Note(std::string(line));
}

// Calls onLine with each line of content, without its line break.
template <typename OnLine>
void ForEachLine(std::string_view content, OnLine&& onLine) {
    if (content.starts_with(kByteOrderMark)) {
        content.remove_prefix(kByteOrderMark.size());
    }
    while (!content.empty()) {
        const auto end = content.find_first_of("\r\n");
        onLine(content.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        const bool crLf = content.substr(end, 2) == "\r\n";
        content.remove_prefix(end + (crLf ? 2 : 1));
    }
}

}  // namespace

std::vector<NameScriptStep> ParseNameScript(std::string_view content) {
    std::vector<NameScriptStep> steps;
    ForEachLine(content, [&steps](std::string_view line) { steps.push_back(StepOf(line)); });
    return steps;
}

int FirstLineNotUtf8(std::string_view content) {
    int number = 0;
    int invalid = 0;
    ForEachLine(content, [&](std::string_view line) {
        ++number;
        // A NUL byte is UTF-8, but no name holds one: it is how UTF-16 looks byte by byte.
        if (invalid == 0 && (!IsValidUtf8(line) || line.find('\0') != std::string_view::npos)) {
            invalid = number;
        }
    });
    return invalid;
}

int FirstMisusedLine(std::string_view content) {
    int number = 0;
    int misused = 0;
    ForEachLine(content, [&](std::string_view line) {
        ++number;
        if (misused == 0 && line.starts_with(kNotDialogueMark) &&
            line.find_first_not_of(" \t", kNotDialogueMark.size()) != std::string_view::npos) {
            misused = number;
        }
    });
    return misused;
}

}  // namespace velmora
