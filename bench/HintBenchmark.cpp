// The speaker hinter on a novel named line by line, as a user would name it, and on a text
// that is one paragraph of megabytes.

#include "hint/SpeakerHinter.h"
#include "text/NameSlots.h"
#include "text/QuoteSplitter.h"
#include "text/TextReader.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

constexpr std::size_t kSlots = 12;

struct Line {
    std::size_t begin;
    std::size_t end;
    std::string speaker;
};

// The novel's dialogue paragraphs with their annotated speakers; empty when the files are
// missing.
std::vector<Line> ReadNovel(const std::string& name, TextReader& reader) {
    const std::string folder = VELMORA_HINT_CORPUS_DIR;
    std::ifstream speakers(folder + "/" + name + ".speakers.txt", std::ios::binary);
    reader.Load(folder + "/" + name + ".txt");
    std::vector<Line> lines;
    if (!speakers || !reader.IsLoaded()) {
        return lines;
    }
    std::string paragraph;
    std::string row;
    while (reader.ReadParagraph(paragraph)) {
        if (ExtractDialogue(paragraph).empty()) {
            continue;
        }
        do {
            if (!std::getline(speakers, row)) {
                return lines;
            }
        } while (row.empty() || row.front() == '#');
        const std::size_t begin = reader.ParagraphBegin();
        lines.push_back({begin, begin + paragraph.size(), row.substr(0, row.find('\t'))});
    }
    return lines;
}

// Names every line of the novel, guessing before each; one iteration is the whole novel.
void BM_GuessAndConfirmEachLine(benchmark::State& state, const std::string& novel) {
    TextReader reader;
    const std::vector<Line> lines = ReadNovel(novel, reader);
    if (lines.empty()) {
        state.SkipWithError("hint corpus not found");
        return;
    }
    const std::string_view text = reader.Text();
    for (auto _ : state) {
        SpeakerHinter hinter;
        std::vector<std::string> slots(kSlots);
        std::vector<std::size_t> lastUse(kSlots, 0);
        for (std::size_t n = 0; n < lines.size(); ++n) {
            const SpeakerGuess guess = hinter.Guess(slots, text, lines[n].begin, lines[n].end);
            benchmark::DoNotOptimize(guess.slot);
            auto slot = std::find(slots.begin(), slots.end(), lines[n].speaker);
            if (slot == slots.end()) {
                slot = std::find(slots.begin(), slots.end(), std::string());
            }
            if (slot == slots.end()) {
                slot = slots.begin() +
                       (std::min_element(lastUse.begin(), lastUse.end()) - lastUse.begin());
            }
            *slot = lines[n].speaker;
            const auto index = static_cast<std::size_t>(slot - slots.begin());
            lastUse[index] = n + 1;
            hinter.Confirm(slots, text, lines[n].begin, lines[n].end, SlotNumber(index));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
    state.counters["lines"] = static_cast<double>(lines.size());
}
BENCHMARK_CAPTURE(BM_GuessAndConfirmEachLine, Emma, std::string("Emma"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GuessAndConfirmEachLine, OliverTwist, std::string("OliverTwist"))
    ->Unit(benchmark::kMillisecond);

// A 3 MB paragraph that opens with a line of dialogue, after a conversation of a few lines.
void BM_GuessHugeParagraph(benchmark::State& state) {
    std::string text;
    const std::vector<std::string> names = {"ELINOR",       "MARIANNE",        "EDWARD FERRARS",
                                            "MR. PALMER",   "MRS. JENNINGS",   "MISS STEELE",
                                            "MRS. FERRARS", "COLONEL BRANDON", "JOHN DASHWOOD",
                                            "FANNY",        "MRS. DASHWOOD",   "SIR JOHN"};
    SpeakerHinter hinter;
    for (int n = 0; n < 20; ++n) {
        const std::size_t begin = text.size();
        text += n % 2 == 0 ? "\"Shall we walk?\" said Elinor." : "\"If you like,\" said he.";
        hinter.Confirm(names, text, begin, text.size(), n % 2 == 0 ? 1 : 3);
        text += "\r\n\r\n";
    }
    const std::size_t begin = text.size();
    text += "\"Look at the rain, \"Marianne, it goes on and on ";
    while (text.size() - begin < 3'000'000) {
        text += "over the fields, \"and the lane\", said Miss Steele to Mr. Palmer, and the hill. ";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(hinter.Guess(names, text, begin, text.size()).slot);
    }
    // Only the start of the paragraph is read, so its length must not show in the time.
    state.counters["paragraph_bytes"] = static_cast<double>(text.size() - begin);
}
BENCHMARK(BM_GuessHugeParagraph)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
