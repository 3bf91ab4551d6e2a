#pragma once

#include "tests/support/TempDir.h"
#include "tests/ui/GuiTest.h"
#include "ui/MainWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {
class DesktopServices;
}  // namespace velmora

namespace velmora::test {

// A main window shown over a scratch folder that is the current directory.
class MainWindowFixture : public testing::Test {
public:
    MainWindowFixture(const MainWindowFixture&) = delete;
    MainWindowFixture& operator=(const MainWindowFixture&) = delete;

protected:
    MainWindowFixture();
    explicit MainWindowFixture(DesktopServices& services);
    ~MainWindowFixture() override;

    template <typename Control>
    Control& Get(int id) {
        auto* control = dynamic_cast<Control*>(window_->FindWindow(id));
        if (control == nullptr) {
            throw std::logic_error("no control " + std::to_string(id) + " of that kind");
        }
        return *control;
    }

    [[nodiscard]] std::string Status();
    [[nodiscard]] std::string Dialogue();
    [[nodiscard]] std::vector<std::string> Log();
    [[nodiscard]] std::string NameEditText(int slot);
    void TypeName(int slot, const wxString& name);

    // Writes a text file into the scratch folder (or a folder below it) and opens it
    // through "Open Text File..." and the file dialog.
    std::filesystem::path WriteText(std::string_view relativePath, std::string_view bytes);
    void OpenText(const std::filesystem::path& file);
    // The script written beside a text.
    [[nodiscard]] static std::string ScriptBeside(const std::filesystem::path& text);

    TempDir folder_;
    CurrentDirectory inFolder_;
    MainWindow* window_;
};

}  // namespace velmora::test
