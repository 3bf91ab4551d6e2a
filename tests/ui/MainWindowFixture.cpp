#include "tests/ui/MainWindowFixture.h"

#include "text/NameSlots.h"
#include "ui/LineList.h"
#include "ui/Resources.h"
#include "ui/ScriptApp.h"

#include <wx/filedlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <fstream>

namespace velmora::test {

MainWindowFixture::MainWindowFixture() : MainWindowFixture(wxGetApp().GetDesktopServices()) {}

MainWindowFixture::MainWindowFixture(DesktopServices& services)
    : inFolder_(folder_.Path()), window_(new MainWindow(services)) {
    window_->Show();
    Flush();
}

MainWindowFixture::~MainWindowFixture() {
    window_->Destroy();
    wxTheApp->ProcessIdle();  // deletes it, which closes its script
}

std::string MainWindowFixture::Status() {
    return Get<wxStaticText>(IDC_STATUS).GetLabelText().utf8_string();
}

std::string MainWindowFixture::Dialogue() {
    return Get<wxTextCtrl>(IDC_DIALOGUE).GetValue().utf8_string();
}

std::vector<std::string> MainWindowFixture::Log() {
    auto& log = Get<LineList>(IDC_LOG);
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(log.LineCount()));
    for (int i = 0; i < log.LineCount(); ++i) {
        lines.push_back(log.Line(i));
    }
    return lines;
}

std::string MainWindowFixture::NameEditText(int slot) {
    return Get<wxTextCtrl>(kNameSlotTable.at(SlotIndex(slot)).editId).GetValue().utf8_string();
}

void MainWindowFixture::TypeName(int slot, const wxString& name) {
    Get<wxTextCtrl>(kNameSlotTable.at(SlotIndex(slot)).editId).SetValue(name);
}

std::filesystem::path MainWindowFixture::WriteText(std::string_view relativePath,
                                                   std::string_view bytes) {
    auto file = folder_.Path() / relativePath;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

void MainWindowFixture::OpenText(const std::filesystem::path& file) {
    wxTEST_DIALOG(Press(*window_, IDC_OPEN_TEXT_FILE),
                  wxExpectModal<wxFileDialog>(wxString::FromUTF8(file.string())));
}

std::string MainWindowFixture::ScriptBeside(const std::filesystem::path& text) {
    return ReadAll(text.parent_path() / "Script.htm");
}

}  // namespace velmora::test
