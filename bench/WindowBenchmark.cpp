// The main window on the corpus novels: opening a text until its dialogue and log are on
// screen, and each Generate Line, with the real windows on a display (a virtual one under
// scripts/bench-window.sh). The file dialog is answered by a hook; everything else runs as
// when a person presses the buttons.

#include "ui/MainWindow.h"
#include "ui/Resources.h"
#include "ui/ScriptApp.h"

#include <benchmark/benchmark.h>

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/init.h>
#include <wx/modalhook.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include <unistd.h>

wxIMPLEMENT_APP_NO_MAIN(velmora::ScriptApp);

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Answers every file dialog with one file.
class ChooseFile : public wxModalDialogHook {
public:
    explicit ChooseFile(const fs::path& file) : file_(wxString::FromUTF8(file.string())) {
        Register();
    }
    ~ChooseFile() override { Unregister(); }
    ChooseFile(const ChooseFile&) = delete;
    ChooseFile& operator=(const ChooseFile&) = delete;

protected:
    int Enter(wxDialog* dialog) override {
        if (auto* files = dynamic_cast<wxFileDialog*>(dialog)) {
            files->SetPath(file_);
            return wxID_OK;
        }
        return wxID_CANCEL;
    }
    void Exit(wxDialog* /*dialog*/) override {}

private:
    wxString file_;
};

// The corpus text linked into a scratch folder, where its script is written.
class ScratchText {
public:
    explicit ScratchText(const char* name)
        : folder_(fs::temp_directory_path() / ("velmora-window-bench-" + std::to_string(getpid()))),
          text_(folder_ / name) {
        fs::create_directories(folder_);
        std::error_code ignored;
        fs::remove(text_, ignored);
        fs::create_symlink(fs::path(VELMORA_CORPUS_DIR) / name, text_);
    }
    ~ScratchText() {
        std::error_code ignored;
        fs::current_path(fs::temp_directory_path(), ignored);
        fs::remove_all(folder_, ignored);
    }
    ScratchText(const ScratchText&) = delete;
    ScratchText& operator=(const ScratchText&) = delete;

    [[nodiscard]] const fs::path& Path() const { return text_; }
    [[nodiscard]] bool Exists() const { return fs::exists(text_); }

private:
    fs::path folder_;
    fs::path text_;
};

// Has the window lay out and paint what the last command changed, as the event loop would
// next: the list lays out its new lines when idle, then everything invalid is painted.
void ShowChanges(wxWindow& window) {
    wxTheApp->ProcessIdle();
    window.Update();
}

struct WindowCloser {
    void operator()(MainWindow* window) const {
        window->Destroy();
        wxTheApp->ProcessIdle();  // deletes it, which closes its script
    }
};
using Window = std::unique_ptr<MainWindow, WindowCloser>;

Window NewWindow() {
    Window window(new MainWindow(wxGetApp().GetDesktopServices()));
    window->Show();
    for (int round = 0; round < 5; ++round) {  // mapped and painted once
        wxYield();
    }
    ShowChanges(*window);
    return window;
}

void Press(MainWindow& window, int id) {
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(window.FindWindow(id));
    window.FindWindow(id)->ProcessWindowEvent(click);
}

std::string Status(MainWindow& window) {
    return static_cast<wxStaticText*>(window.FindWindow(IDC_STATUS))->GetLabelText().utf8_string();
}

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
    }
    return 0;
}

// Twelve names typed before the text is opened, as a user who knows the cast would: the
// speaker hint then looks for each of them in the narration of the first line shown.
constexpr std::array<const char*, 12> kCast = {"PIERRE",   "NATASHA", "ANDREW",   "MARY",
                                               "NICHOLAS", "SONYA",   "HELENE",   "ANATOLE",
                                               "DOLOKHOV", "KUTUZOV", "NAPOLEON", "DENISOV"};

// From "Open Text File..." until the dialogue and the whole log are on screen.
void OpenText(benchmark::State& state, const char* name, bool withCast = false) {
    const ScratchText text(name);
    if (!text.Exists()) {
        state.SkipWithError("corpus text not found");
        return;
    }
    const ChooseFile chooser(text.Path());
    for (auto _ : state) {
        state.PauseTiming();
        Window window = NewWindow();
        for (std::size_t slot = 0; withCast && slot < kCast.size(); ++slot) {
            static_cast<wxTextCtrl*>(window->FindWindow(kNameSlotTable[slot].editId))
                ->SetValue(kCast[slot]);
        }
        state.ResumeTiming();

        Press(*window, IDC_OPEN_TEXT_FILE);
        ShowChanges(*window);

        state.PauseTiming();
        if (Status(*window) != "Text file loaded successfully") {
            state.SkipWithError(("not loaded: " + Status(*window)).c_str());
            break;
        }
        state.counters["rss_MiB"] = static_cast<double>(ResidentKiB()) / 1024.0;
        window.reset();
        state.ResumeTiming();
    }
}

// Each press of a Generate Line button, until the dialogue of the next line is on screen.
void GenerateLine(benchmark::State& state, const char* name) {
    const ScratchText text(name);
    if (!text.Exists()) {
        state.SkipWithError("corpus text not found");
        return;
    }
    const ChooseFile chooser(text.Path());
    Window window;
    for (auto _ : state) {
        if (!window || Status(*window) == "Script.html successfully generated") {
            state.PauseTiming();
            window = NewWindow();
            Press(*window, IDC_OPEN_TEXT_FILE);
            ShowChanges(*window);
            state.ResumeTiming();
        }
        Press(*window, kNameSlotTable[0].buttonId);
        ShowChanges(*window);
    }
}

BENCHMARK_CAPTURE(OpenText, war_and_peace_lf, "war-and-peace-lf.txt")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(OpenText, war_and_peace_lf_with_cast, "war-and-peace-lf.txt", true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(OpenText, war_and_peace_crlf, "war-and-peace-crlf.txt")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(GenerateLine, war_and_peace_crlf, "war-and-peace-crlf.txt")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// The whole novel is one paragraph: its one line writes everything and finishes.
BENCHMARK_CAPTURE(GenerateLine, war_and_peace_lf, "war-and-peace-lf.txt")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!wxEntryStart(argc, argv)) {
        std::fputs("The window benchmark needs a display.\n", stderr);
        return 1;
    }
    if (wxTheApp->CallOnInit()) {
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
