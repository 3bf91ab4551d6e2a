#pragma once

#include "ui/DialogTemplate.h"

#include <array>

namespace velmora {

// Resource numbers: dialog templates, the icon, the about entry and its string. The help
// contexts are derived from the template numbers, so they must not change.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDD_MAIN = 102;
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDD_GUIDE = 129;
inline constexpr int IDM_ABOUTBOX = 16;
// Window-menu entries are system commands on Windows: multiples of 16 below 0xF000.
inline constexpr int IDM_UNDO_LINE = 32;
inline constexpr int IDM_NOT_DIALOGUE = 48;
inline constexpr int IDM_EXPORT_SCRIPT = 64;

// The help command that F1 sends, and the help context of each window.
inline constexpr int ID_HELP = 57670;
inline constexpr int kHelpContextBase = 0x20000;
[[nodiscard]] constexpr int HelpContext(int templateId) { return kHelpContextBase + templateId; }

// Controls of the main window.
inline constexpr int IDC_OPEN_TEXT_FILE = 1000;
inline constexpr int IDC_DIALOGUE = 1003;
inline constexpr int IDC_LOG = 1004;
inline constexpr int IDC_NOTE = 1011;
inline constexpr int IDC_GENERATE_NOTE = 1012;
inline constexpr int IDC_USERS_GUIDE = 1013;
inline constexpr int IDC_WITHOUT_NAMES = 1015;
inline constexpr int IDC_STATUS = 1016;
inline constexpr int IDC_SCREEN_PLAY = 1039;
inline constexpr int IDC_STAGE_PLAY = 1041;
// Added beside the template's own controls, with an id after theirs.
inline constexpr int IDC_NOT_DIALOGUE = 1042;
// Control of the guide window.
inline constexpr int IDC_GUIDE_LINES = 1018;

// A name slot: the edit holding a speaker's name and the "Generate Line" button on its row.
// Slot 4 breaks the pattern button = edit + 1, because 1015 was already taken.
struct NameSlot {
    int slot;
    int editId;
    int buttonId;
};

inline constexpr std::array<NameSlot, 12> kNameSlotTable = {{
    {1, 1005, 1006},
    {2, 1007, 1008},
    {3, 1009, 1010},
    {4, 1014, 1017},
    {5, 1018, 1019},
    {6, 1022, 1023},
    {7, 1024, 1025},
    {8, 1026, 1027},
    {9, 1028, 1029},
    {10, 1030, 1031},
    {11, 1032, 1033},
    {12, 1034, 1035},
}};

// The text of IDS_ABOUTBOX: the about entry of the window menu.
extern const wchar_t* const kAboutEntryText;
// The window menu's entry that takes back the last line, and its key.
extern const wchar_t* const kUndoEntryText;
// The window menu's entry that writes the paragraph as narration, and its key; and what the
// button of the same name says of itself.
extern const wchar_t* const kNotDialogueEntryText;
extern const wchar_t* const kNotDialogueToolTip;
// The window menu's entry that exports the script.
extern const wchar_t* const kExportEntryText;

// The three dialog templates.
extern const DialogTemplate kMainTemplate;
extern const DialogTemplate kGuideTemplate;
extern const DialogTemplate kAboutTemplate;

}  // namespace velmora
