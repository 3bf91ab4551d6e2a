#include "ui/Resources.h"

#include <wx/defs.h>

namespace velmora {
namespace {

using enum ControlKind;

// The templates read as tables.
// clang-format off

// Styles of the main window's kinds of edit.
constexpr unsigned kReadOnlyEdit = kTabStop | kBorder | kReadOnly | kAlignRight;
constexpr unsigned kNameEdit = kTabStop | kBorder | kAlignRight;
constexpr unsigned kNoteEdit = kTabStop | kBorder;

// IDD_MAIN. Template order is the tab order.
constexpr ControlTemplate kMainControls[] = {
    // id                         kind               text                                    x    y    w    h  style
    {IDC_OPEN_TEXT_FILE,          DefaultPushButton, L"Open Text File...",                399, 286,  78,  14, kTabStop},
    {IDC_DIALOGUE,                Edit,              L"",                                   7,   7, 470,  14, kReadOnlyEdit},
    {IDC_LOG,                     LineList,          L"",                                   7,  24, 288, 220, kAlwaysVScroll},
    {kNameSlotTable[0].editId,    Edit,              L"",                                 296,  23, 130,  14, kNameEdit},
    {kNameSlotTable[0].buttonId,  PushButton,        L"Generate Line",                    427,  22,  50,  14, kTabStop},
    {kNameSlotTable[1].editId,    Edit,              L"",                                 296,  40, 130,  14, kNameEdit},
    {kNameSlotTable[1].buttonId,  PushButton,        L"Generate Line",                    427,  39,  50,  14, kTabStop},
    {kNameSlotTable[2].editId,    Edit,              L"",                                 296,  57, 130,  14, kNameEdit},
    {kNameSlotTable[2].buttonId,  PushButton,        L"Generate Line",                    427,  56,  50,  14, kTabStop},
    {IDC_NOTE,                    Edit,              L"",                                   7, 286, 233,  14, kNoteEdit},
    {IDC_GENERATE_NOTE,           PushButton,        L"Generate Note",                    243, 286,  62,  14, kTabStop},
    {IDC_USERS_GUIDE,             PushButton,        L"See User's Guide...",              313, 286,  81,  14, kTabStop},
    {IDC_NOT_DIALOGUE,            PushButton,        L"Not Dialogue",                     296, 228,  55,  14, kTabStop},
    {IDC_WITHOUT_NAMES,           PushButton,        L"Generate Without Character Names", 352, 228, 125,  14, kTabStop},
    {IDC_STATUS,                  StaticText,        L"Status",                           125, 262, 254,   8, kAlignRight},
    {kNameSlotTable[3].editId,    Edit,              L"",                                 296,  74, 130,  14, kNameEdit},
    {kNameSlotTable[3].buttonId,  PushButton,        L"Generate Line",                    427,  73,  50,  14, kTabStop},
    {kNameSlotTable[4].editId,    Edit,              L"",                                 296,  91, 130,  14, kNameEdit},
    {kNameSlotTable[4].buttonId,  PushButton,        L"Generate Line",                    427,  90,  50,  14, kTabStop},
    {kNameSlotTable[5].editId,    Edit,              L"",                                 296, 108, 130,  14, kNameEdit},
    {kNameSlotTable[5].buttonId,  PushButton,        L"Generate Line",                    427, 107,  50,  14, kTabStop},
    {kNameSlotTable[6].editId,    Edit,              L"",                                 296, 125, 130,  14, kNameEdit},
    {kNameSlotTable[6].buttonId,  PushButton,        L"Generate Line",                    427, 124,  50,  14, kTabStop},
    {kNameSlotTable[7].editId,    Edit,              L"",                                 296, 142, 130,  14, kNameEdit},
    {kNameSlotTable[7].buttonId,  PushButton,        L"Generate Line",                    427, 141,  50,  14, kTabStop},
    {kNameSlotTable[8].editId,    Edit,              L"",                                 296, 159, 130,  14, kNameEdit},
    {kNameSlotTable[8].buttonId,  PushButton,        L"Generate Line",                    427, 158,  50,  14, kTabStop},
    {kNameSlotTable[9].editId,    Edit,              L"",                                 296, 176, 130,  14, kNameEdit},
    {kNameSlotTable[9].buttonId,  PushButton,        L"Generate Line",                    427, 175,  50,  14, kTabStop},
    {kNameSlotTable[10].editId,   Edit,              L"",                                 296, 193, 130,  14, kNameEdit},
    {kNameSlotTable[10].buttonId, PushButton,        L"Generate Line",                    427, 192,  50,  14, kTabStop},
    {kNameSlotTable[11].editId,   Edit,              L"",                                 296, 210, 130,  14, kNameEdit},
    {kNameSlotTable[11].buttonId, PushButton,        L"Generate Line",                    427, 209,  50,  14, kTabStop},
    {-1,                          GroupBox,          L"Script Format",                    403, 245,  74,  37, kNoStyle},
    {IDC_SCREEN_PLAY,             RadioButton,       L"Screen Play",                      416, 257,  54,  10, kGroup},
    {IDC_STAGE_PLAY,              RadioButton,       L"Stage Play",                       416, 267,  50,  10, kNoStyle},
};

// IDD_GUIDE: the lines come from GuideWindow. Its rows are taller than one line of text, so
// the list scrolls when the lines do not fit.
constexpr ControlTemplate kGuideControls[] = {
    // id               kind      text   x  y    w    h  style
    {IDC_GUIDE_LINES, LineList, L"",     7, 7, 221, 420, kBorder},
};

// IDD_ABOUTBOX. The button is the standard OK so that the dialog's own handling ends it.
constexpr ControlTemplate kAboutControls[] = {
    // id     kind               text                                    x   y    w   h  style
    {-1,      Icon,              L"",                                   11, 17,  20, 20, kNoStyle},
    {-1,      StaticText,        L"Velmora Version 1.0",                40, 10, 119,  8, kNoPrefix},
    {-1,      StaticText,        L"Turns a novel into a play script.",  40, 25, 119,  8, kNoStyle},
    {wxID_OK, DefaultPushButton, L"OK",                                178,  7,  50, 14, kTabStop},
};

// clang-format on

}  // namespace

const wchar_t* const kAboutEntryText = L"&About Velmora...";
const wchar_t* const kUndoEntryText = L"Undo Last Line\tCtrl+Z";
const wchar_t* const kNotDialogueEntryText = L"Not Dialogue\tCtrl+N";
const wchar_t* const kNotDialogueToolTip =
    L"Write this paragraph as narration, quotes and all, and go on to the next line (Ctrl+N)";
const wchar_t* const kExportEntryText = L"Export Script...";

const DialogTemplate kMainTemplate = {IDD_MAIN, L"Velmora v1.0", 484, 307, kMainControls};
const DialogTemplate kGuideTemplate = {IDD_GUIDE, L"User\u2019s Guide for Velmora", 235, 434,
                                       kGuideControls};
const DialogTemplate kAboutTemplate = {IDD_ABOUTBOX, L"About Velmora", 235, 55, kAboutControls};

}  // namespace velmora
