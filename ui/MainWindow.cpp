#include "ui/MainWindow.h"

#include "ui/AboutWindow.h"
#include "ui/DesktopServices.h"
#include "ui/DialogTemplate.h"
#include "ui/ErrorGuard.h"
#include "ui/GuideWindow.h"
#include "ui/Help.h"
#include "ui/Icon.h"
#include "ui/LineList.h"
#include "ui/Resources.h"
#include "ui/ScreenText.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif

#include <algorithm>

namespace velmora {
namespace {

constexpr std::string_view kWaitingStatus = "Waiting to load a text file";
const wchar_t* const kTextFileFilter = L"Text Files (*.txt)|*.txt|All Files (*.*)|*.*";

template <typename Control>
Control* Bound(wxWindow& window, int id) {
    return wxStaticCast(window.FindWindow(id), Control);
}

}  // namespace

// The command table reads as a table.
// clang-format off
const std::array<MainWindow::CommandRoute, 17> MainWindow::kCommandTable = {{
    // control             command                         slot
    {IDC_OPEN_TEXT_FILE,   Command::OpenTextFile,          0},
    {kNameSlotTable[0].buttonId,  Command::GenerateLine,       1},
    {kNameSlotTable[1].buttonId,  Command::GenerateLine,       2},
    {kNameSlotTable[2].buttonId,  Command::GenerateLine,       3},
    {kNameSlotTable[3].buttonId,  Command::GenerateLine,       4},
    {kNameSlotTable[4].buttonId,  Command::GenerateLine,       5},
    {kNameSlotTable[5].buttonId,  Command::GenerateLine,       6},
    {kNameSlotTable[6].buttonId,  Command::GenerateLine,       7},
    {kNameSlotTable[7].buttonId,  Command::GenerateLine,       8},
    {kNameSlotTable[8].buttonId,  Command::GenerateLine,       9},
    {kNameSlotTable[9].buttonId,  Command::GenerateLine,       10},
    {kNameSlotTable[10].buttonId, Command::GenerateLine,       11},
    {kNameSlotTable[11].buttonId, Command::GenerateLine,       12},
    {IDC_GENERATE_NOTE,    Command::GenerateNote,          0},
    {IDC_WITHOUT_NAMES,    Command::GenerateWithoutNames,  0},
    {IDC_USERS_GUIDE,      Command::ShowGuide,             0},
    {IDM_ABOUTBOX,         Command::ShowAbout,             0},
}};
// clang-format on

MainWindow::MainWindow(DesktopServices& services, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxEmptyString), services_(services), controller_(*this) {
    BuildFromTemplate(*this, kMainTemplate);
    BindControls();
#ifdef __WXMSW__
    if (HMENU menu = ::GetSystemMenu(static_cast<HWND>(GetHWND()), FALSE); menu != nullptr) {
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, kAboutEntryText);
    }
#endif
    SetIcons(MainFrameIcons());
    SetStatus(kWaitingStatus);
    screenPlay_->SetValue(true);
    openTextFile_->SetFocus();

    Bind(wxEVT_BUTTON, &MainWindow::OnCommand, this, IDC_OPEN_TEXT_FILE, IDC_STAGE_PLAY);
    Bind(wxEVT_MENU, &MainWindow::OnCommand, this, IDM_ABOUTBOX);
    Bind(wxEVT_CHAR_HOOK, &MainWindow::OnCharHook, this);
    Bind(wxEVT_CONTEXT_MENU, &MainWindow::OnContextMenu, this);
    Bind(wxEVT_PAINT, &MainWindow::OnPaint, this);
    InstallHelpKey(*this, services_, HelpContext(IDD_MAIN));
    CentreOnScreen();
}

MainWindow::~MainWindow() = default;

void MainWindow::BindControls() {
    stagePlay_ = Bound<wxRadioButton>(*this, IDC_STAGE_PLAY);
    screenPlay_ = Bound<wxRadioButton>(*this, IDC_SCREEN_PLAY);
    for (const NameSlot& slot : kNameSlotTable) {
        nameEdits_.at(static_cast<std::size_t>(slot.slot - 1)) =
            Bound<wxTextCtrl>(*this, slot.editId);
    }
    note_ = Bound<wxTextCtrl>(*this, IDC_NOTE);
    status_ = Bound<wxStaticText>(*this, IDC_STATUS);
    openTextFile_ = Bound<wxButton>(*this, IDC_OPEN_TEXT_FILE);
    dialogue_ = Bound<wxTextCtrl>(*this, IDC_DIALOGUE);
    log_ = Bound<LineList>(*this, IDC_LOG);
}

void MainWindow::OnCommand(wxCommandEvent& event) {
    const auto* route = std::find_if(kCommandTable.begin(), kCommandTable.end(),
                                     [&](const CommandRoute& r) { return r.id == event.GetId(); });
    if (route == kCommandTable.end()) {
        event.Skip();
        return;
    }
    RunGuarded(this, services_, [&] { RunCommand(route->command, route->slot); });
}

void MainWindow::RunCommand(Command command, int slot) {
    switch (command) {
    case Command::OpenTextFile:
        controller_.OpenTextFile();
        break;
    case Command::GenerateLine:
        controller_.GenerateLine(slot);
        break;
    case Command::GenerateNote:
        controller_.GenerateNote();
        break;
    case Command::GenerateWithoutNames:
        controller_.GenerateWithoutNames();
        break;
    case Command::ShowGuide:
        GuideWindow(this, services_).ShowModal();
        break;
    case Command::ShowAbout:
        AboutWindow(this, services_).ShowModal();
        break;
    }
}

void MainWindow::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    const int modifiers = event.GetModifiers();
    if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && modifiers == wxMOD_NONE) {
        PressForEnter();
        return;
    }
    if (key == WXK_ESCAPE && modifiers == wxMOD_NONE) {
        // With no Cancel button the dialog would ignore Esc: it ends the program.
        Close();
        return;
    }
    if ((key == WXK_MENU && modifiers == wxMOD_NONE) ||
        (key == WXK_F10 && modifiers == wxMOD_SHIFT)) {
        // From the keyboard the menu opens below the control with the focus.
        const wxWindow* focus = FindFocus();
        ShowWindowMenu(focus != nullptr && focus->GetParent() == this
                           ? focus->GetRect().GetBottomLeft()
                           : wxPoint(0, 0));
        return;
    }
    event.Skip();
}

void MainWindow::PressForEnter() {
    wxWindow* focus = FindFocus();
    auto* button = dynamic_cast<wxButton*>(focus);
    if (button == nullptr || button->GetParent() != this) {
        button = openTextFile_;
        const auto* edit = std::find(nameEdits_.begin(), nameEdits_.end(), focus);
        if (edit != nameEdits_.end() && controller_.IsAcceptingCommands()) {
            button = GenerateLineButton(static_cast<int>(edit - nameEdits_.begin()) + 1);
        }
    }
    if (!button->IsEnabled()) {
        return;
    }
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

wxButton* MainWindow::GenerateLineButton(int slot) {
    return Bound<wxButton>(*this, kNameSlotTable.at(static_cast<std::size_t>(slot - 1)).buttonId);
}

void MainWindow::OnContextMenu(wxContextMenuEvent& event) {
    ShowWindowMenu(event.GetPosition() == wxDefaultPosition ? wxDefaultPosition
                                                            : ScreenToClient(event.GetPosition()));
}

void MainWindow::ShowWindowMenu(const wxPoint& position) {
    // GTK lets no program add to the window manager's menu, so the about entry lives in
    // the window's own menu.
    wxMenu menu;
    menu.Append(IDM_ABOUTBOX, kAboutEntryText);
    PopupMenu(&menu, position);
}

void MainWindow::OnPaint(wxPaintEvent& event) {
    if (!IsIconized()) {
        event.Skip();
        return;
    }
    // Where the desktop draws a minimised window's client area, it shows the icon.
    wxPaintDC dc(this);
    dc.Clear();
    const wxIcon icon = MainFrameIcon(32);
    const wxSize client = GetClientSize();
    dc.DrawIcon(icon, (client.x - icon.GetWidth() + 1) / 2, (client.y - icon.GetHeight() + 1) / 2);
}

#ifdef __WXMSW__
WXLRESULT MainWindow::MSWWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam) {
    if (message == WM_SYSCOMMAND && static_cast<int>(wParam & 0xFFF0U) == IDM_ABOUTBOX) {
        RunGuarded(this, services_, [&] { RunCommand(Command::ShowAbout, 0); });
        return 0;
    }
    return wxDialog::MSWWindowProc(message, wParam, lParam);
}
#endif

void MainWindow::SetStatus(std::string_view text) { status_->SetLabelText(ScreenText(text)); }

void MainWindow::SetDialogueField(std::string_view text) {
    dialogue_->ChangeValue(ScreenLine(text, kMaxDialogueChars));
    dialogue_->SetInsertionPoint(0);
}

std::string MainWindow::GetNameField(int slot) {
    const wxTextCtrl* edit = nameEdits_.at(static_cast<std::size_t>(slot - 1));
    return TextBytes(edit->GetValue(), controller_.TextCharacterSet());
}

std::string MainWindow::GetNoteField() {
    return TextBytes(note_->GetValue(), controller_.TextCharacterSet());
}

void MainWindow::SetNoteField(std::string_view text) { note_->ChangeValue(ScreenText(text)); }

bool MainWindow::IsScreenPlaySelected() { return screenPlay_->GetValue(); }

void MainWindow::DisableOpenControls() {
    openTextFile_->Disable();
    screenPlay_->Disable();
    stagePlay_->Disable();
}

std::optional<std::string> MainWindow::ChooseTextFile() {
    wxFileDialog dialog(this, wxS("Open"), wxEmptyString, wxEmptyString, kTextFileFilter,
                        wxFD_OPEN);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    // GetPath() can lag behind on GTK; the folder and the name are settled.
    const wxString name = dialog.GetFilename();
    if (name.empty() || !wxSetWorkingDirectory(dialog.GetDirectory())) {
        return std::nullopt;
    }
#ifdef __WXMSW__
    // Windows names files in UTF-16; the file layer opens them in the ANSI code page.
    const wxCharBuffer bytes = name.mb_str(wxConvLocal);
#else
    const wxCharBuffer bytes = name.fn_str();
#endif
    return std::string(bytes.data(), bytes.length());
}

void MainWindow::AppendLogLine(std::string_view text) { log_->AppendLine(text); }

int MainWindow::LogLineCount() { return log_->LineCount(); }

void MainWindow::ScrollLogTo(int index) { log_->ScrollToLine(index); }

void MainWindow::BeginWaitCursor() { wxBeginBusyCursor(); }

void MainWindow::EndWaitCursor() { wxEndBusyCursor(); }

bool MainWindow::AskYesNo(std::string_view question) {
    return services_.AskYesNo(this, wxString::FromUTF8(question.data(), question.size()));
}

void MainWindow::ShowSpeakerHint(int slot, int lastSlot) {
    if (slot >= 1 && slot <= kNameSlots) {
        wxButton* button = GenerateLineButton(slot);
        button->SetDefault();
        button->SetFocus();
        return;
    }
    // Enter in an edit never presses this default once it is disabled; it is only shown.
    openTextFile_->SetDefault();
    const int editSlot = lastSlot >= 1 && lastSlot <= kNameSlots ? lastSlot : 1;
    nameEdits_.at(static_cast<std::size_t>(editSlot - 1))->SetFocus();
}

}  // namespace velmora
