#pragma once

#include "conversion/ConversionController.h"
#include "conversion/ConversionView.h"

#include <wx/dialog.h>

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class wxButton;
class wxContextMenuEvent;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

namespace velmora {

class LineList;
class DesktopServices;
class SpeakerHintDisplay;

// The program's main window (IDD_MAIN): the name slots, the dialogue field, the log, the
// status line and the command buttons. It shows the conversion through ConversionView and
// runs each button's command of the controller it holds for its whole life, under the
// program's error reporting. Esc and the close box end it.
class MainWindow : public wxDialog, public ConversionView {
public:
    // Characters of the dialogue shown at most: a text field gets slow with megabytes of
    // text, and a line of dialogue that long is read in the log anyway.
    static constexpr std::size_t kMaxDialogueChars = 4000;

    explicit MainWindow(DesktopServices& services, wxWindow* parent = nullptr);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    void SetStatus(std::string_view text) override;
    void SetDialogueField(std::string_view text) override;
    [[nodiscard]] std::string GetNameField(int slot) override;
    void SetNameField(int slot, std::string_view name) override;
    [[nodiscard]] std::string GetNoteField() override;
    void SetNoteField(std::string_view text) override;
    [[nodiscard]] bool IsScreenPlaySelected() override;
    void DisableOpenControls() override;
    [[nodiscard]] std::optional<std::string> ChooseTextFile() override;
    void AppendLogLine(std::string_view text) override;
    [[nodiscard]] int LogLineCount() override;
    void ScrollLogTo(int index) override;
    void TruncateLog(int count) override;
    void Explain(std::string_view line) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    [[nodiscard]] bool AskYesNo(std::string_view question) override;
    [[nodiscard]] bool AskToContinue(std::string_view question) override;
    [[nodiscard]] bool AskToStartAnew(std::string_view question) override;
    // Marks the hinted slot's name field and puts the keyboard on its "Generate Line" (as
    // the default button); or offers a speaker in no slot in the first empty field, with the
    // keyboard there; or, with neither, puts the keyboard on the name edit of the slot used
    // last.
    void ShowSpeakerHint(int slot, int lastSlot, std::string_view newName) override;
    // Marks "Not Dialogue" and puts the keyboard on it (as the default button), so that
    // Enter confirms the guess.
    void ShowNotDialogueHint() override;
    // One question as a message box, like any other; several in one dialog, a check box each.
    [[nodiscard]] std::vector<bool> AskHowToRead(
        std::span<const ReadingQuestion> questions) override;

private:
    enum class Command {
        OpenTextFile,
        GenerateLine,
        GenerateNote,
        GenerateWithoutNames,
        ShowGuide,
        ShowAbout,
        UndoLine,
        NotDialogue,
        ExportScript,
    };
    // One row of the command table: the control (or menu entry) and what it runs.
    struct CommandRoute {
        int id;
        Command command;
        int slot;  // for GenerateLine
    };
    static constexpr std::size_t kCommandCount = 9 + kNameSlots;
    [[nodiscard]] static constexpr std::array<CommandRoute, kCommandCount> MakeCommandTable();
    static const std::array<CommandRoute, kCommandCount> kCommandTable;

    void BindControls();
    void BindNameSlots();
    // The button and key that write a paragraph as narration, and completion in the name
    // fields from the script's cast.
    void BindNotDialogueAndCast();
    void OnCommand(wxCommandEvent& event);
    // Runs a command under the program's error reporting; once the script is closed, the
    // hint goes from the name fields.
    void RunCommandGuarded(Command command, int slot);
    void RunCommand(Command command, int slot);
    // Back to where the keyboard was before the note field was used: the hinted "Generate
    // Line", or the name field or "Generate Line" used last.
    void ReturnKeyboard();
    void OnCharHook(wxKeyEvent& event);
    // Enter presses the focused push button; in a name edit while a line waits, the
    // "Generate Line" on its row; else "Open Text File..." while enabled.
    void PressForEnter();
    [[nodiscard]] wxButton* GenerateLineButton(int slot);
    void OnContextMenu(wxContextMenuEvent& event);
    void ShowWindowMenu(const wxPoint& position);
    void OnPaint(wxPaintEvent& event);
#ifdef __WXMSW__
    WXLRESULT MSWWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam) override;
#endif

    DesktopServices& services_;
    wxRadioButton* stagePlay_ = nullptr;
    wxRadioButton* screenPlay_ = nullptr;
    std::array<wxTextCtrl*, kNameSlots> nameEdits_{};  // in slot order
    std::unique_ptr<SpeakerHintDisplay> hint_;
    // The name field or "Generate Line" that had the keyboard last, while a line waits.
    wxWindow* keyboardHome_ = nullptr;
    wxTextCtrl* note_ = nullptr;
    wxStaticText* status_ = nullptr;
    wxButton* openTextFile_ = nullptr;
    wxButton* notDialogue_ = nullptr;
    wxTextCtrl* dialogue_ = nullptr;
    LineList* log_ = nullptr;
    ConversionController controller_;
};

}  // namespace velmora
