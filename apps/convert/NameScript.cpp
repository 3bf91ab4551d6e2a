#include "apps/convert/NameScript.h"

namespace velmora {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kNotePrefix = "NOTE:";

NameScriptStep StepOf(std::string_view line) {
    if (!line.starts_with(kNotePrefix)) {
        return {false, std::string(line)};
    }
    line.remove_prefix(kNotePrefix.size());
    if (line.starts_with(' ')) {
        line.remove_prefix(1);
    }
    return {true, std::string(line)};
}

}  // namespace

std::vector<NameScriptStep> ParseNameScript(std::string_view content) {
    if (content.starts_with(kByteOrderMark)) {
        content.remove_prefix(kByteOrderMark.size());
    }
    std::vector<NameScriptStep> steps;
    while (!content.empty()) {
        const auto end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        steps.push_back(StepOf(line));
    }
    return steps;
}

}  // namespace velmora
