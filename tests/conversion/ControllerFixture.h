#pragma once

#include "conversion/ConversionController.h"
#include "conversion/WalkStep.h"
#include "tests/conversion/RecordingView.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::test {

// One run of the controller over a recording view, for tests that need several: in a
// scratch folder of its own, or in a given one (to open it again after an earlier run),
// which is the current directory while the run lives.
class ControllerRun {
public:
    ControllerRun() : own_(std::in_place), folder_(own_->Path()), here_(folder_) {}
    explicit ControllerRun(const TempDir& folder) : folder_(folder.Path()), here_(folder_) {}
    ~ControllerRun() = default;
    ControllerRun(const ControllerRun&) = delete;
    ControllerRun& operator=(const ControllerRun&) = delete;
    ControllerRun(ControllerRun&&) = delete;
    ControllerRun& operator=(ControllerRun&&) = delete;

    // Writes text into the folder as name and opens it through the controller.
    void Open(std::string_view text, const std::string& name = "novel.txt") {
        Write(name, text);
        OpenAgain(name);
    }
    // Opens a file already in the folder.
    void OpenAgain(const std::string& name = "novel.txt") {
        view.choice = name;
        controller.OpenTextFile();
    }
    void Write(const std::string& name, std::string_view bytes) const {
        TempDir::WriteIn(folder_, name, bytes);
    }
    [[nodiscard]] std::filesystem::path operator/(std::string_view name) const {
        return folder_ / name;
    }
    [[nodiscard]] std::string Script() const { return ReadAll(folder_ / "Script.htm"); }

private:
    std::optional<TempDir> own_;
    std::filesystem::path folder_;
    CurrentDirectory here_;

public:
    RecordingView view;
    ConversionController controller{view};
};

// A controller over a recording view, in a scratch folder that is the current directory.
class ControllerFixture : public ::testing::Test {
protected:
    // Writes the text as "novel.txt" and opens it through the controller.
    void Open(std::string_view text) {
        dir_.Write("novel.txt", text);
        view_.choice = "novel.txt";
        controller_.OpenTextFile();
    }

    [[nodiscard]] std::string Script() const { return ReadAll(dir_ / "Script.htm"); }

    TempDir dir_;
    CurrentDirectory currentDirectory_{dir_.Path()};
    RecordingView view_;
    ConversionController controller_{view_};
};

// Five lines of dialogue between narration.
inline constexpr std::string_view kScene =
    "It was late.\r\n\r\n"
    "\"Who is there?\" asked Tom.\r\n\r\n"
    "\"Only me,\" said Ann.\r\n\r\n"
    "The door opened.\r\n\r\n"
    "\"Come in,\" said Tom.\r\n\r\n"
    "\"Thank you.\"\r\n\r\n"
    "\"Sit down.\"\r\n\r\n"
    "They sat.";

// What a command does, in a run: a name for the pending line, or a note.
struct Step {
    enum Kind { Line, Note, Rest, NotDialogue } kind = Line;
    std::string text;  // the name (typed into slot 1) or the note
};

// Every line of kScene named, with a note among them.
inline const std::vector<Step> kSceneSteps = {{Step::Line, "TOM"},   {Step::Line, "ANN"},
                                              {Step::Note, "later"}, {Step::Line, "TOM"},
                                              {Step::Line, "EVE"},   {Step::Line, "TOM"}};

// The step as a script records it (a line, a note or Not Dialogue; not the bulk completion).
inline WalkStep WalkStepOf(const Step& step) {
    switch (step.kind) {
    case Step::Note:
        return WalkStep::Note(step.text);
    case Step::NotDialogue:
        return WalkStep::NotDialogue();
    case Step::Line:
    case Step::Rest:
        break;
    }
    return WalkStep::Line(step.text);
}

inline void Perform(RecordingView& view, ConversionController& controller, const Step& step) {
    switch (step.kind) {
    case Step::Line:
        view.names[0] = step.text;
        controller.GenerateLine(1);
        break;
    case Step::Note:
        view.note = step.text;
        controller.GenerateNote();
        break;
    case Step::Rest:
        controller.GenerateWithoutNames();
        break;
    case Step::NotDialogue:
        controller.NotDialogue();
        break;
    }
}

// A run that stops after the given steps, as when the window is closed, leaving its script
// unfinished in dir.
inline void StoppedRun(const TempDir& dir, const std::vector<Step>& steps,
                       std::string_view text = kScene, bool screenPlay = true) {
    ControllerRun run(dir);
    run.view.screenPlay = screenPlay;
    run.Open(text);
    for (const auto& step : steps) {
        Perform(run.view, run.controller, step);
    }
}

// The script of a fresh run of text with the given steps, in a folder of its own.
inline std::string FreshRun(const std::vector<Step>& steps, std::string_view text = kScene,
                            bool screenPlay = true) {
    const TempDir dir;
    StoppedRun(dir, steps, text, screenPlay);
    return ReadAll(dir / "Script.htm");  // once let go of: Windows reads no held file
}

}  // namespace velmora::test
