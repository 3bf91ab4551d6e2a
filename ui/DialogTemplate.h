#pragma once

#include <span>

class wxDialog;

namespace velmora {

// What a control in a dialog template is.
enum class ControlKind {
    PushButton,
    DefaultPushButton,  // pressed by Enter when no other push button has the focus
    Edit,               // single line
    LineList,           // a list of text lines without selection (LineList)
    StaticText,
    GroupBox,
    RadioButton,
    Icon,  // the program's icon (IDR_MAINFRAME); the text is unused
};

// Style flags of a control in a template.
enum ControlStyle : unsigned {
    kNoStyle = 0,
    kTabStop = 1U << 0U,        // reached by Tab; template order is the tab order
    kReadOnly = 1U << 1U,       // edit
    kAlignRight = 1U << 2U,     // edit, static text
    kNoPrefix = 1U << 3U,       // static text: "&" is shown, not taken as a mnemonic
    kGroup = 1U << 4U,          // radio button: starts a group
    kBorder = 1U << 5U,         // edit, list
    kAlwaysVScroll = 1U << 6U,  // list: vertical scroll bar shown even when not needed
};

// One control: position and size are in dialog units (a quarter of the average character
// width across, an eighth of the character height down) of the dialog's font.
struct ControlTemplate {
    int id;  // -1: no id of its own
    ControlKind kind;
    const wchar_t* text;
    int x;
    int y;
    int width;
    int height;
    unsigned style;
};

struct DialogTemplate {
    int id;
    const wchar_t* caption;
    int width;  // client area, in dialog units
    int height;
    std::span<const ControlTemplate> controls;
};

// Gives the dialog its caption and client size and creates the template's controls on it in
// template order. Call once, right after the dialog itself was created.
void BuildFromTemplate(wxDialog& dialog, const DialogTemplate& dialogTemplate);

}  // namespace velmora
