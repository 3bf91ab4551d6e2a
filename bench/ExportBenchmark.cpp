// The exports of War and Peace's script with every line named, in each format: replaying
// the script into its elements, writing the format and putting the file in place.
// Run build/<dir>/bench/velmora_export_benchmark; each format should take under a second.

#include "export/Export.h"
#include "export/ReplayElements.h"
#include "export/TitlePage.h"
#include "text/CharacterSet.h"

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {
namespace {

namespace fs = std::filesystem;

const fs::path kNovel = fs::path(VELMORA_CORPUS_DIR) / "war-and-peace-crlf.txt";

// Names for more lines than the novel has, Greek among them (drawn by the fallback font),
// and a note now and then.
std::vector<EarlierRun::Step> GeneratedNames() {
    constexpr std::array<std::string_view, 8> kNames = {
        "PIERRE",        "Natasha",
        "Prince Andrew", "\xCE\x9D\xCE\xB9\xCE\xBA\xCF\x8C\xCE\xBB\xCE\xB1\xCF\x82",
        "KUTUZOV",       "Sonya",
        "Nicholas",      "Mary"};
    std::vector<EarlierRun::Step> steps;
    for (std::size_t i = 0; i < 20000; ++i) {
        if (i % 97 == 96) {
            steps.push_back(EarlierRun::Step::Note("a note on the scene"));
        }
        steps.push_back(EarlierRun::Step::Line(std::string(kNames[i % kNames.size()])));
    }
    return steps;
}

struct Fixture {
    std::string text;
    std::vector<EarlierRun::Step> steps = GeneratedNames();
    ReplaySource source;
    TitlePage title;
    ExportOptions options;
    fs::path folder = fs::temp_directory_path() / "velmora-export-benchmark";

    Fixture() {
        std::ifstream in(kNovel, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        source.text = text;
        source.set = DetectCharacterSet(text);
        source.steps = steps;
        source.finished = true;
        title = TitlePageOf(text, source.set, kNovel.string());
        options.fonts = FindPdfFonts(FontFolders({}));
        fs::create_directories(folder);
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_ReplayElements(benchmark::State& state) {
    Fixture& fixture = Shared();
    if (fixture.text.empty()) {
        state.SkipWithError("War and Peace is not in the corpus");
        return;
    }
    for (auto _ : state) {
        const ExportScript script = MakeExportScript(fixture.source);
        benchmark::DoNotOptimize(script.elements.data());
        state.counters["elements"] = static_cast<double>(script.elements.size());
    }
}
BENCHMARK(BM_ReplayElements)->Unit(benchmark::kMillisecond);

// The whole export of one format: replay, write, put in place.
void BM_Export(benchmark::State& state, ExportFormat format) {
    Fixture& fixture = Shared();
    if (fixture.text.empty()) {
        state.SkipWithError("War and Peace is not in the corpus");
        return;
    }
    const std::string name = (fixture.folder / std::string(ExportFileName(format))).string();
    for (auto _ : state) {
        const ExportScript script = MakeExportScript(fixture.source);
        const std::string bytes = RenderExport(format, script, fixture.title, fixture.options);
        const ExportWriting writing = WriteExportFile(name, bytes, {});
        benchmark::DoNotOptimize(writing.outcome);
        state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
    }
}
BENCHMARK_CAPTURE(BM_Export, fountain, ExportFormat::Fountain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, fdx, ExportFormat::Fdx)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, pdf, ExportFormat::Pdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora
