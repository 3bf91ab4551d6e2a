// Replays the naming of a text's first lines of dialogue, as a user would do it, and reports
// how often the speaker hint offered the right name slot.
//
// usage: hint_accuracy [--verbose] TEXT SPEAKERS
//   TEXT      the novel, walked paragraph by paragraph as the conversion walks it
//   SPEAKERS  one name per line of dialogue, in order, optionally followed by a tab, "# " and
//             the start of the paragraph (checked); lines starting with '#' are comments
//
// The user types each new name into the next free slot (once all are full, over the slot
// used longest ago) and presses the button of the slot holding the line's name. The hint
// is computed before each line from the slots filled so far and the last two slots used.
// Exit status: 0 on success, 1 when the speakers do not fit the text, 2 on bad usage,
// 77 when a file cannot be read (so a test run without the corpus is skipped).

#include "conversion/ConversionView.h"
#include "conversion/SpeakerHint.h"
#include "text/QuoteSplitter.h"
#include "text/TextReader.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kUsageError = 2;
constexpr int kMissingFile = 77;

struct Speaker {
    std::string name;
    std::string paragraphStart;  // empty when the line gives none
};

bool ReadSpeakers(const char* file, std::vector<Speaker>& speakers) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        Speaker speaker;
        const std::size_t tab = line.find('\t');
        speaker.name = line.substr(0, tab);
        if (tab != std::string::npos) {
            std::string_view comment = std::string_view(line).substr(tab + 1);
            if (comment.starts_with("# ")) {
                speaker.paragraphStart = comment.substr(2);
            }
        }
        speakers.push_back(std::move(speaker));
    }
    return true;
}

std::string Percent(int part, int whole) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", whole == 0 ? 0.0 : 100.0 * part / whole);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const bool verbose = argc > 1 && std::string_view(argv[1]) == "--verbose";
    const int first = verbose ? 2 : 1;
    if (argc - first != 2) {
        std::fprintf(stderr, "usage: hint_accuracy [--verbose] TEXT SPEAKERS\n");
        return kUsageError;
    }
    const char* textFile = argv[first];
    const char* speakersFile = argv[first + 1];

    std::vector<Speaker> speakers;
    if (!ReadSpeakers(speakersFile, speakers)) {
        std::fprintf(stderr, "cannot read %s\n", speakersFile);
        return kMissingFile;
    }
    velmora::TextReader reader;
    reader.Load(textFile);
    if (!reader.IsLoaded()) {
        std::fprintf(stderr, "cannot read %s\n", textFile);
        return kMissingFile;
    }

    constexpr auto kSlots = static_cast<std::size_t>(velmora::ConversionView::kNameSlots);
    std::vector<std::string> slots(kSlots);
    std::vector<int> lastUse(kSlots, -1);  // line index at which each slot was last pressed
    int lastSlot = 0;
    int slotBeforeLast = 0;
    int lines = 0;
    int right = 0;
    int given = 0;
    int newNames = 0;

    std::string paragraph;
    while (lines < static_cast<int>(speakers.size()) && reader.ReadParagraph(paragraph)) {
        if (velmora::ExtractDialogue(paragraph).empty()) {
            continue;
        }
        const Speaker& speaker = speakers[static_cast<std::size_t>(lines)];
        if (!paragraph.starts_with(speaker.paragraphStart)) {
            std::fprintf(stderr, "line %d: expected a paragraph starting \"%s\", found \"%.60s\"\n",
                         lines + 1, speaker.paragraphStart.c_str(), paragraph.c_str());
            return 1;
        }
        const int hint = velmora::HintSpeaker(slots, velmora::ExtractNarration(paragraph), lastSlot,
                                              slotBeforeLast);

        const std::string hinted = hint == 0 ? "-" : slots[static_cast<std::size_t>(hint - 1)];
        const bool isRight = hint != 0 && hinted == speaker.name;
        right += isRight ? 1 : 0;
        given += hint != 0 ? 1 : 0;
        if (verbose) {
            std::printf("%3d  %-12s hint %-12s%s\n", lines + 1, speaker.name.c_str(),
                        hinted.c_str(), isRight ? "  right" : "");
        }

        auto found = std::find(slots.begin(), slots.end(), speaker.name);
        if (found == slots.end()) {
            ++newNames;
            found = std::find(slots.begin(), slots.end(), std::string());
            if (found == slots.end()) {
                found = slots.begin() +
                        (std::min_element(lastUse.begin(), lastUse.end()) - lastUse.begin());
            }
            *found = speaker.name;
        }
        const auto index = static_cast<std::size_t>(found - slots.begin());
        lastUse[index] = lines;
        slotBeforeLast = lastSlot;
        lastSlot = static_cast<int>(index) + 1;
        ++lines;
    }
    if (lines < static_cast<int>(speakers.size())) {
        std::fprintf(stderr, "the text has only %d lines of dialogue for %zu speakers\n", lines,
                     speakers.size());
        return 1;
    }

    std::printf("lines of dialogue: %d (%d of them by a speaker not yet in a slot)\n", lines,
                newNames);
    std::printf("hint right: %d of %d (%s)\n", right, lines, Percent(right, lines).c_str());
    std::printf("hint given: %d; right when given: %d of %d (%s)\n", given, right, given,
                Percent(right, given).c_str());
    const int known = lines - newNames;
    std::printf("right when the speaker already had a slot: %d of %d (%s)\n", right, known,
                Percent(right, known).c_str());
    return 0;
}
