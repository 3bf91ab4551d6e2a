#include "ui/CheckBoxQuestions.h"

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/sizer.h>

namespace velmora {

std::vector<bool> AskWithCheckBoxes(wxWindow* owner, const std::vector<wxString>& questions) {
    wxDialog dialog(owner, wxID_ANY, wxTheApp->GetAppName());
    auto* column = new wxBoxSizer(wxVERTICAL);
    std::vector<wxCheckBox*> boxes;
    for (const wxString& question : questions) {
        auto* box = new wxCheckBox(&dialog, wxID_ANY, question);
        box->SetValue(true);
        column->Add(box, wxSizerFlags().DoubleBorder(wxLEFT | wxRIGHT | wxTOP));
        boxes.push_back(box);
    }
    column->Add(dialog.CreateStdDialogButtonSizer(wxOK),
                wxSizerFlags().Expand().DoubleBorder(wxALL));
    dialog.SetSizerAndFit(column);
    // There is nothing to cancel: closing the dialog any way takes the boxes as they are.
    dialog.SetEscapeId(wxID_OK);
    dialog.CentreOnParent();
    dialog.ShowModal();

    std::vector<bool> answers;
    answers.reserve(boxes.size());
    for (const wxCheckBox* box : boxes) {
        answers.push_back(box->GetValue());
    }
    return answers;
}

}  // namespace velmora
