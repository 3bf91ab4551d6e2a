// Opening a novel until its first line of dialogue waits: War and Peace as EPUB and DOCX
// (made by pandoc; scripts/bench-import.sh makes them and runs this), and as LF text read
// with its blank lines as paragraph breaks.
#include "document/DocumentImport.h"
#include "text/ParagraphLayout.h"
#include "text/QuoteSplitter.h"
#include "text/TextReader.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace velmora {
namespace {

namespace fs = std::filesystem;

fs::path Documents() {
    const char* folder = std::getenv("VELMORA_BENCH_DOCUMENTS");
    return folder != nullptr ? fs::path(folder) : fs::path(VELMORA_BENCH_DOCUMENTS);
}

// Reads paragraphs until one holds dialogue; false when the text has none.
bool ReachDialogue(TextReader& reader) {
    std::string paragraph;
    while (reader.ReadParagraph(paragraph)) {
        if (!ExtractDialogue(paragraph).empty()) {
            return true;
        }
    }
    return false;
}

void ImportUntilDialogue(benchmark::State& state, const char* file) {
    const fs::path path = Documents() / file;
    std::error_code error;
    if (!fs::exists(path, error)) {
        state.SkipWithError(("no " + path.string() + ": run scripts/bench-import.sh").c_str());
        return;
    }
    std::size_t textBytes = 0;
    for (auto _ : state) {
        DocumentImport import = ImportDocument(path.string(), *DocumentKindOf(file));
        if (import.outcome != DocumentImport::Outcome::Imported) {
            state.SkipWithError(import.reason.c_str());
            break;
        }
        textBytes = import.text.size();
        TextReader reader;
        reader.Assign(std::move(import.text), *import.identity);
        benchmark::DoNotOptimize(ReachDialogue(reader));
    }
    state.counters["text_MB"] = static_cast<double>(textBytes) / 1e6;
}

void LayoutUntilDialogue(benchmark::State& state) {
    const fs::path path = fs::path(VELMORA_CORPUS_DIR) / "war-and-peace-lf.txt";
    for (auto _ : state) {
        TextReader reader;
        reader.Load(path.string());
        if (!reader.IsLoaded()) {
            state.SkipWithError(("corpus text not found: " + path.string()).c_str());
            break;
        }
        reader.RewriteParagraphs(DetectParagraphLayout(reader.Text()));
        benchmark::DoNotOptimize(ReachDialogue(reader));
    }
}

// The detection and the rewrite alone, on a copy made outside the timing.
void LayoutRewrite(benchmark::State& state) {
    TextReader source;
    source.Load((fs::path(VELMORA_CORPUS_DIR) / "war-and-peace-lf.txt").string());
    if (!source.IsLoaded()) {
        state.SkipWithError("corpus text not found");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::string text;
        text.reserve(source.Text().size() + source.Text().size() / kRewriteRoomDivisor);
        text.assign(source.Text());
        state.ResumeTiming();
        RewriteParagraphs(text, DetectParagraphLayout(text));
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(source.Text().size()));
}

BENCHMARK_CAPTURE(ImportUntilDialogue, war_and_peace_epub, "war-and-peace.epub")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImportUntilDialogue, war_and_peace_docx, "war-and-peace.docx")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImportUntilDialogue, war_and_peace_odt, "war-and-peace.odt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(LayoutUntilDialogue)->Unit(benchmark::kMillisecond);
BENCHMARK(LayoutRewrite)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
