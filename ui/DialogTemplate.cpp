#include "ui/DialogTemplate.h"

#include "ui/Icon.h"
#include "ui/LineList.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace velmora {
namespace {

bool Has(const ControlTemplate& control, ControlStyle style) {
    return (control.style & style) != 0;
}

wxWindow* CreateControl(wxDialog& dialog, const ControlTemplate& control) {
    const wxPoint position = dialog.ConvertDialogToPixels(wxPoint(control.x, control.y));
    const wxSize size = dialog.ConvertDialogToPixels(wxSize(control.width, control.height));
    const wxString text(control.text);
    switch (control.kind) {
    case ControlKind::PushButton:
        return new wxButton(&dialog, control.id, text, position, size);
    case ControlKind::DefaultPushButton: {
        auto* button = new wxButton(&dialog, control.id, text, position, size);
        button->SetDefault();
        return button;
    }
    case ControlKind::Edit: {
        long style = Has(control, kAlignRight) ? wxTE_RIGHT : wxTE_LEFT;
        style |= Has(control, kReadOnly) ? wxTE_READONLY : 0;
        style |= Has(control, kBorder) ? 0 : wxBORDER_NONE;
        return new wxTextCtrl(&dialog, control.id, text, position, size, style);
    }
    case ControlKind::LineList:
        return new LineList(&dialog, control.id, position, size, Has(control, kBorder),
                            Has(control, kAlwaysVScroll));
    case ControlKind::StaticText: {
        const long style = wxST_NO_AUTORESIZE | (Has(control, kAlignRight) ? wxALIGN_RIGHT : 0);
        auto* label = new wxStaticText(&dialog, control.id, wxEmptyString, position, size, style);
        if (Has(control, kNoPrefix)) {
            label->SetLabelText(text);
        } else {
            label->SetLabel(text);
        }
        return label;
    }
    case ControlKind::GroupBox:
        return new wxStaticBox(&dialog, control.id, text, position, size);
    case ControlKind::RadioButton:
        return new wxRadioButton(&dialog, control.id, text, position, size,
                                 Has(control, kGroup) ? wxRB_GROUP : 0);
    case ControlKind::Icon:
        // An icon control takes the size of its icon.
        return new wxStaticBitmap(&dialog, control.id, MainFrameIcon(32), position);
    }
    return nullptr;
}

}  // namespace

void BuildFromTemplate(wxDialog& dialog, const DialogTemplate& dialogTemplate) {
    dialog.SetTitle(dialogTemplate.caption);
    dialog.SetClientSize(
        dialog.ConvertDialogToPixels(wxSize(dialogTemplate.width, dialogTemplate.height)));
    for (const ControlTemplate& control : dialogTemplate.controls) {
        wxWindow* window = CreateControl(dialog, control);
        if (window != nullptr && !Has(control, kTabStop)) {
            window->DisableFocusFromKeyboard();
        }
    }
}

}  // namespace velmora
