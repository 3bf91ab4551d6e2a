#include "ui/MainWindow.h"

#include "text/NameSlots.h"
#include "ui/AboutWindow.h"
#include "ui/CastCompletion.h"
#include "ui/DesktopServices.h"
#include "ui/DialogTemplate.h"
#include "ui/ErrorGuard.h"
#include "ui/ExportCommand.h"
#include "ui/GuideWindow.h"
#include "ui/Help.h"
#include "ui/Icon.h"
#include "ui/LineList.h"
#include "ui/Resources.h"
#include "ui/ScreenText.h"
#include "ui/SpeakerHintDisplay.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filename.h>
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
// GTK matches the patterns case by case: capitals are named too.
const wchar_t* const kTextFileFilter =
    L"Novels (*.txt;*.epub;*.docx;*.odt)|*.txt;*.epub;*.docx;*.odt;*.TXT;*.EPUB;*.DOCX;*.ODT|"
    L"All Files (*.*)|*.*";

template <typename Control>
Control* Bound(wxWindow& window, int id) {
    return wxStaticCast(window.FindWindow(id), Control);
}

}  // namespace

// The command table: one row per control or menu entry, the slots' rows from the slot table.
constexpr std::array<MainWindow::CommandRoute, MainWindow::kCommandCount>
MainWindow::MakeCommandTable() {
    std::array<CommandRoute, kCommandCount> table{};
    std::size_t row = 0;
    table.at(row++) = {IDC_OPEN_TEXT_FILE, Command::OpenTextFile, 0};
    for (const NameSlot& slot : kNameSlotTable) {
        table.at(row++) = {slot.buttonId, Command::GenerateLine, slot.slot};
    }
    table.at(row++) = {IDC_GENERATE_NOTE, Command::GenerateNote, 0};
    table.at(row++) = {IDC_WITHOUT_NAMES, Command::GenerateWithoutNames, 0};
    table.at(row++) = {IDC_USERS_GUIDE, Command::ShowGuide, 0};
    table.at(row++) = {IDM_ABOUTBOX, Command::ShowAbout, 0};
    table.at(row++) = {IDM_UNDO_LINE, Command::UndoLine, 0};
    table.at(row++) = {IDC_NOT_DIALOGUE, Command::NotDialogue, 0};
    table.at(row++) = {IDM_NOT_DIALOGUE, Command::NotDialogue, 0};
    table.at(row++) = {IDM_EXPORT_SCRIPT, Command::ExportScript, 0};
    return table;
}

const std::array<MainWindow::CommandRoute, MainWindow::kCommandCount> MainWindow::kCommandTable =
    MakeCommandTable();

MainWindow::MainWindow(DesktopServices& services, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxEmptyString), services_(services), controller_(*this) {
    BuildFromTemplate(*this, kMainTemplate);
    BindControls();
    BindNameSlots();
    BindNotDialogueAndCast();
#ifdef __WXMSW__
    if (HMENU menu = ::GetSystemMenu(static_cast<HWND>(GetHWND()), FALSE); menu != nullptr) {
        // The about entry stays the last, after the separator; the commands come before it.
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(menu, MF_STRING, IDM_UNDO_LINE, kUndoEntryText);
        ::AppendMenuW(menu, MF_STRING, IDM_NOT_DIALOGUE, kNotDialogueEntryText);
        ::AppendMenuW(menu, MF_STRING, IDM_EXPORT_SCRIPT, kExportEntryText);
        ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, kAboutEntryText);
    }
#endif
    SetIcons(MainFrameIcons());
    SetStatus(kWaitingStatus);
    screenPlay_->SetValue(true);
    openTextFile_->SetFocus();

    Bind(wxEVT_BUTTON, &MainWindow::OnCommand, this, IDC_OPEN_TEXT_FILE, IDC_STAGE_PLAY);
    Bind(wxEVT_MENU, &MainWindow::OnCommand, this, IDM_ABOUTBOX);
    Bind(wxEVT_MENU, &MainWindow::OnCommand, this, IDM_UNDO_LINE);
    Bind(wxEVT_MENU, &MainWindow::OnCommand, this, IDM_EXPORT_SCRIPT);
    Bind(wxEVT_CHAR_HOOK, &MainWindow::OnCharHook, this);
    Bind(wxEVT_CONTEXT_MENU, &MainWindow::OnContextMenu, this);
    Bind(wxEVT_PAINT, &MainWindow::OnPaint, this);
    InstallHelpKey(*this, services_, HelpContext(IDD_MAIN));
    CentreOnScreen();
}

MainWindow::~MainWindow() {
    // The controls go first: their handlers use the members.
    DestroyChildren();
}

void MainWindow::BindControls() {
    stagePlay_ = Bound<wxRadioButton>(*this, IDC_STAGE_PLAY);
    screenPlay_ = Bound<wxRadioButton>(*this, IDC_SCREEN_PLAY);
    for (const NameSlot& slot : kNameSlotTable) {
        nameEdits_.at(SlotIndex(slot.slot)) = Bound<wxTextCtrl>(*this, slot.editId);
    }
    note_ = Bound<wxTextCtrl>(*this, IDC_NOTE);
    status_ = Bound<wxStaticText>(*this, IDC_STATUS);
    openTextFile_ = Bound<wxButton>(*this, IDC_OPEN_TEXT_FILE);
    dialogue_ = Bound<wxTextCtrl>(*this, IDC_DIALOGUE);
    log_ = Bound<LineList>(*this, IDC_LOG);
    hint_ = std::make_unique<SpeakerHintDisplay>(nameEdits_);
}

void MainWindow::BindNameSlots() {
    for (const NameSlot& slot : kNameSlotTable) {
        wxTextCtrl* edit = nameEdits_.at(SlotIndex(slot.slot));
        edit->Bind(wxEVT_TEXT,
                   [this, number = slot.slot](wxCommandEvent&) { hint_->UserTyped(number); });
        const std::array<wxWindow*, 2> row = {edit, GenerateLineButton(slot.slot)};
        for (wxWindow* control : row) {
            control->Bind(wxEVT_SET_FOCUS, [this, control](wxFocusEvent& event) {
                keyboardHome_ = control;
                event.Skip();
            });
        }
    }
}

void MainWindow::BindNotDialogueAndCast() {
    notDialogue_ = Bound<wxButton>(*this, IDC_NOT_DIALOGUE);
    notDialogue_->SetToolTip(kNotDialogueToolTip);
    notDialogue_->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        keyboardHome_ = notDialogue_;
        event.Skip();
    });
    Bind(wxEVT_BUTTON, &MainWindow::OnCommand, this, IDC_NOT_DIALOGUE);
    Bind(wxEVT_MENU, &MainWindow::OnCommand, this, IDM_NOT_DIALOGUE);
    for (wxTextCtrl* edit : nameEdits_) {
        CompleteFromCast(*edit, controller_.ScriptCast());
    }
}

void MainWindow::OnCommand(wxCommandEvent& event) {
    const auto* route = std::find_if(kCommandTable.begin(), kCommandTable.end(),
                                     [&](const CommandRoute& r) { return r.id == event.GetId(); });
    if (route == kCommandTable.end()) {
        event.Skip();
        return;
    }
    RunCommandGuarded(route->command, route->slot);
}

void MainWindow::RunCommandGuarded(Command command, int slot) {
    RunGuarded(this, services_, [&] { RunCommand(command, slot); });
    if (!controller_.IsAcceptingCommands()) {
        hint_->Clear();
    }
}

void MainWindow::RunCommand(Command command, int slot) {
    switch (command) {
    case Command::OpenTextFile:
        controller_.OpenTextFile();
        break;
    case Command::GenerateLine:
        hint_->Take(slot);  // a name offered on this row is used as it stands
        controller_.GenerateLine(slot);
        break;
    case Command::GenerateNote:
        controller_.GenerateNote();
        ReturnKeyboard();  // so that the next Enter names the line, not another note
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
    case Command::UndoLine:
        controller_.Undo();
        break;
    case Command::NotDialogue:
        controller_.NotDialogue();
        break;
    case Command::ExportScript:
        ExportScriptCommand(*this, controller_, *this);
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
    if ((key == 'Z' || key == 'z') && modifiers == wxMOD_CONTROL) {
        RunCommandGuarded(Command::UndoLine, 0);
        return;
    }
    if ((key == 'N' || key == 'n') && modifiers == wxMOD_CONTROL) {
        RunCommandGuarded(Command::NotDialogue, 0);
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

void MainWindow::ReturnKeyboard() {
    if (keyboardHome_ == nullptr || !controller_.IsAcceptingCommands()) {
        return;
    }
    keyboardHome_->SetFocus();
    if (auto* edit = dynamic_cast<wxTextCtrl*>(keyboardHome_)) {
        edit->SelectAll();  // as Tab leaves it: typing replaces the name, Enter uses it
    }
}

wxButton* MainWindow::GenerateLineButton(int slot) {
    return Bound<wxButton>(*this, kNameSlotTable.at(SlotIndex(slot)).buttonId);
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
    menu.Append(IDM_UNDO_LINE, kUndoEntryText);
    menu.Enable(IDM_UNDO_LINE, controller_.CanUndo());
    menu.Append(IDM_NOT_DIALOGUE, kNotDialogueEntryText);
    menu.Enable(IDM_NOT_DIALOGUE, controller_.IsAcceptingCommands());
    menu.Append(IDM_EXPORT_SCRIPT, kExportEntryText);
    menu.Enable(IDM_EXPORT_SCRIPT, controller_.HoldsScriptLine());
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
    if (message == WM_SYSCOMMAND) {
        const int id = static_cast<int>(wParam & 0xFFF0U);
        if (id == IDM_ABOUTBOX || id == IDM_UNDO_LINE || id == IDM_NOT_DIALOGUE ||
            id == IDM_EXPORT_SCRIPT) {
            const auto* route = std::find_if(kCommandTable.begin(), kCommandTable.end(),
                                             [id](const CommandRoute& r) { return r.id == id; });
            RunCommandGuarded(route->command, 0);
            return 0;
        }
    }
    if (message == WM_INITMENUPOPUP && HIWORD(lParam) != 0) {  // the system menu
        const auto menu = reinterpret_cast<HMENU>(wParam);
        const auto state = [](bool enabled) -> UINT { return enabled ? MF_ENABLED : MF_GRAYED; };
        ::EnableMenuItem(menu, IDM_UNDO_LINE, MF_BYCOMMAND | state(controller_.CanUndo()));
        ::EnableMenuItem(menu, IDM_NOT_DIALOGUE,
                         MF_BYCOMMAND | state(controller_.IsAcceptingCommands()));
        ::EnableMenuItem(menu, IDM_EXPORT_SCRIPT,
                         MF_BYCOMMAND | state(controller_.HoldsScriptLine()));
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
    if (hint_->IsUntakenOffer(slot)) {
        return {};  // only offered: nobody typed it
    }
    return TypedText(nameEdits_.at(SlotIndex(slot))->GetValue());
}

void MainWindow::SetNameField(int slot, std::string_view name) {
    hint_->Take(slot);
    nameEdits_.at(SlotIndex(slot))->ChangeValue(wxString::FromUTF8(name.data(), name.size()));
}

std::string MainWindow::GetNoteField() { return TypedText(note_->GetValue()); }

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
    // The chosen file's own path: the folder the dialog showed is another one when a full
    // path was typed. Until GTK's chooser has caught up with a path set in code, only the
    // folder and the name the dialog was given are known.
    wxString path = dialog.GetPath();
    if (path.empty()) {
        path = wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
    }
    const wxFileName chosen(path);
    if (!chosen.IsOk() || chosen.GetFullName().empty() ||
        !wxSetWorkingDirectory(chosen.GetPath())) {
        return std::nullopt;
    }
#ifdef __WXMSW__
    // Windows names files in UTF-16; the file layer opens them in the ANSI code page.
    const wxCharBuffer bytes = chosen.GetFullName().mb_str(wxConvLocal);
#else
    const wxCharBuffer bytes = chosen.GetFullName().fn_str();
#endif
    return std::string(bytes.data(), bytes.length());
}

void MainWindow::AppendLogLine(std::string_view text) { log_->AppendLine(text); }

int MainWindow::LogLineCount() { return log_->LineCount(); }

void MainWindow::ScrollLogTo(int index) { log_->ScrollToLine(index); }

void MainWindow::TruncateLog(int count) { log_->TruncateLines(count); }

void MainWindow::Explain(std::string_view line) { log_->AppendLine(line); }

void MainWindow::BeginWaitCursor() { wxBeginBusyCursor(); }

void MainWindow::EndWaitCursor() { wxEndBusyCursor(); }

bool MainWindow::AskYesNo(std::string_view question) {
    return services_.AskYesNo(this, wxString::FromUTF8(question.data(), question.size()));
}

bool MainWindow::AskToContinue(std::string_view question) { return AskYesNo(question); }

bool MainWindow::AskToStartAnew(std::string_view question) { return AskYesNo(question); }

std::vector<bool> MainWindow::AskHowToRead(std::span<const ReadingQuestion> questions) {
    if (questions.size() == 1) {
        return {AskYesNo(questions.front().text)};
    }
    std::vector<wxString> texts;
    texts.reserve(questions.size());
    for (const ReadingQuestion& question : questions) {
        texts.push_back(wxString::FromUTF8(question.text.data(), question.text.size()));
    }
    return services_.AskWithCheckBoxes(this, texts);
}

void MainWindow::ShowSpeakerHint(int slot, int lastSlot, std::string_view newName) {
    hint_->Clear();
    if (slot >= 1 && slot <= kNameSlots) {
        hint_->Mark(slot);
        wxButton* button = GenerateLineButton(slot);
        button->SetDefault();
        button->SetFocus();
        keyboardHome_ = button;
        return;
    }
    // Enter in an edit never presses this default once it is disabled; it is only shown.
    openTextFile_->SetDefault();
    if (const int offered = hint_->Offer(wxString::FromUTF8(newName.data(), newName.size()));
        offered != 0) {
        keyboardHome_ = nameEdits_.at(static_cast<std::size_t>(offered - 1));
        return;
    }
    const int editSlot = lastSlot >= 1 && lastSlot <= kNameSlots ? lastSlot : 1;
    keyboardHome_ = nameEdits_.at(static_cast<std::size_t>(editSlot - 1));
    keyboardHome_->SetFocus();
}

void MainWindow::ShowNotDialogueHint() {
    hint_->Clear();
    hint_->MarkCommand(*notDialogue_);
    notDialogue_->SetDefault();
    notDialogue_->SetFocus();
    keyboardHome_ = notDialogue_;
}

}  // namespace velmora
