#pragma once

#include "conversion/ConversionController.h"
#include "tests/conversion/RecordingView.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace velmora::test {

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
