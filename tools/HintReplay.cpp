#include "tools/HintReplay.h"

#include "conversion/ConversionView.h"
#include "hint/SlotNames.h"
#include "text/QuoteSplitter.h"
#include "text/TextReader.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace velmora {

bool ForEachTableLine(const std::string& file,
                      const std::function<bool(const std::string&)>& take) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() != '#' && !take(line)) {
            return false;
        }
    }
    return true;
}

bool ReadAnnotatedLines(const std::string& file, std::vector<AnnotatedLine>& lines) {
    return ForEachTableLine(file, [&lines](const std::string& line) {
        AnnotatedLine annotated;
        const std::size_t tab = line.find('\t');
        annotated.speaker = line.substr(0, tab);
        if (tab != std::string::npos) {
            const std::string_view comment = std::string_view(line).substr(tab + 1);
            if (comment.starts_with("# ")) {
                annotated.paragraphStart = comment.substr(2);
            }
        }
        lines.push_back(std::move(annotated));
        return true;
    });
}

int ReplayNovel(const std::string& textFile, const std::string& speakersFile,
                const LineVisitor& visit, bool notDialogue) {
    std::vector<AnnotatedLine> speakers;
    if (!ReadAnnotatedLines(speakersFile, speakers)) {
        std::fprintf(stderr, "cannot read %s\n", speakersFile.c_str());
        return kMissingFile;
    }
    TextReader reader;
    reader.Load(textFile);
    if (!reader.IsLoaded()) {
        std::fprintf(stderr, "cannot read %s\n", textFile.c_str());
        return kMissingFile;
    }

    constexpr auto kSlots = static_cast<std::size_t>(ConversionView::kNameSlots);
    std::vector<std::string> slots(kSlots);
    std::vector<int> lastUse(kSlots, -1);  // line index at which each slot was last pressed
    SpeakerHinter hinter;
    const std::string_view text = reader.Text();

    int lines = 0;
    std::string paragraph;
    while (lines < static_cast<int>(speakers.size()) && reader.ReadParagraph(paragraph)) {
        if (ExtractDialogue(paragraph).empty()) {
            continue;
        }
        const AnnotatedLine& speaker = speakers[static_cast<std::size_t>(lines)];
        if (!paragraph.starts_with(speaker.paragraphStart)) {
            std::fprintf(stderr, "line %d: expected a paragraph starting \"%s\", found \"%.60s\"\n",
                         lines + 1, speaker.paragraphStart.c_str(), paragraph.c_str());
            return 1;
        }
        const std::size_t begin = reader.ParagraphBegin();
        auto found = std::find(slots.begin(), slots.end(), speaker.speaker);
        ReplayedLine line;
        line.index = lines;
        line.annotation = &speaker;
        line.slots = slots;
        line.text = text;
        line.begin = begin;
        line.end = begin + paragraph.size();
        line.paragraph = paragraph;
        line.slot = found == slots.end() ? 0 : static_cast<int>(found - slots.begin()) + 1;
        line.notDialogue = notDialogue && IsNarrator(speaker.speaker);
        visit(line, hinter);
        if (line.notDialogue) {
            hinter.ConfirmNotDialogue(slots, text, line.begin, line.end);
            ++lines;
            continue;
        }

        if (found == slots.end()) {
            found = std::find(slots.begin(), slots.end(), std::string());
            if (found == slots.end()) {
                found = slots.begin() +
                        (std::min_element(lastUse.begin(), lastUse.end()) - lastUse.begin());
            }
            *found = speaker.speaker;
        }
        const auto index = static_cast<std::size_t>(found - slots.begin());
        lastUse[index] = lines;
        hinter.Confirm(slots, text, line.begin, line.end, SlotNumber(index));
        ++lines;
    }
    if (lines < static_cast<int>(speakers.size())) {
        std::fprintf(stderr, "the text has only %d lines of dialogue for %zu speakers\n", lines,
                     speakers.size());
        return 1;
    }
    return 0;
}

std::vector<std::string> AnnotatedNovels(const std::string& folder) {
    constexpr std::string_view kSuffix = ".speakers.txt";
    std::vector<std::string> novels;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string file = entry.path().filename().string();
        if (file.size() > kSuffix.size() && file.ends_with(kSuffix)) {
            novels.push_back(file.substr(0, file.size() - kSuffix.size()));
        }
    }
    std::sort(novels.begin(), novels.end());
    return novels;
}

}  // namespace velmora
