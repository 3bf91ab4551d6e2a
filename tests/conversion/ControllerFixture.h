#pragma once

#include "conversion/ConversionController.h"
#include "tests/conversion/RecordingView.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

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

}  // namespace velmora::test
