// Whole conversions of the corpus novels through the controller, as the window would run
// them, with a view that shows nothing.

#include "conversion/ConversionController.h"
#include "conversion/ConversionView.h"
#include "conversion/EarlierRun.h"
#include "conversion/ScriptOfText.h"
#include "conversion/StatusTexts.h"
#include "script/ScriptFormat.h"
#include "script/ScriptSource.h"
#include "text/CharacterSet.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include <unistd.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;

// How the questions of reading a text are answered: yes, unless told otherwise here.
struct Answers {
    bool readParagraphs = true;  // the blank lines, or the long lines, as paragraph breaks
    bool leaveOutMatter = true;  // without Project Gutenberg's header and licence
};

// Answers the file choice with the corpus text itself and leaves the current directory
// alone, so the script goes to a scratch folder and the corpus stays untouched.
class SilentView : public ConversionView {
public:
    SilentView(std::string textPath, bool screenPlay, Answers answers = {})
        : textPath_(std::move(textPath)), screenPlay_(screenPlay), answers_(answers) {}

    void SetStatus(std::string_view) override {}
    void SetDialogueField(std::string_view text) override { benchmark::DoNotOptimize(text.data()); }
    std::string GetNameField(int slot) override { return "SPEAKER " + std::to_string(slot); }
    void SetNameField(int, std::string_view) override {}
    std::string GetNoteField() override { return {}; }
    void SetNoteField(std::string_view) override {}
    bool IsScreenPlaySelected() override { return screenPlay_; }
    void DisableOpenControls() override {}
    std::optional<std::string> ChooseTextFile() override { return textPath_; }
    void AppendLogLine(std::string_view text) override {
        benchmark::DoNotOptimize(text.data());
        ++logLines_;
    }
    int LogLineCount() override { return logLines_; }
    void ScrollLogTo(int) override {}
    void TruncateLog(int count) override { logLines_ = count; }
    void Explain(std::string_view) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    bool AskYesNo(std::string_view question) override {
        if (question == kGutenbergQuestion) {
            return answers_.leaveOutMatter;
        }
        return question == kTypographicQuotesQuestion || answers_.readParagraphs;
    }
    bool AskToContinue(std::string_view) override { return false; }
    bool AskToStartAnew(std::string_view) override { return true; }
    void ShowSpeakerHint(int, int, std::string_view) override {}
    void ShowNotDialogueHint() override {}

private:
    std::string textPath_;
    bool screenPlay_;
    Answers answers_;
    int logLines_ = 0;
};

// A scratch folder as the current directory while a benchmark runs.
class ScratchFolder {
public:
    ScratchFolder()
        : previous_(fs::current_path()),
          path_(fs::temp_directory_path() / ("velmora-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(path_);
        fs::current_path(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::current_path(previous_, ignored);
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

private:
    fs::path previous_;
    fs::path path_;
};

enum class Naming { WithoutNames, EveryLineNamed };

void Convert(benchmark::State& state, const char* file, bool screenPlay, Naming naming,
             Answers answers = {}) {
    const auto text = fs::path(VELMORA_CORPUS_DIR) / file;
    std::error_code error;
    const auto size = fs::file_size(text, error);
    if (error) {
        state.SkipWithError(("corpus text not found: " + text.string()).c_str());
        return;
    }
    const ScratchFolder scratch;
    for (auto _ : state) {
        SilentView view(text.string(), screenPlay, answers);
        ConversionController controller(view);
        controller.OpenTextFile();
        if (naming == Naming::EveryLineNamed) {
            for (int line = 0; controller.IsAcceptingCommands(); ++line) {
                controller.GenerateLine(1 + line % ConversionView::kNameSlots);
            }
        } else if (controller.IsAcceptingCommands()) {
            controller.GenerateWithoutNames();
        }
        if (!controller.IsScriptFinished()) {
            state.SkipWithError("the script was not finished");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Recognising the unfinished script of a run that named every line and stopped just before
// the end: what opening the text again costs before Velmora can offer to continue. The run
// was made with the answers given; every reading of the text is tried, defaults first, until
// one matches (readings_tried).
void RecogniseUnfinished(benchmark::State& state, const char* file, Answers answers) {
    const auto textPath = fs::path(VELMORA_CORPUS_DIR) / file;
    const std::string text = ReadFile(textPath);
    if (text.empty()) {
        state.SkipWithError(("corpus text not found: " + textPath.string()).c_str());
        return;
    }
    const ScratchFolder scratch;
    {
        SilentView view(textPath.string(), true, answers);
        ConversionController controller(view);
        controller.OpenTextFile();
        for (int line = 0; controller.IsAcceptingCommands(); ++line) {
            controller.GenerateLine(1 + line % ConversionView::kNameSlots);
        }
    }
    std::string script = ReadFile("Script.htm");
    script.resize(script.size() - std::string_view("</HTML>").size());
    ScriptBytes bytes(script);
    std::size_t tried = 0;
    for (auto _ : state) {
        const CharacterSet set = DetectCharacterSet(text);
        const TextReading applicable = TextReading::Of(text, set);
        const auto found =
            RecogniseScriptOfText(text, set, ScriptFormat::ScreenPlay, bytes, applicable);
        if (found.run.verdict != EarlierRun::Verdict::Unfinished) {
            state.SkipWithError("the unfinished script was not recognised");
            break;
        }
        const auto readings = applicable.Plausible();
        tried = static_cast<std::size_t>(
            std::find(readings.begin(), readings.end(), found.reading) - readings.begin() + 1);
        benchmark::DoNotOptimize(found.run.lines);
    }
    state.counters["readings_tried"] = static_cast<double>(tried);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

// Opening a novel until its first line of dialogue waits, through the controller as the
// window does: a document (VELMORA_BENCH_DOCUMENTS, made by scripts/bench-import.sh) or a
// corpus text. Each time without an earlier script.
void OpenUntilDialogue(benchmark::State& state, const char* file) {
    const char* documents = std::getenv("VELMORA_BENCH_DOCUMENTS");
    fs::path path = fs::path(VELMORA_CORPUS_DIR) / file;
    if (!fs::exists(path) && documents != nullptr) {
        path = fs::path(documents) / file;
    }
    std::error_code error;
    if (!fs::exists(path, error)) {
        state.SkipWithError(("no " + path.string() + ": run scripts/bench-import.sh").c_str());
        return;
    }
    const ScratchFolder scratch;
    for (auto _ : state) {
        {
            SilentView view(path.string(), true);
            ConversionController controller(view);
            controller.OpenTextFile();
            if (!controller.IsAcceptingCommands()) {
                state.SkipWithError("no line of dialogue waits");
                break;
            }
        }
        state.PauseTiming();
        fs::remove("Script.htm", error);
        state.ResumeTiming();
    }
}

constexpr bool kScreen = true;
constexpr bool kStage = false;

BENCHMARK_CAPTURE(Convert, war_and_peace_crlf_screen, "war-and-peace-crlf.txt", kScreen,
                  Naming::WithoutNames)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, war_and_peace_crlf_stage, "war-and-peace-crlf.txt", kStage,
                  Naming::WithoutNames)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, war_and_peace_crlf_named_screen, "war-and-peace-crlf.txt", kScreen,
                  Naming::EveryLineNamed)
    ->Unit(benchmark::kMillisecond);
// Read as it is, one paragraph of some 65,000 lines: the stress case for the log.
BENCHMARK_CAPTURE(Convert, war_and_peace_lf_as_it_is_screen, "war-and-peace-lf.txt", kScreen,
                  Naming::WithoutNames, Answers{.readParagraphs = false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, war_and_peace_lf_screen, "war-and-peace-lf.txt", kScreen,
                  Naming::WithoutNames)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, pride_and_prejudice_crlf_screen, "pride-and-prejudice-crlf.txt", kScreen,
                  Naming::WithoutNames)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(RecogniseUnfinished, war_and_peace_crlf_named, "war-and-peace-crlf.txt",
                  Answers{})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RecogniseUnfinished, war_and_peace_lf_named, "war-and-peace-lf.txt", Answers{})
    ->Unit(benchmark::kMillisecond);
// Made keeping the licence: found by the second reading tried.
BENCHMARK_CAPTURE(RecogniseUnfinished, war_and_peace_lf_named_with_matter, "war-and-peace-lf.txt",
                  Answers{.leaveOutMatter = false})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(OpenUntilDialogue, war_and_peace_crlf, "war-and-peace-crlf.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenUntilDialogue, war_and_peace_lf, "war-and-peace-lf.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenUntilDialogue, war_and_peace_epub, "war-and-peace.epub")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenUntilDialogue, war_and_peace_docx, "war-and-peace.docx")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenUntilDialogue, war_and_peace_odt, "war-and-peace.odt")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora
